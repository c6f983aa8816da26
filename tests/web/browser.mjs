// The live page, built with the web preset, open in Debian's Chromium with a
// fresh profile: shared by the test and the speed script. Exits 77 (skipped)
// when emscripten or Chromium is missing.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const chromiumPath = '/usr/bin/chromium';

function build(source, temp) {
  const log = path.join(temp, 'build.log');
  const out = fs.openSync(log, 'w');
  for (const args of [['--preset', 'web'], ['--build', '--preset', 'web', '-j2']]) {
    const r = spawnSync('cmake', args, { cwd: source, stdio: ['ignore', out, out] });
    if (r.status !== 0) throw new Error(`cmake ${args.join(' ')} failed:\n${fs.readFileSync(log, 'utf8').slice(-3000)}`);
  }
}

export async function launch(source, temp) {
  const missing = [['emcc', spawnSync('emcc', ['--version']).status === 0], ['chromium', fs.existsSync(chromiumPath)]]
    .filter(([, found]) => !found).map(([name]) => name);
  if (missing.length) {
    console.log(`skipped: ${missing.join(' and ')} not installed (scripts/setup installs them)`);
    process.exit(77);
  }
  const { chromium } = await import('playwright-core');
  build(source, temp);
  // playwright passes the profile folder as --user-data-dir.
  const browser = await chromium.launchPersistentContext(path.join(temp, 'profile'), {
    executablePath: chromiumPath,
    acceptDownloads: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  const page = browser.pages()[0] ?? await browser.newPage();
  await page.goto('file://' + path.join(source, 'build/web/bin/vitals.html'));
  await page.evaluate(() => window.vitals.ready);
  return { browser, page };
}
