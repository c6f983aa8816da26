
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
  const forgetters = [];  // each drops what an input kept of the situation before the last load
  const refill = () => { for (const f of [...fillers]) f(); };

  let defaults = {};  // the host's values for the fields a situation leaves out
  const get = (pointer, fallback = defaults[pointer]) => {
    let v = situation;
    for (const k of pointer.split('/').slice(1)) {
      if (v === null || typeof v !== 'object' || !(k in v)) return fallback;
      v = v[k];
    }
    return v;
  };
  // Sets an input from the situation, unless it is being typed in; the mark
  // of a refused or warned value stays while the value it marks is shown.
  const setValue = (input, value) => {
    const text = String(value);
    if (input === document.activeElement || input.value === text) return;
    input.value = text;
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

  // A list of the usual values; another value given is shown as an option of its own.
  function select(input, pointer, fallback) {
    const usual = input.options.length;
    input.addEventListener('change', () => set(pointer, Number(input.value), input));
    fillers.push(() => {
      const value = show(get(pointer, fallback));
      if (input.options[usual]?.value !== value) {
        while (input.options.length > usual) input.remove(usual);
        if (![...input.options].some((o) => o.value === value)) input.add(new Option(`${value} (other)`, value));
      }
      input.value = value;
    });
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
  // group's thrusters change; past kShownLevels, the rest on request. A
  // vessel given by thruster index (thruster_groups) shows each group's
  // thrusters by index, their levels shared where groups share them; its
  // groups are edited in the JSON. A count emptied waits for the next digit,
  // and levels dropped by a smaller count come back with a larger one.
  const kShownLevels = 16;
  function thrusterRow(name, g) {
    const pointer = `/vessel/thrusters/${g}`;
    const row = Object.assign(document.createElement('div'), { className: 'group' });
    const count = Object.assign(document.createElement('input'),
                                { type: 'number', min: 0, max: 1024, id: `count-${g}`, title: `${name}: thrusters in the group` });
    const levels = Object.assign(document.createElement('div'), { id: `levels-${g}`, className: 'levels' });
    let fills = [], shown = '', all = false, kept = [];
    forgetters.push(() => { kept = []; });
    count.addEventListener('input', () => {
      if (count.value.trim() === '') return;
      const n = Math.max(0, Math.min(1024, Math.floor(Number(count.value)) || 0));
      const now = Array.isArray(get(pointer, [])) ? get(pointer, []) : [];
      const list = [...now, ...kept.slice(now.length)].slice(0, n);
      while (list.length < n) list.push(0);
      set(pointer, list, count);
    });
    fillers.push(() => {
      const byIndex = get('/vessel/thruster_groups', undefined) !== undefined;
      const list = get(byIndex ? `/vessel/thruster_groups/${g}` : pointer, []);
      const thrusters = Array.isArray(list) ? list.map((t, i) => (byIndex ? t : i)) : [];
      if (!byIndex && Array.isArray(list)) kept = [...list, ...kept.slice(list.length)];
      const at = (t) => (byIndex ? `/vessel/thruster_levels/${t}` : `${pointer}/${t}`);
      if (`${byIndex} ${all} ${thrusters}` !== shown) {
        const start = fillers.length;
        const made = (all ? thrusters : thrusters.slice(0, kShownLevels))
          .map((t, i) => level(`level-${g}-${i}`, at(t), 0, `${name} thruster ${t}`));
        if (made.length < thrusters.length) {
          const more = Object.assign(document.createElement('button'),
                                     { type: 'button', className: 'more', textContent: `all ${thrusters.length} levels` });
          more.onclick = () => {
            all = true;
            refill();
          };
          made.push(more);
        }
        levels.replaceChildren(...made);
        fills = fillers.splice(start);
        shown = `${byIndex} ${all} ${thrusters}`;
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
    // Ticked, the boxes show the size the cockpit gives; both emptied, the cockpit gives it again.
    const sizes = [['width', $('display-width')], ['height', $('display-height')]];
    for (const [key, input] of sizes) {
      input.addEventListener('input', () => {
        const other = sizes.find(([k]) => k !== key)[0];
        if (input.value.trim() === '' && get(`/display/${other}`, undefined) === undefined) set('/display', undefined, input);
        else typed(`/display/${key}`, input);
      });
    }
    fillers.push(() => {
      auto.checked = get('/display', undefined) === undefined;
      const canvas = $('page');
      for (const [key, input] of sizes) {
        input.readOnly = auto.checked;
        setValue(input, auto.checked ? canvas[key] : show(get(`/display/${key}`, undefined)));
      }
    });
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
      refill();
    },
    // After each load.
    forget() { for (const f of forgetters) f(); },
  };
})();
