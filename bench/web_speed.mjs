// Speed of the live page in headless Chromium, for docs/performance.md; not
// run by ctest. From the source folder, after building the default preset:
//   node bench/web_speed.mjs [first-picture] [page-file]
// With first-picture, only the navigation to the first picture is timed, of
// the built page or of page-file (an older build, say).
// The page is served cross-origin isolated (through playwright, no server),
// so that performance.now() counts in microseconds rather than 0.1 ms.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launch } from '../tests/web/browser.mjs';

const source = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'vitals_web_bench-'));
const { browser, page } = await launch(source, temp);

// Navigation to the first picture from disk, median of n fresh pages: the
// first putImageData of more than a pixel, by performance.now() (which counts
// from the navigation's start), and the layout shift until then.
async function firstPicture(file, n) {
  const runs = [];
  for (let i = 0; i < n; i++) {
    const tab = await browser.newPage();
    await tab.addInitScript(() => {
      const put = CanvasRenderingContext2D.prototype.putImageData;
      CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
        if (window.firstPicture === undefined && image.width > 1) window.firstPicture = performance.now();
        return put.call(this, image, ...rest);
      };
    });
    await tab.goto('file://' + file);
    await tab.waitForFunction(() => window.firstPicture !== undefined);
    runs.push(await tab.evaluate(() => window.firstPicture));
    await tab.close();
  }
  runs.sort((a, b) => a - b);
  return { median: runs[n >> 1], runs: runs.map((t) => Math.round(t)), bytes: fs.statSync(file).size };
}
if (process.argv[2] === 'first-picture') {
  const file = path.resolve(process.argv[3] ?? path.join(source, 'build/web/bin/vitals.html'));
  console.log(JSON.stringify(await firstPicture(file, 5)));
  await browser.close();
  fs.rmSync(temp, { recursive: true, force: true });
  process.exit(0);
}
const url = 'http://localhost/vitals.html';
await page.route(url, (route) => route.fulfill({
  path: path.join(source, 'build/web/bin/vitals.html'), contentType: 'text/html',
  headers: { 'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp' } }));
await page.goto(url);
await page.evaluate(() => window.vitals.ready);
if (!await page.evaluate(() => crossOriginIsolated)) throw new Error('the page is not cross-origin isolated');

const takeoff = JSON.parse(fs.readFileSync(path.join(source, 'examples/takeoff.json'), 'utf8'));

// Thruster changes through window.vitals: median and 95th percentile in ms.
async function changes(situation, n) {
  await page.evaluate((text) => window.vitals.load(text), JSON.stringify(situation));
  return page.evaluate((count) => {
    const times = [];
    for (let i = 0; i < count; i++) {
      const t0 = performance.now();
      window.vitals.set('/vessel/thrusters/0/0', (i % 100) / 100);
      times.push(performance.now() - t0);
    }
    times.sort((a, b) => a - b);
    const size = window.vitals.picture();
    return { size: `${size.width}x${size.height}`, median: times[count >> 1], p95: times[Math.floor(count * 0.95)] };
  }, n);
}

// JS heap (after a full collection) and WebAssembly memory, in bytes.
async function memory(cdp) {
  await cdp.send('HeapProfiler.collectGarbage');
  const { usedSize } = await cdp.send('Runtime.getHeapUsage');
  return usedSize + await page.evaluate(() => Session.picture().data.buffer.byteLength);
}

// 100 slider moves in 0.4 s: how many frames after the last one the canvas shows it.
const burst = () => page.evaluate(async () => {
  const slider = document.getElementById('level-0-0-slider');
  const canvas = document.getElementById('page');
  const shown = () => {
    const host = Session.picture().data;
    const drawn = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    return JSON.parse(Session.situation()).vessel.thrusters['0'][0] === 0.99 && drawn.every((v, i) => v === host[i]);
  };
  const redraws = Output.redraws();
  const start = performance.now();
  let last = start;
  for (let i = 0; i < 100;) {  // event i at 4 i ms, more than one on a late timer
    for (; i < 100 && start + 4 * i <= performance.now(); i++) {
      slider.value = String(i / 100);
      slider.dispatchEvent(new Event('input'));
      last = performance.now();
    }
    if (i < 100) await new Promise((r) => setTimeout(r, 1));
  }
  for (let frames = 1; frames < 60; frames++) {
    const at = await new Promise((r) => requestAnimationFrame(r));
    if (shown()) return { spread: last - start, frames, after: at - last, redraws: Output.redraws() - redraws };
  }
  return { spread: last - start, frames: -1 };
});

// Seeks in the 308,837-second flight to the Moon, spread over it back and
// forth: median, p95 and slowest in ms.
async function seeks(n) {
  const file = (extension) => fs.readFileSync(path.join(source, 'examples/flights/dg-to-the-moon' + extension), 'utf8');
  await page.evaluate(([recording, start]) => window.vitals.play(recording, start), [file('.atc'), file('.json')]);
  return page.evaluate((count) => {
    const { to } = Session.flight(0);
    const times = [];
    for (let i = 0; i < count; i++) {
      const t = ((i * 0.6180339887) % 1) * to;
      const t0 = performance.now();
      window.vitals.seek(t);
      times.push(performance.now() - t0);
    }
    times.sort((a, b) => a - b);
    return { median: times[count >> 1], p95: times[Math.floor(count * 0.95)], slowest: times[count - 1] };
  }, n);
}

// The loaded recording played at 100× for 2 s through the timeline: frames,
// redraws, and the flight's time reached.
const playing = () => page.evaluate(async () => {
  window.vitals.seek(0);
  document.getElementById('speed').value = '100';
  const redraws = Output.redraws(), start = performance.now();
  document.getElementById('play').click();
  let frames = 0;
  for (; performance.now() - start < 2000; frames++) await new Promise((r) => requestAnimationFrame(r));
  document.getElementById('play').click();
  return { seconds: (performance.now() - start) / 1000, frames, redraws: Output.redraws() - redraws, time: window.vitals.time() };
});

const results = {
  firstPicture: await firstPicture(path.join(source, 'build/web/bin/vitals.html'), 5),
  panel300: await changes(takeoff, 5000),
  virtual1024: await changes({ ...takeoff, cockpit_mode: 3, vc_mfd_size: 1024 }, 1000),
};
await page.evaluate((text) => window.vitals.load(text), JSON.stringify(takeoff));
const cdp = await browser.newCDPSession(page);
const before = await memory(cdp);
await page.evaluate(() => { for (let i = 0; i < 10000; i++) window.vitals.set('/vessel/thrusters/0/0', (i % 100) / 100); });
results.growthAfter10000 = (await memory(cdp)) - before;
await page.evaluate(() => window.vitals.set('/vessel/thrusters/0/0', 0));
results.burst = await burst();
results.moonSeeks = await seeks(2000);
results.moonAt100x = await playing();
console.log(JSON.stringify(results, null, 2));
await browser.close();
fs.rmSync(temp, { recursive: true, force: true });
