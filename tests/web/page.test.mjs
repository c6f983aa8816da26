// The live page in Debian's Chromium: situations entered through its inputs
// against vitals-sim's pictures and traces, a slider, and broken input.
// Run by ctest; exits 77 (skipped) when emscripten or Chromium is missing.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';

const source = process.env.VITALS_SOURCE_DIR;
const sim = process.env.VITALS_SIM;
const chromiumPath = '/usr/bin/chromium';
const missing = [['emcc', spawnSync('emcc', ['--version']).status === 0], ['chromium', fs.existsSync(chromiumPath)]]
  .filter(([, found]) => !found).map(([name]) => name);
if (missing.length) {
  console.log(`skipped: ${missing.join(' and ')} not installed (scripts/setup installs them)`);
  process.exit(77);
}
const { chromium } = await import('playwright-core');

const htmlFile = path.join(source, 'build/web/bin/vitals.html');
const examples = path.join(source, 'examples');
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'vitals_web_test-'));
let browser;
let page;

// The page built with the web preset, as scripts/run builds it.
function buildPage() {
  const log = path.join(temp, 'build.log');
  const out = fs.openSync(log, 'w');
  for (const args of [['--preset', 'web'], ['--build', '--preset', 'web', '-j2']]) {
    const r = spawnSync('cmake', args, { cwd: source, stdio: ['ignore', out, out] });
    if (r.status !== 0) assert.fail(`cmake ${args.join(' ')} failed:\n${fs.readFileSync(log, 'utf8').slice(-3000)}`);
  }
}

// vitals-sim's picture (base64 PNG) and trace of a situation.
function simulate(name, situation) {
  const state = path.join(temp, `${name}.json`), png = path.join(temp, `${name}.png`), trace = path.join(temp, `${name}.trace`);
  fs.writeFileSync(state, JSON.stringify(situation));
  execFileSync(sim, ['render', '--state', state, '--png', png, '--trace', trace]);
  return { png: fs.readFileSync(png).toString('base64'), trace: fs.readFileSync(trace, 'utf8') };
}

// The module's handle is an address, different in every process.
const sameTrace = (text) => text.replace(/^InitLib .*$/m, 'InitLib HANDLE');

const redrawn = () => page.waitForFunction(() => Vitals.stats.count > 0 && !Vitals.pending());
const canvasPixels = () => page.evaluate(() => {
  const c = document.getElementById('page');
  return { w: c.width, h: c.height, data: Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data) };
});

// Canvas against a PNG decoded by the browser: sizes and the number of differing pixels.
const compareWithPng = (png) => page.evaluate(async (b64) => {
  const bytes = Uint8Array.from(atob(b64), (ch) => ch.charCodeAt(0));
  const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
                                         { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
  const ref = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
  ref.drawImage(bitmap, 0, 0);
  const c = document.getElementById('page');
  const result = { png: [bitmap.width, bitmap.height], canvas: [c.width, c.height], pixels: c.width * c.height, differ: -1 };
  if (c.width !== bitmap.width || c.height !== bitmap.height) return result;
  const a = ref.getImageData(0, 0, c.width, c.height).data;
  const b = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  result.differ = 0;
  for (let i = 0; i < a.length; i += 4) if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) result.differ++;
  return result;
}, png);

// A level through its slider when the slider can take it, else typed.
async function setLevel(id, value, lo) {
  const onSlider = typeof value === 'number' && value >= lo && value <= 1 && Number.isInteger(value * 100);
  if (onSlider) await page.fill(`#${id}-slider`, String(value));
  else await page.fill(`#${id}-value`, String(value));
}

async function setBits(name, bits, word) {
  if (word === undefined) return;
  if (typeof word === 'number' && word > 0 && word <= bits) {
    for (let bit = 1; bit <= bits; bit <<= 1) await page.setChecked(`#${name}-${bit}`, (word & bit) !== 0);
  } else {
    await page.fill(`#${name}-word`, String(word));
  }
}

// Enters a situation through the page's inputs, starting from a blank one.
async function enter(s) {
  await page.click('#blank');
  if (s.cockpit_mode !== undefined) {
    if ([1, 2, 3].includes(s.cockpit_mode)) await page.selectOption('#cockpit-mode', String(s.cockpit_mode));
    else await page.fill('#cockpit-mode-value', String(s.cockpit_mode));
  }
  if (s.config !== undefined) await page.fill('#config', s.config);
  if (s.window_height !== undefined) await page.fill('#window-height', String(s.window_height));
  if (s.vc_mfd_size !== undefined) await page.selectOption('#vc-mfd-size', String(s.vc_mfd_size));
  if (s.display) {
    await page.setChecked('#display-auto', false);
    await page.fill('#display-width', String(s.display.width ?? ''));
    await page.fill('#display-height', String(s.display.height ?? ''));
  }
  for (const [i, key] of (s.keys ?? []).entries()) {
    if (key === 35) await page.click(i % 2 ? '#button-hlp' : '#key-h');
    else if (key === 38) await page.click(i % 2 ? '#button-log' : '#key-l');
    else { await page.fill('#other-key', String(key)); await page.click('#key-other'); }
  }
  if (s.attitude_mode !== undefined) await page.selectOption('#attitude-mode', String(s.attitude_mode));
  const v = s.vessel ?? {};
  for (const [group, levels] of Object.entries(v.thrusters ?? {})) {
    await page.fill(`#count-${group}`, String(levels.length));
    for (const [i, level] of levels.entries()) await setLevel(`level-${group}-${i}`, level, 0);
  }
  for (const [surface, level] of Object.entries(v.control_surfaces ?? {})) await setLevel(`surface-${surface}`, level, -1);
  for (const [wheel, level] of Object.entries(v.wheel_brakes ?? {})) await setLevel(`brake-${wheel}`, level, 0);
  for (const mode of v.navmodes ?? []) await page.check(`#navmode-${mode}`);
  await setBits('adc', 7, v.adc_mode);
  await setBits('status', 3, v.flight_status);
  await redrawn();
}

before(async () => {
  buildPage();
  // A fresh profile folder, which playwright passes as --user-data-dir.
  browser = await chromium.launchPersistentContext(path.join(temp, 'profile'), {
    executablePath: chromiumPath,
    acceptDownloads: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  page = browser.pages()[0] ?? await browser.newPage();
  page.on('pageerror', (e) => assert.fail(`page error: ${e.message}`));
  await page.goto('file://' + htmlFile);
  await page.waitForFunction(() => typeof Vitals !== 'undefined' && Vitals.ready, null, { timeout: 60000 });
});

after(async () => {
  await browser?.close();
  fs.rmSync(temp, { recursive: true, force: true });
});

// Typed values the sliders cannot reach, on top of an example.
const extremes = {
  cockpit_mode: 1, config: 'GenericMFDSize = 4\nPanelScale = 1.5\n', display: { width: 300, height: 200 }, keys: [35, 20],
  attitude_mode: 2,
  vessel: { thrusters: { 0: ['nan', -0.5], 1: [1e300], 9: ['inf', '-inf', 2], 13: [-1e-300] },
            control_surfaces: { 0: 7, 1: 'nan', 2: -1.25 }, wheel_brakes: { 1: 'inf', 2: -3 }, navmodes: [1, 3, 4, 6],
            adc_mode: 4294967295, flight_status: 12 },
};

test('every example entered through the inputs draws vitals-sim\'s pixels and trace', async (t) => {
  const cases = fs.readdirSync(examples).filter((f) => f.endsWith('.json')).sort()
    .map((f) => [f.replace(/\.json$/, ''), JSON.parse(fs.readFileSync(path.join(examples, f), 'utf8'))]);
  cases.push(['typed extremes', extremes], ['virtual cockpit texture', { cockpit_mode: 3, vc_mfd_size: 512 }],
             ['generic cockpit window', { cockpit_mode: 1, window_height: 1200 }]);
  for (const [name, situation] of cases) {
    await enter(situation);
    assert.deepEqual(await page.evaluate(() => Vitals.situation()), situation, `${name}: the situation the inputs made`);
    assert.equal(await page.textContent('#errors'), '', name);
    const expected = simulate(name.replace(/ /g, '-'), situation);
    const cmp = await compareWithPng(expected.png);
    t.diagnostic(`${name}: canvas ${cmp.canvas.join('x')}, PNG ${cmp.png.join('x')}, ${cmp.pixels} pixels, ${cmp.differ} differ`);
    assert.deepEqual(cmp.canvas, cmp.png, `${name}: size`);
    assert.equal(cmp.differ, 0, `${name}: differing pixels`);
    await page.click('#show-trace');
    assert.equal(sameTrace(await page.textContent('#trace')), sameTrace(expected.trace), `${name}: trace`);
    await page.click('#show-trace');
  }
  // The saved PNG is the canvas.
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save-png')]);
  const saved = fs.readFileSync(await download.path()).toString('base64');
  assert.equal((await compareWithPng(saved)).differ, 0);
});

test('a slider redraws the main engine gauge within a frame, and moving it back restores the page', async (t) => {
  await page.selectOption('#preset', 'runway-idle.json');
  await redrawn();
  const before = await canvasPixels();
  const times = [];
  for (const level of [0.25, 0.5, 0.75, 1]) {
    await page.fill('#level-0-0-slider', String(level));
    await redrawn();
    times.push(await page.evaluate(() => Vitals.stats.last));
  }
  const full = await canvasPixels();
  const changed = [];
  for (let i = 0; i < full.data.length; i += 4) {
    if (full.data[i] !== before.data[i] || full.data[i + 1] !== before.data[i + 1] || full.data[i + 2] !== before.data[i + 2]) {
      changed.push([(i / 4) % full.w, Math.floor(i / 4 / full.w), full.data.slice(i, i + 3)]);
    }
  }
  assert.ok(changed.length > 0, 'the page changed');
  // Main engines sit at the tail on the centre line; their gauge is green.
  for (const [x, y, rgb] of changed) {
    assert.deepEqual(rgb, [0, 255, 0], `pixel ${x},${y} turned green`);
    assert.ok(x > full.w * 0.3 && x < full.w * 0.6 && y > full.h * 0.5, `pixel ${x},${y} near the tail`);
  }
  await page.fill('#level-0-0-slider', '0');
  await redrawn();
  assert.deepEqual((await canvasPixels()).data, before.data, 'back to the first picture');
  const median = times.sort((a, b) => a - b)[times.length >> 1];
  t.diagnostic(`redraw per slider move: ${times.map((ms) => ms.toFixed(1)).join(', ')} ms; ` +
               `mean over the whole run ${await page.evaluate(() => (Vitals.stats.total / Vitals.stats.count).toFixed(1))} ms`);
  assert.ok(median < 1000 / 60, `median redraw ${median} ms within one frame at 60 Hz`);
  await page.selectOption('#zoom', '4');
  assert.equal(await page.$eval('#page', (c) => c.style.width), `${full.w * 4}px`);
});

test('broken situations show the loader\'s message and leave the page working', async () => {
  await page.selectOption('#preset', 'takeoff.json');
  await redrawn();
  const before = await canvasPixels();
  const broken = [
    ['{"vessel": {"thrusters": {"15": [1]}}}', 'situation.json: /vessel/thrusters/15: thruster group must be 0 to 14'],
    ['{"cockpit_mode": }', 'situation.json: parse error at line 1, column 18'],
    ['{"keys": [35], "keys": [38]}', 'situation.json: '],
  ];
  for (const [text, message] of broken) {
    await page.fill('#json', text);
    await page.click('#apply-json');
    assert.ok((await page.textContent('#errors')).startsWith(message), `${text}: ${await page.textContent('#errors')}`);
    assert.deepEqual((await canvasPixels()).data, before.data, `${text}: the picture stays`);
  }
  await page.setInputFiles('#json-file', { name: 'bad.json', mimeType: 'application/json', buffer: Buffer.from('[1, 2') });
  await page.waitForFunction(() => document.getElementById('errors').textContent.includes('parse error'));
  // A typed value the loader refuses shows its message too; a good one clears it.
  await page.fill('#level-0-0-value', 'lots');
  await page.waitForFunction(() => document.getElementById('errors').textContent.includes('/vessel/thrusters/0/0'));
  await page.fill('#level-0-0-value', '0.5');
  await page.waitForFunction(() => document.getElementById('errors').textContent === '');
  assert.notDeepEqual((await canvasPixels()).data, before.data, 'the page still answers');
});
