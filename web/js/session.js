// The page's host in WebAssembly (web/host.cpp): compiled once, and a fresh
// instance for each situation loaded, since only a fresh instance holds a
// freshly loaded module. Calls return {ok, messages}.
const Session = (() => {
  let compiled = null;  // the WebAssembly.Module
  let host = null;      // the live instance's Emscripten module
  let stopped = '';     // why the live instance can no longer be used
  let loading = Promise.resolve();
  let view = null;      // the pixels' view, kept while they stay where they are
  let spare = null;     // an instance made at start, for the first load

  function decode(base64) {
    const text = atob(base64.trim());
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    return bytes;
  }

  // Compiles the binary; returns the examples the page carries: situations
  // by name, and the recordings of examples/flights with their start situations.
  async function start() {
    compiled = await WebAssembly.compile(decode(document.getElementById('vitals-wasm').textContent));
    spare = await instance();
    const FS = spare.FS;
    const read = (file) => FS.readFile(file, { encoding: 'utf8' });
    const named = (folder, extension) => FS.readdir(folder).filter((n) => n.endsWith(extension)).sort()
      .map((n) => ({ name: n.slice(0, -extension.length), text: read(`${folder}/${n}`) }));
    return {
      situations: named('/examples', '.json'),
      flights: named('/examples/flights', '.atc').map(({ name, text }) =>
        ({ name, recording: text, start: read(`/examples/flights/${name}.json`) })),
    };
  }

  function instance() {
    return createVitals({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports).then((made) => receive(made, compiled));
        return {};
      },
      print() {},
      printErr() {},
    });
  }

  // Runs fn(...pointers) with the strings copied into the instance (null stays 0).
  function withStrings(on, strings, fn) {
    const at = strings.map((s) => {
      if (s === null) return 0;
      const n = on.lengthBytesUTF8(s) + 1;
      const p = on._malloc(n);
      on.stringToUTF8(s, p, n);
      return p;
    });
    try {
      return fn(...at);
    } finally {
      for (const p of at) if (p) on._free(p);
    }
  }

  function outcome(on, status) {
    const text = on.UTF8ToString(on._vitals_messages());
    return { ok: status === 1, messages: text ? text.split('\n') : [] };
  }

  // One call into the live instance; a trap stops it until the next load.
  function call(fn, strings = []) {
    if (!host || stopped) return { ok: false, messages: [stopped || 'the page is not ready'] };
    try {
      return outcome(host, withStrings(host, strings, fn));
    } catch (e) {
      stopped = `the page's host stopped (${e.message ?? e}): load a situation to go on`;
      return { ok: false, messages: [stopped] };
    }
  }

  // Checked on the live instance, then opened in a fresh one: check and open
  // name the host's calls, which take each string with its length.
  async function openNow(strings, check, open) {
    const sized = (on, at) => at.flatMap((p, i) => [p, on.lengthBytesUTF8(strings[i])]);
    if (host && !stopped) {
      const checked = call((...at) => host[check](...sized(host, at)), strings);
      if (!checked.ok) return checked;
    }
    let result;
    try {
      const fresh = spare ?? await instance();
      spare = null;
      result = outcome(fresh, withStrings(fresh, strings, (...at) => fresh[open](...sized(fresh, at))));
      if (result.ok) host = fresh;
    } catch (e) {
      return { ok: false, messages: [`the page's host stopped (${e.message ?? e}) loading the situation`] };
    }
    if (result.ok) stopped = '';
    return result;
  }

  // Loads are taken one at a time, in the order asked.
  function opened(strings, check, open) {
    const next = loading.then(() => openNow(strings.map(String), check, open));
    loading = next.catch(() => {});
    return next;
  }

  // JSON text of a value, non-finite numbers as the situation format spells
  // them; null for what JSON cannot hold.
  function json(value) {
    try {
      return JSON.stringify(value, (_, v) =>
        (typeof v === 'number' && !Number.isFinite(v) ? (Number.isNaN(v) ? 'nan' : v > 0 ? 'inf' : '-inf') : v)) ?? null;
    } catch {
      return null;
    }
  }
  const notJson = (what) => ({ ok: false, messages: [`${what}: the value cannot be written as JSON`] });

  const read = (name, ...args) => (host && !stopped ? host.UTF8ToString(host[name](...args)) : '');
  const number = (name, ...args) => (host && !stopped ? host[name](...args) : NaN);

  return {
    start,
    load: (text) => opened([text], '_vitals_check', '_vitals_load'),
    // A recording with its start situation, at its first refresh time.
    play: (recording, situation) => opened([recording, situation], '_vitals_check_flight', '_vitals_play'),
    seek: (t) => call(() => host._vitals_seek(Number(t))),
    // The recording's refresh time due at t, and the current one; NaN without a recording.
    due: (t) => number('_vitals_due', t),
    time: () => number('_vitals_time'),
    // {from, to, interval, time, events: the last n applied} or null.
    flight: (n) => JSON.parse(read('_vitals_flight', n) || 'null'),
    set(pointer, value) {
      const text = value === undefined ? null : json(value);
      if (value !== undefined && text === null) return notJson(String(pointer));
      return call((p, v) => host._vitals_set(p, v), [String(pointer), text]);
    },
    setTyped: (pointer, text) => call((p, t) => host._vitals_set_typed(p, t), [pointer, text]),
    setConfigItem: (name, text) => call((n, t) => host._vitals_set_config_item(n, t), [name, text]),
    send: (input) => (json(input) === null ? notJson('input') : call((i) => host._vitals_send(i), [json(input)])),
    pressTyped: (text) => call((t) => host._vitals_press_typed(t), [text]),
    buttonEvent: (bt, event) => call(() => host._vitals_button_event(bt, event)),
    refresh: () => call(() => host._vitals_refresh()),
    // A view of the last refresh's RGBA pixels in the instance's memory, valid
    // until the next call.
    picture() {
      if (!host || stopped) return { width: 0, height: 0, data: new Uint8ClampedArray(0) };
      const width = host._vitals_width(), height = host._vitals_height(), at = host._vitals_pixels();
      const buffer = host.HEAPU8.buffer, n = width * height * 4;
      if (!view || view.buffer !== buffer || view.byteOffset !== at || view.length !== n) view = new Uint8ClampedArray(buffer, at, n);
      return { width, height, data: view };
    },
    trace: () => read('_vitals_trace'),
    situation: () => read('_vitals_situation'),
    labels: () => JSON.parse(read('_vitals_labels') || '[]'),
    menu: () => JSON.parse(read('_vitals_menu') || '[]'),
    modes: () => JSON.parse(read('_vitals_modes') || '[]'),
    defaults: () => JSON.parse(read('_vitals_defaults') || '{}'),
    configItem: (name) => (host && !stopped ? withStrings(host, [name], (n) => host.UTF8ToString(host._vitals_config_item(n))) : ''),
  };
})();
