
// The situation's fields as inputs: each edit queues one change of one field
// for the next frame, and every input shows the situation after each frame.
const Inputs = (() => {
  const $ = (id) => document.getElementById(id);
  const kGroups = ['main', 'retro', 'hover', 'pitch up', 'pitch down', 'yaw left', 'yaw right', 'bank left',
                   'bank right', 'right', 'left', 'up', 'down', 'forward', 'back'];
  const kSurfaces = ['elevator', 'rudder', 'aileron'];
  const kNavmodes = ['kill rotation', 'horizon level', 'prograde', 'retrograde', 'normal', 'antinormal', 'hold altitude'];
  const kAdcBits = [[1, 'elevator'], [2, 'rudder'], [4, 'ailerons']];
  const kStatusBits = [[1, 'landed'], [2, 'docked']];

  let situation = {};
  const fillers = [];  // each sets its inputs from the situation

  let defaults = {};  // the host's values for the fields a situation leaves out
  const get = (pointer, fallback = defaults[pointer]) => {
    let v = situation;
    for (const k of pointer.split('/').slice(1)) {
      if (v === null || typeof v !== 'object' || !(k in v)) return fallback;
      v = v[k];
    }
    return v;
  };
  // Sets an input from the situation, unless it is being typed in.
  const setValue = (input, value) => {
    if (input === document.activeElement) return;
    input.value = value;
    input.classList.remove('bad');
  };
  const show = (v) => (v === undefined ? '' : String(v));

  // One change of one field; the input that made it is marked while refused.
  function change(field, apply, source) {
    Frames.add({ field, apply, source });
  }
  const set = (pointer, value, source) => change(pointer, () => Session.set(pointer, value), source);
  const typed = (pointer, source) => change(pointer, () => Session.setTyped(pointer, source.value), source);

  function typedInput(input, pointer, fallback) {
    input.addEventListener('input', () => typed(pointer, input));
    fillers.push(() => setValue(input, show(get(pointer, fallback))));
  }

  function select(input, pointer, fallback) {
    input.addEventListener('change', () => set(pointer, Number(input.value), input));
    fillers.push(() => { input.value = String(get(pointer, fallback)); });
  }

  // A slider and a typed value bound to one level.
  function level(id, pointer, lo, title) {
    const slider = Object.assign(document.createElement('input'),
                                 { type: 'range', min: lo, max: 1, step: 0.01, title, id: id + '-slider' });
    const text = Object.assign(document.createElement('input'), { className: 'typed', title, id: id + '-value' });
    slider.setAttribute('aria-label', title);
    text.setAttribute('aria-label', title);
    slider.addEventListener('input', () => {
      text.value = slider.value;
      set(pointer, Number(slider.value), text);
    });
    text.addEventListener('input', () => typed(pointer, text));
    const fill = () => {
      const v = get(pointer, undefined);
      setValue(text, show(v));
      setValue(slider, typeof v === 'number' ? v : 0);
    };
    fillers.push(fill);
    const span = Object.assign(document.createElement('span'), { className: 'level' });
    span.append(slider, text);
    return span;
  }

  function bits(container, pointer, list, name) {
    const boxes = list.map(([bit, label]) => {
      const box = Object.assign(document.createElement('input'), { type: 'checkbox', id: `${name}-${bit}` });
      box.addEventListener('change', () => {
        const word = get(pointer, 0);
        const n = typeof word === 'number' ? word : 0;
        set(pointer, (box.checked ? n | bit : n & ~bit) >>> 0, box);
      });
      const l = document.createElement('label');
      l.append(box, ' ' + label);
      container.append(l);
      return [bit, box];
    });
    const word = Object.assign(document.createElement('input'), { className: 'typed', id: `${name}-word` });
    const l = document.createElement('label');
    l.append(`${name} word `, word);
    container.append(l);
    typedInput(word, pointer, undefined);
    fillers.push(() => {
      const w = get(pointer, 0);
      for (const [bit, box] of boxes) box.checked = typeof w === 'number' && (w & bit) !== 0;
    });
  }

  // Each group's count of thrusters and a level for each, made anew when the
  // group's thrusters change. A vessel given by thruster index
  // (thruster_groups) shows each group's thrusters by index, their levels
  // shared where groups share them; its groups are edited in the JSON.
  function thrusterRow(name, g) {
    const pointer = `/vessel/thrusters/${g}`;
    const row = Object.assign(document.createElement('div'), { className: 'group' });
    const count = Object.assign(document.createElement('input'),
                                { type: 'number', min: 0, max: 1024, id: `count-${g}`, title: `${name}: thrusters in the group` });
    const levels = Object.assign(document.createElement('div'), { id: `levels-${g}` });
    let fills = [], shown = '';
    count.addEventListener('input', () => {
      const n = Math.max(0, Math.min(1024, Math.floor(Number(count.value)) || 0));
      const list = (Array.isArray(get(pointer, [])) ? get(pointer, []) : []).slice(0, n);
      while (list.length < n) list.push(0);
      set(pointer, n ? list : undefined, count);
    });
    fillers.push(() => {
      const byIndex = get('/vessel/thruster_groups', undefined) !== undefined;
      const list = get(byIndex ? `/vessel/thruster_groups/${g}` : pointer, []);
      const thrusters = Array.isArray(list) ? list.map((t, i) => (byIndex ? t : i)) : [];
      const at = (t) => (byIndex ? `/vessel/thruster_levels/${t}` : `${pointer}/${t}`);
      if (`${byIndex} ${thrusters}` !== shown) {
        const start = fillers.length;
        levels.replaceChildren(...thrusters.map((t, i) => level(`level-${g}-${i}`, at(t), 0, `${name} thruster ${t}`)));
        fills = fillers.splice(start);
        shown = `${byIndex} ${thrusters}`;
      }
      count.readOnly = byIndex;
      setValue(count, thrusters.length);
      for (const f of fills) f();
    });
    const label = document.createElement('span');
    label.textContent = `${g} ${name}`;
    row.append(label, count, levels);
    return row;
  }

  function cockpit() {
    select($('cockpit-mode'), '/cockpit_mode');
    typedInput($('cockpit-mode-value'), '/cockpit_mode');
    for (const [id, item] of [['generic-mfd-size', 'GenericMFDSize'], ['panel-scale', 'PanelScale']]) {
      const input = $(id);
      input.addEventListener('input', () => change(`config ${item}`, () => Session.setConfigItem(item, input.value), input));
      fillers.push(() => setValue(input, Session.configItem(item)));
    }
    const config = $('config');
    config.addEventListener('input', () => set('/config', config.value, config));
    fillers.push(() => setValue(config, get('/config')));
    typedInput($('window-height'), '/window_height');
    select($('vc-mfd-size'), '/vc_mfd_size');
    const auto = $('display-auto');
    auto.addEventListener('change', () => {
      const canvas = $('page');
      set('/display', auto.checked ? undefined : { width: canvas.width, height: canvas.height }, auto);
    });
    fillers.push(() => { auto.checked = get('/display', undefined) === undefined; });
    typedInput($('display-width'), '/display/width', undefined);
    typedInput($('display-height'), '/display/height', undefined);
  }

  function keys() {
    $('key-other').onclick = () => change(undefined, () => Session.pressTyped($('other-key').value), $('other-key'));
    fillers.push(() => {
      const list = [...get('/inputs', []), ...get('/keys', []).map((key) => ({ key }))];
      $('inputs').textContent = list.length ? list.map((i) => ('key' in i ? `key ${i.key}` : `button ${i.button}`)).join(', ') : 'none';
    });
  }

  function vessel() {
    select($('attitude-mode'), '/attitude_mode');
    typedInput($('attitude-mode-value'), '/attitude_mode');
    kGroups.forEach((name, g) => $('thrusters').append(thrusterRow(name, g)));
    const row = (...content) => {
      const div = Object.assign(document.createElement('div'), { className: 'row' });
      div.append(...content);
      $('surfaces').append(div);
    };
    kSurfaces.forEach((name, i) => row(`${i} ${name} `, level(`surface-${i}`, `/vessel/control_surfaces/${i}`, -1, name)));
    for (const w of [1, 2]) row(`wheel ${w} brake `, level(`brake-${w}`, `/vessel/wheel_brakes/${w}`, 0, `wheel ${w} brake`));
    kNavmodes.forEach((name, i) => navmode(name, i + 1));
    bits($('adc'), '/vessel/adc_mode', kAdcBits, 'adc');
    bits($('flight'), '/vessel/flight_status', kStatusBits, 'status');
  }

  function navmode(name, mode) {
    const box = Object.assign(document.createElement('input'), { type: 'checkbox', id: `navmode-${mode}` });
    const list = () => (Array.isArray(get('/vessel/navmodes', [])) ? get('/vessel/navmodes', []) : []);
    box.addEventListener('change', () => {
      const modes = list().filter((m) => m !== mode);
      if (box.checked) modes.push(mode);
      set('/vessel/navmodes', modes.length ? modes : undefined, box);
    });
    fillers.push(() => { box.checked = list().includes(mode); });
    const l = document.createElement('label');
    l.append(box, ` ${mode} ${name}`);
    $('navmodes').append(l);
  }

  return {
    wire() {
      cockpit();
      keys();
      vessel();
    },
    // Every input from the situation's JSON text.
    fill(text) {
      situation = JSON.parse(text);
      defaults = Session.defaults();
      for (const f of [...fillers]) f();
    },
  };
})();
