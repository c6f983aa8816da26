// The page's host in WebAssembly (web/host.cpp): compiled once (started by
// start.js in the page's head), and a fresh instance for each situation
// loaded, since only a fresh instance holds a freshly loaded module. Calls
// return {ok, messages}.
const Session = (() => {
  let compiled = null;  // the WebAssembly.Module
  let host = null;      // the live instance's Emscripten module
  let stopped = '';     // why the live instance can no longer be used
  let loading = Promise.resolve();
  let view = null;      // the pixels' view, kept while they stay where they are
  let spare = null;     // an instance made at start, for the first load
  let sent = [];        // the keys and buttons sent since the last load, as situation inputs

  // Compiles the binary; returns the examples the page carries: situations
  // by name, and the recordings of examples/flights with their start situations.
  async function start() {
    compiled = await vitalsCompiled;
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

  // A string copied into the instance as UTF-8 with a NUL after it (encoded
  // natively, however long): [pointer, bytes]; the caller frees the pointer.
  const encoder = new TextEncoder();
  function copied(on, s) {
    const bytes = typeof s === 'string' ? encoder.encode(s) : s;
    const p = on._malloc(bytes.length + 1);
    on.HEAPU8.set(bytes, p);
    on.HEAPU8[p + bytes.length] = 0;
    return [p, bytes.length];
  }

  // Runs fn(...pointers) with the strings (or Uint8Arrays) copied into the
  // instance (null stays 0); with sized, fn(pointer, bytes, ...) instead.
  function withStrings(on, strings, fn, sized = false) {
    const at = strings.map((s) => (s === null ? [0, 0] : copied(on, s)));
    try {
      return fn(...(sized ? at.flat() : at.map(([p]) => p)));
    } finally {
      for (const [p] of at) if (p) on._free(p);
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

  // Opened in a fresh instance, which becomes the live one unless it refuses:
  // open names the host's call, which takes each string with its length.
  async function openNow(strings, open) {
    let result;
    try {
      const fresh = spare ?? await instance();
      spare = null;
      result = outcome(fresh, withStrings(fresh, strings, fresh[open], true));
      if (result.ok) host = fresh;
    } catch (e) {
      return { ok: false, messages: [`the page's host stopped (${e.message ?? e}) loading the situation`] };
    }
    if (result.ok) {
      stopped = '';
      sent = [];
    }
    return result;
  }

  // Loads are taken one at a time, in the order asked.
  function opened(strings, open) {
    const next = loading.then(() => openNow(strings.map((s) => (s instanceof Uint8Array ? s : String(s))), open));
    loading = next.catch(() => {});
    return next;
  }

  // A call that sends an input, logged when taken.
  function sending(input, result) {
    if (result.ok) sent.push(input);
    return result;
  }

  // A worker's own instance of the binary, off the page's thread: it opens a
  // recording there as the page would, to tell whether it plays and why not,
  // and hands the recording as read back to the page (packed).
  const kWorker = `const encoder = new TextEncoder();
  ${copied}
  onmessage = async ({ data: { module, strings } }) => {
    const on = await createVitals({ print() {}, printErr() {}, instantiateWasm(imports, receive) {
      WebAssembly.instantiate(module, imports).then((made) => receive(made, module));
      return {};
    } });
    const at = strings.map((s) => copied(on, s));
    const ok = on._vitals_play(...at.flat()) === 1;
    const p = ok ? on._vitals_flight_packed() : 0, packed = on.HEAPU8.slice(p, p + (ok ? on._vitals_text_size() : 0));
    postMessage({ ok, messages: ok ? [] : on.UTF8ToString(on._vitals_messages()).split('\\n'), packed }, [packed.buffer]);
  };`;
  let workerUrl = null;

  // Resolves to {ok, messages, packed} of opening the recording in a worker;
  // cancel() ends the worker, resolving to a refusal.
  function tryInWorker(recording, situation) {
    workerUrl ??= URL.createObjectURL(new Blob([document.getElementById('vitals-core').textContent, kWorker],
                                               { type: 'text/javascript' }));
    const worker = new Worker(workerUrl);
    let cancel;
    const tried = new Promise((resolve) => {
      cancel = () => resolve({ ok: false, messages: ['cancelled'] });
      worker.onmessage = ({ data }) => resolve(data);
      worker.onerror = (e) => resolve({ ok: false, messages: [`the page's worker stopped: ${e.message}`] });
      worker.postMessage({ module: compiled, strings: [String(recording), String(situation)] });
    }).finally(() => worker.terminate());
    return { tried, cancel: () => cancel() };
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
    tryInWorker,
    load: (text) => opened([text], '_vitals_load'),
    // A recording with its start situation, at its first refresh time.
    play: (recording, situation) => opened([recording, situation], '_vitals_play'),
    // A scenario's start, {ok, situation, recording, notes} as the host's
    // vitals_scenario gives it, or {ok: false, messages} of its refusal. Read
    // in the live instance, or in the spare one, which it leaves fresh.
    async scenario(text, file) {
      const on = host && !stopped ? host : (spare ??= await instance());
      try {
        const at = withStrings(on, [text, file], on._vitals_scenario, true);
        return at ? { ok: true, ...JSON.parse(on.UTF8ToString(at)) } : outcome(on, 0);
      } catch (e) {
        if (on === spare) spare = null;
        else stopped = `the page's host stopped (${e.message ?? e}): load a situation to go on`;
        return { ok: false, messages: [`${file}: the page's host stopped (${e.message ?? e}) reading the scenario`] };
      }
    },
    // The same for a recording read in a worker (tryInWorker's packed), without reading it again.
    playRead: (recording, packed, situation) => opened([recording, packed, situation], '_vitals_play_read'),
    seek: (t) => call(() => host._vitals_seek(Number(t))),
    // The recording's refresh time due at t, and the current one; NaN without a recording.
    due: (t) => number('_vitals_due', t),
    time: () => number('_vitals_time'),
    // The refresh time that applies the next event (direction 1) or the previous one (-1); NaN for none.
    eventRefresh: (direction) => number('_vitals_event_refresh', direction),
    // {from, to, interval, time, events: the last n applied} or null.
    flight: (n) => JSON.parse(read('_vitals_flight', n) || 'null'),
    set(pointer, value) {
      const text = value === undefined ? null : json(value);
      if (value !== undefined && text === null) return notJson(String(pointer));
      return call((p, v) => host._vitals_set(p, v), [String(pointer), text]);
    },
    setTyped: (pointer, text) => call((p, t) => host._vitals_set_typed(p, t), [pointer, text]),
    setConfigItem: (name, text) => call((n, t) => host._vitals_set_config_item(n, t), [name, text]),
    send: (input) => (json(input) === null ? notJson('input')
      : sending(input, call((i) => host._vitals_send(i), [json(input)]))),
    pressTyped: (text) => sending({ key: Number(text) }, call((t) => host._vitals_press_typed(t), [text])),
    // A press (event 0x01) is logged as a click of the button.
    buttonEvent: (bt, event) => (event === 1 ? sending({ button: bt }, call(() => host._vitals_button_event(bt, event)))
      : call(() => host._vitals_button_event(bt, event))),
    // A situation's text with the keys and buttons sent since the last load
    // added to its inputs, so that a fresh load shows what the display showed.
    withInputs(text) {
      const doc = JSON.parse(text);
      if (sent.length) doc.inputs = [...(doc.inputs ?? []), ...sent];
      return json(doc);
    },
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
