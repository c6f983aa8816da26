// The live page in Debian's Chromium: window.vitals against vitals-sim's
// pictures and traces, refused input, a bezel button, a typed key, a flight
// recording's timeline and a scenario's flight.
// Run by ctest; exits 77 (skipped) when emscripten or Chromium is missing.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { launch } from './browser.mjs';

const source = process.env.VITALS_SOURCE_DIR;
const sim = process.env.VITALS_SIM;
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'vitals_web_test-'));
let browser;
let page;

// The `> Update` section of a trace file.
function update(trace) {
  const lines = fs.readFileSync(trace, 'utf8').split('\n');
  const start = lines.indexOf('> Update');
  const end = lines.findIndex((line, i) => i > start && line.startsWith('> '));
  return lines.slice(start, end).join('\n') + '\n';
}

// vitals-sim's picture (base64 PNG) and the trace of its refresh.
function simulate(name, text) {
  const state = path.join(temp, `${name}.json`), png = path.join(temp, `${name}.png`), trace = path.join(temp, `${name}.trace`);
  fs.writeFileSync(state, text);
  execFileSync(sim, ['render', '--state', state, '--png', png, '--trace', trace]);
  return { png: fs.readFileSync(png).toString('base64'), trace: update(trace) };
}

// The trace of vitals-sim play's refresh at t of a shipped recording.
function simulatePlay(name, t) {
  const file = (extension) => path.join(source, 'examples/flights', name + extension), trace = path.join(temp, `${name}.trace`);
  execFileSync(sim, ['play', '--state', file('.json'), '--flight', file('.atc'), '--from', t, '--to', t, '--trace', trace]);
  return update(trace);
}

// The trace of vitals-sim's refresh at t of a scenario's flight, found as the host finds it.
function simulateScenario(scenario, t) {
  const trace = path.join(temp, 'scenario.trace');
  execFileSync(sim, ['play', '--scenario', scenario, '--from', t, '--to', t, '--trace', trace]);
  return update(trace);
}

// vitals.picture() against a PNG: sizes and the number of differing pixels.
const comparePicture = (png) => page.evaluate(async (b64) => {
  const bytes = Uint8Array.from(atob(b64), (ch) => ch.charCodeAt(0));
  const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
                                         { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
  const ref = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
  ref.drawImage(bitmap, 0, 0);
  const shown = window.vitals.picture();
  const result = { png: [bitmap.width, bitmap.height], shown: [shown.width, shown.height], differ: -1 };
  if (shown.width !== bitmap.width || shown.height !== bitmap.height) return result;
  const a = ref.getImageData(0, 0, bitmap.width, bitmap.height).data;
  result.differ = 0;
  for (let i = 0; i < a.length; i += 4) if (a[i] !== shown.data[i] || a[i + 1] !== shown.data[i + 1] || a[i + 2] !== shown.data[i + 2]) result.differ++;
  return result;
}, png);

// A call of window.vitals; a picture comes back as its size and a digest of its pixels.
const vitals = (call, ...args) => page.evaluate(async ([c, a]) => {
  const result = await window.vitals[c](...a);
  if (c !== 'picture') return result;
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', result.data));
  return `${result.width}x${result.height} ${Array.from(digest, (b) => b.toString(16).padStart(2, '0')).join('')}`;
}, [call, args]);
const example = (name) => fs.readFileSync(path.join(source, 'examples', `${name}.json`), 'utf8');
const flight = (name, extension) => fs.readFileSync(path.join(source, 'examples/flights', name + extension), 'utf8');
const tag = async () => (await vitals('trace')).match(/TextOutA \d+ \d+ \d+ "(Norm|Log)"/)?.[1];

before(async () => {
  ({ browser, page } = await launch(source, temp));
  page.on('pageerror', (e) => assert.fail(`page error: ${e.message}`));
});

after(async () => {
  await browser?.close();
  fs.rmSync(temp, { recursive: true, force: true });
});

test('a loaded situation shows vitals-sim\'s picture and refresh trace, with the module fresh', async () => {
  const cases = [
    ['legend-log-generic', example('legend-log-generic')],
    ['takeoff after legend and log', '\ufeff' + example('takeoff')],
    ['typed extremes', JSON.stringify({
      cockpit_mode: 1, config: 'GenericMFDSize = 4\nPanelScale = 1.5\n', display: { width: 300, height: 200 },
      inputs: [{ key: 35 }, { button: 1 }, { key: 20 }, { button: 0 }], attitude_mode: 2,
      vessel: { thrusters: { 0: ['nan', -0.5], 9: ['inf', '-inf', 2] }, control_surfaces: { 0: 7, 2: -1.25 },
                wheel_brakes: { 1: 'inf' }, navmodes: [1, 6], adc_mode: 4294967295, flight_status: 12 } })],
    ['virtual cockpit', example('legend-log-virtual')],
  ];
  for (const [name, text] of cases) {
    assert.deepEqual(await vitals('load', text), { ok: true, messages: [] }, name);
    const expected = simulate(name.replace(/ /g, '-'), text);
    const cmp = await comparePicture(expected.png);
    assert.deepEqual(cmp.shown, cmp.png, `${name}: size`);
    assert.equal(cmp.differ, 0, `${name}: differing pixels`);
    assert.equal(await vitals('trace'), expected.trace, `${name}: trace`);
  }
});

test('set changes one field and redraws; refused input leaves the situation and page as they were', async () => {
  await vitals('load', example('takeoff'));
  const before = { situation: await vitals('situation'), picture: await vitals('picture') };
  assert.equal((await vitals('set', '/vessel/thrusters/0/0', 0.5)).ok, true);
  assert.match(await vitals('trace'), /^GetThrusterLevel 0 0 -> 0.5$/m);
  assert.notDeepEqual(await vitals('picture'), before.picture);
  assert.equal((await vitals('set', '/vessel/thrusters/0/0', 1)).ok, true);
  assert.deepEqual(await vitals('picture'), before.picture, 'back to the first picture');
  const refused = [
    [['set', '/vessel/thrusters/0/0', 'lots'], '/vessel/thrusters/0/0: must be a number or "nan", "inf" or "-inf", not "lots"'],
    [['set', '/vessel/thrusters/0/1'], '/vessel/thrusters/0/1: a list entry needs a value'],
    [['load', '{"cockpit_mode": }'], 'parse error at line 1, column 18'],
    [['load', '{"vessel": {"thrusters": {"15": [1]}}}'], '/vessel/thrusters/15: thruster group must be 0 to 14'],
    [['press', 1.5], 'key: must be an integer from 0 to 4294967295, not 1.5'],
  ];
  for (const [[call, ...args], message] of refused) {
    const result = await vitals(call, ...args);
    assert.equal(result.ok, false, call);
    assert.ok(result.messages[0].startsWith(message), result.messages[0]);
    assert.equal(await vitals('situation'), before.situation, `${call}: the situation stays`);
    assert.deepEqual(await vitals('picture'), before.picture, `${call}: the picture stays`);
  }
});

test('the bezel\'s LOG button and a key typed on the focused display switch the scale', async () => {
  await vitals('load', example('takeoff'));
  await page.click('#button-1');
  assert.equal(await tag(), 'Log', 'LOG clicked');
  await vitals('load', example('takeoff'));
  await page.focus('#screen');
  await page.keyboard.press('KeyL');
  assert.equal(await tag(), 'Log', 'L typed');
});

test('a recording shows vitals-sim play\'s refresh due at each time; its situation is read-only', async () => {
  const ok = { ok: true, messages: [] };
  assert.deepEqual(await vitals('play', flight('dg-stunts', '.atc'), flight('dg-stunts', '.json')), ok);
  assert.equal(await vitals('time'), 0);
  assert.deepEqual(await vitals('seek', 1e9), ok);
  assert.equal(await vitals('time'), 262, 'the last refresh');
  assert.deepEqual(await vitals('seek', 10.9), ok);
  assert.equal(await vitals('time'), 10.5, 'back to the refresh due');
  assert.equal(await vitals('trace'), simulatePlay('dg-stunts', '10.5'));
  const before = await vitals('picture');
  assert.match((await vitals('set', '/attitude_mode', 1)).messages[0], /^\/attitude_mode: a recording is loaded/);
  const refused = await vitals('play', 'x2 GEAR UP\n0.5 ENG 0:1\n', flight('dg-stunts', '.json'));
  assert.deepEqual(refused, { ok: false, messages: ['line 1: the first line has no time: \'x2 GEAR UP\''] });
  assert.equal(await vitals('time'), 10.5, 'the recording stays');
  assert.deepEqual(await vitals('picture'), before, 'the picture stays');
});

test('a preset recording plays and pauses through the timeline, listing its latest events', async () => {
  await page.selectOption('#flight-preset', 'dg-stunts');
  await page.waitForFunction(() => window.vitals.time() === 0);
  assert.equal(await page.isDisabled('#attitude-mode'), true, 'the fields are read-only');
  await page.selectOption('#speed', '100');
  await page.click('#play');
  await page.waitForFunction(() => window.vitals.time() >= 10);
  await page.click('#play');
  const paused = await vitals('time');
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  assert.equal(await vitals('time'), paused, 'paused');
  await vitals('seek', 36);
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(r)));
  assert.match(await page.textContent('#events'), /10\.38 {2}ENG 0:1 1:1\n +35\.47 {2}GEAR UP$/);
  // The delta-glider's thrusters by index: right translation (group 9) holds 13 and 12.
  assert.deepEqual(await page.$$eval('#levels-9 input.typed', (l) => l.map((i) => i.getAttribute('aria-label'))),
                   ['right thruster 13', 'right thruster 12']);
  assert.equal(await page.inputValue('#level-0-1-value'), '1', 'main engine 1 at full thrust');
  await page.click('#edit-here');
  await page.waitForFunction(() => window.vitals.time() === null);
  assert.equal((await vitals('set', '/attitude_mode', 1)).ok, true, 'editable again');
  // A damaged recording plays, its skipped lines listed beside the timeline.
  await vitals('play', '0.5 ENG 0:1\n\nx2 GEAR UP\n', flight('dg-stunts', '.json'));
  assert.equal(await page.textContent('#flight-warnings'),
               "line 3: the time 'x2' does not read: the player stops here and ignores the rest of the file");
});

const frames = (n = 2) => page.evaluate((count) => new Promise((r) => {
  const step = (left) => (left ? requestAnimationFrame(() => step(left - 1)) : r());
  step(count);
}), n);

test('text typed in the JSON box stays when its load is refused, and stays until loaded or reverted', async () => {
  await vitals('load', example('takeoff'));
  for (const [text, message] of [['{"vessel": {"thrusters": {"0": [1, "x"]}}}', /\/vessel\/thrusters\/0\/1: must be a number/],
                                 ['{', /parse error at line 1, column 2/]]) {
    await page.fill('#json', text);
    await page.click('#apply-json');
    await frames();
    assert.match(await page.textContent('#errors'), message);
    assert.equal(await page.inputValue('#json'), text, 'the text kept');
  }
  await page.click('#button-1');
  await frames();
  assert.equal(await page.inputValue('#json'), '{', 'kept while the display changes');
  await page.click('#revert-json');
  assert.equal(await page.inputValue('#json'), await vitals('situation'), 'reverted');
});

test('a thruster count emptied and typed again keeps the group\'s levels and its place', async () => {
  await vitals('load', example('takeoff'));
  await page.click('#count-0', { clickCount: 3 });
  await page.keyboard.press('Backspace');
  await frames(3);
  await page.keyboard.type('2');
  await frames();
  assert.deepEqual(JSON.parse(await vitals('situation')).vessel.thrusters['0'], [1, 1], 'emptied, then 2');
  for (const n of ['1', '2']) {
    await page.fill('#count-0', n);
    await frames();
  }
  const text = await vitals('situation');
  assert.deepEqual(JSON.parse(text).vessel.thrusters['0'], [1, 1], '1, then 2');
  assert.match(text, /"thrusters": \{\s*"0":/, 'the group keeps its place');
});

test('the page loads without moving, and fits 360 pixels without sideways scrolling', async () => {
  for (const [width, height] of [[1280, 800], [360, 740]]) {
    const tab = await browser.newPage();
    await tab.setViewportSize({ width, height });
    await tab.goto('file://' + path.join(source, 'build/web/bin/vitals.html'));
    await tab.evaluate(() => window.vitals.ready);
    const shift = await tab.evaluate(() => new Promise((resolve) => {
      let sum = 0;
      new PerformanceObserver((list) => { for (const e of list.getEntries()) sum += e.value; })
        .observe({ type: 'layout-shift', buffered: true });
      requestAnimationFrame(() => requestAnimationFrame(() => resolve(sum)));
    }));
    assert.ok(shift < 0.05, `${width}: layout shift ${shift}`);
    const wide = await tab.evaluate(() => [document.documentElement.scrollWidth,
      Math.max(...[...document.querySelectorAll('#right input, #left input')].map((e) => e.getBoundingClientRect().right))]);
    assert.ok(wide[0] <= width && wide[1] <= width, `${width}: the page is ${wide[0]} px wide, an input ends at ${wide[1]}`);
    await tab.close();
  }
});

test('playback holds while the time slider is held; "—" unloads the recording', async () => {
  await page.selectOption('#flight-preset', 'dg-stunts');
  await page.waitForFunction(() => window.vitals.time() === 0);
  await page.selectOption('#speed', '10');
  await page.click('#play');
  const box = await page.locator('#flight-time').boundingBox();
  await page.mouse.move(box.x + box.width * 0.25, box.y + box.height / 2);
  await page.mouse.down();
  await frames();
  const held = [await vitals('time'), await page.inputValue('#flight-time')];
  await page.waitForTimeout(500);
  assert.deepEqual([await vitals('time'), await page.inputValue('#flight-time')], held, 'held still');
  await page.mouse.up();
  await page.waitForFunction((t) => window.vitals.time() > t, held[0]);
  await page.click('#play');
  await page.selectOption('#flight-preset', '');
  await page.waitForFunction(() => window.vitals.time() === null);
  assert.deepEqual(JSON.parse(await vitals('situation')), JSON.parse(flight('dg-stunts', '.json')), 'the start situation');
  assert.equal(await page.isDisabled('#attitude-mode'), false, 'editable again');
});

test('the timeline steps to the previous and next event, to a typed time, and one refresh a key press', async () => {
  await page.selectOption('#flight-preset', 'dg-stunts');
  await page.waitForFunction(() => window.vitals.time() === 0);
  // Events at 0.0226 and from 9.511 s, applied at the refreshes after them.
  for (const [button, t] of [['#next-event', 0.5], ['#next-event', 10], ['#previous-event', 0.5]]) {
    await page.click(button);
    await frames();
    assert.equal(await vitals('time'), t, button);
  }
  await page.fill('#time-typed', '0:00:36');
  await page.press('#time-typed', 'Enter');
  await frames();
  assert.equal(await vitals('time'), 36, 'typed');
  await page.focus('#flight-time');
  await page.keyboard.press('ArrowRight');
  await frames();
  assert.equal(await vitals('time'), 36.5, 'one refresh on');
});

test('a level box reads what it is given as the JSON loader does', async () => {
  await vitals('load', example('takeoff'));
  for (const [typed, level, message] of [['1e309', 1, '/vessel/thrusters/0/0: number overflow parsing \'1e309\''],
                                         ['NaN', 'nan', ''], ['-INF', '-inf', '']]) {
    await page.fill('#level-0-0-value', typed);
    await frames();
    assert.equal(await page.textContent('#errors'), message, typed);
    assert.equal(JSON.parse(await vitals('situation')).vessel.thrusters['0'][0], level, typed);
  }
});

test('a recording file over 1 MB, read in a worker, plays as the same text played directly', async () => {
  await vitals('load', example('takeoff'));
  const start = await vitals('situation');
  const lines = ['0.1 ENG zz:1'];
  for (let i = 1; i < 60000; i++) lines.push(`${i / 2} ENG 0:${(i % 10) / 10} 1:0.5${i % 1000 ? '' : ' 2:1'}`);
  const text = lines.join('\n') + '\n', file = path.join(temp, 'long.atc');
  fs.writeFileSync(file, text);
  await page.setInputFiles('#flight-file', file);
  await page.waitForFunction(() => window.vitals.time() !== null && document.getElementById('flight-loading').hidden);
  const shown = async () => {
    await vitals('seek', 12345.6);
    return [await page.evaluate(() => JSON.stringify(Session.flight(8))), await vitals('picture')];
  };
  const read = await shown();
  assert.match(read[0], /"warnings":\["line 1: /, 'the damaged line warned of');
  assert.deepEqual(await vitals('play', text, start), { ok: true, messages: [] });
  assert.deepEqual(await shown(), read);
});

test('fields show what the situation holds: warned values outlined, the cockpit\'s size, another mode, an edit in the file name', async () => {
  await vitals('load', example('takeoff'));
  const state = () => page.evaluate(() => ({
    outlined: document.getElementById('generic-mfd-size').classList.contains('bad'),
    size: [document.getElementById('display-width').value, document.getElementById('display-height').value],
    cockpit: document.getElementById('cockpit-mode').selectedOptions[0]?.text,
    display: JSON.parse(window.vitals.situation()).display,
  }));
  assert.deepEqual((await state()).size, ['300', '300'], 'the size the cockpit gives');
  await page.fill('#generic-mfd-size', 'abc');
  await frames();
  assert.equal((await state()).outlined, true, 'a value read as missing is outlined');
  await page.click('#display-auto');
  await frames();
  for (const id of ['#display-width', '#display-height']) await page.fill(id, '');
  await frames();
  assert.deepEqual((await state()).display, undefined, 'both sizes emptied: the cockpit gives it again');
  await vitals('set', '/cockpit_mode', 7);
  await frames();
  assert.equal((await state()).cockpit, '7 (other)');
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download-json')]);
  assert.equal(download.suggestedFilename(), 'situation-edited.json');
});

test('"Edit from here" keeps what keys and buttons did to the display', async () => {
  await page.selectOption('#flight-preset', 'dg-stunts');
  await page.waitForFunction(() => window.vitals.time() === 0);
  await page.focus('#screen');
  await page.keyboard.press('KeyH');
  const shown = await vitals('picture');
  await page.click('#edit-here');
  await page.waitForFunction(() => window.vitals.time() === null);
  assert.equal(await vitals('picture'), shown);
});

test('a scenario plays its recording chosen with it or found in the simulator\'s folder; a broken one is refused at its line', async () => {
  const orbiter = path.join(source, 'examples/orbiter');
  const stunts = path.join(orbiter, 'Scenarios/Tutorials/DG stunts.scn');
  const flightShown = async () => {
    await page.waitForFunction(() => window.vitals.time() !== null && document.getElementById('flight-loading').hidden);
    return page.textContent('#errors');
  };
  await vitals('load', example('takeoff'));
  await page.setInputFiles('#json-file', [stunts, path.join(orbiter, 'Flights/DG stunts/GL-01.atc')]);
  assert.equal(await flightShown(), '');
  assert.equal(await vitals('time'), 0);
  await vitals('seek', 10.9);
  assert.equal(await vitals('trace'), simulateScenario(stunts, '10.5'), 'from the scenario\'s start');
  const redraws = await page.evaluate(() => Output.redraws());
  await page.selectOption('#speed', '100');
  await page.click('#play');
  await page.waitForFunction(() => window.vitals.time() >= 30);
  await page.click('#play');
  assert.ok(await page.evaluate(() => Output.redraws()) >= redraws + 3, 'refreshes shown as it plays');

  // The folder's scenario names its recording's folder on a Playback line.
  await vitals('load', example('takeoff'));
  await page.setInputFiles('#orbiter-folder', orbiter);
  await page.selectOption('#scenario-list', { label: '2024 Edition/# Welcome to Orbiter 2024' });
  assert.match(await flightShown(), /^# Welcome to Orbiter 2024\.scn:101: THLEVEL: thruster 4 at -0\.10147 reads 0$/m,
               'its warnings listed');
  const welcome = path.join(orbiter, 'Scenarios/2024 Edition/# Welcome to Orbiter 2024.scn');
  assert.equal(await vitals('trace'), simulateScenario(welcome, String(await vitals('time'))));

  await vitals('load', example('takeoff'));
  const before = await vitals('situation');
  const broken = path.join(temp, 'broken.scn');
  fs.writeFileSync(broken, 'BEGIN_FOCUS\n  Ship GL-01\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\n  STATUS Landed Earth\n' +
                           '  RCSMODE two\nEND\nEND_SHIPS\n');
  await page.setInputFiles('#flight-file', broken);
  await page.waitForFunction(() => document.getElementById('errors').textContent !== '');
  assert.match(await page.textContent('#errors'), /^broken\.scn:7: RCSMODE: /);
  assert.equal(await vitals('situation'), before, 'the situation stays');
});
