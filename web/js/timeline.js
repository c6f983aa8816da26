// A flight recording on the page: loaded with its start situation (a preset,
// or a file played from the situation loaded), played and paused at 1 to
// 10,000 times the wall clock, sought with a slider held still while it is
// held, a typed time or the previous and next event. The page shows the
// refresh due at the flight's time, at most one a frame; the host keeps the
// rules: the refresh times, the situation at each, the events applied. While
// a recording is loaded the situation's fields are read-only.
const Timeline = (() => {
  const $ = (id) => document.getElementById(id);
  const kLatest = 8;  // events listed
  let flight = null;  // the host's {from, to, interval, warnings} while a recording is loaded
  let start = '';     // its start situation
  let name = '';
  let clock = 0;      // the flight's time in seconds
  let playing = false;
  let holding = false;  // the slider held by the pointer
  let last = 0;       // performance.now() at the last frame played

  const seekNow = () => (flight ? Session.seek(clock) : { ok: false, messages: [] });

  // Each frame while playing: the clock moves on, unless the slider is held,
  // and a refresh newly due is queued.
  function advance() {
    if (!playing) return false;
    const now = performance.now();
    if (!holding) clock = Math.min(flight.to, clock + ((now - last) / 1000) * Number($('speed').value));
    last = now;
    if (Session.due(clock) !== Session.time()) Frames.add({ field: 'timeline', apply: seekNow });
    if (clock >= flight.to) pause();
    return playing;
  }

  function pause() {
    playing = false;
    $('play').textContent = 'Play';
    $('play').setAttribute('aria-pressed', 'false');
  }

  function play() {
    if (clock >= flight.to) clock = flight.from;
    playing = true;
    last = performance.now();
    $('play').textContent = 'Pause';
    $('play').setAttribute('aria-pressed', 'true');
    Frames.feed(advance);
  }

  function goTo(t) {
    clock = Math.max(flight.from, Math.min(flight.to, t));
    Frames.add({ field: 'timeline', apply: seekNow });
  }

  // "1234.5" seconds, or hours and minutes before them: "85:47:17", "12:30".
  function parseTime(text) {
    const parts = text.trim().split(':');
    if (parts.length > 3 || !parts.every((p) => /^\d+(\.\d*)?$/.test(p))) return NaN;
    return parts.reduce((sum, p) => sum * 60 + Number(p), 0);
  }
  const clockText = (t) => {
    const s = Math.floor(t), h = Math.floor(s / 3600), m = Math.floor(s / 60) % 60;
    return `${h}:${String(m).padStart(2, '0')}:${String(s % 60).padStart(2, '0')}`;
  };

  async function load(recording, situation, called, preset = '', packed = null) {
    const result = await Page.open(() => (packed ? Session.playRead(recording, packed, situation)
      : Session.play(recording, situation)), called);
    if (result.ok) {
      start = String(situation);
      name = called;
      $('flight-preset').value = preset;
    }
    return result;
  }

  // A recording file played from `situation` (by default the one loaded, or
  // the recording's start while one is loaded); a large one is read in a
  // worker, off the page's thread, with its progress shown, and opened on the
  // page as read there when it plays. Resolves to the outcome.
  const kLarge = 1 << 20;
  async function loadFile(file, situation = flight ? start : Session.situation(), called = file.name) {
    const began = performance.now();
    const stage = (what) => {
      $('flight-loading').hidden = !what;
      $('flight-loading-text').textContent = what && `${file.name} (${(file.size / 1e6).toFixed(1)} MB): ${what}`;
    };
    stage('reading');
    const text = await file.text();
    let packed = null;
    if (text.length > kLarge) {
      const job = Session.tryInWorker(text, situation);
      const ticking = setInterval(() => stage(`checked for ${((performance.now() - began) / 1000).toFixed(1)} s`), 250);
      $('flight-cancel').onclick = job.cancel;
      const tried = await job.tried;
      clearInterval(ticking);
      if (!tried.ok) {
        stage('');
        Output.messages(tried.messages.map((m) => `${file.name}: ${m}`));
        return tried;
      }
      packed = tried.packed;
      stage('opening');
      await new Promise((r) => requestAnimationFrame(() => setTimeout(r)));
    }
    const result = await load(text, situation, called, '', packed);
    stage('');
    return result;
  }

  // After every load: the recording the host holds, if any, paused at its start.
  function loaded() {
    pause();
    flight = Session.flight(0);
    clock = flight?.from ?? 0;
    $('timeline').hidden = !flight;
    $('flight-warnings').textContent = (flight?.warnings ?? []).join('\n');
    for (const f of document.querySelectorAll('fieldset.edit')) f.disabled = Boolean(flight);
    if (!flight) $('flight-preset').value = '';
    else Object.assign($('flight-time'), { min: flight.from, max: flight.to, step: flight.interval });
  }

  // The current refresh time and the latest events, after each redraw.
  function show() {
    if (!flight) return;
    const now = Session.flight(kLatest);
    if (!holding) $('flight-time').value = now.time;
    if ($('time-typed') !== document.activeElement) $('time-typed').value = clockText(now.time);
    $('time').textContent = `${now.time.toFixed(2)} s of ${now.to.toFixed(2)} s`;
    $('previous-event').disabled = Number.isNaN(Session.eventRefresh(-1));
    $('next-event').disabled = Number.isNaN(Session.eventRefresh(1));
    $('events').textContent = now.events.map((e) => `${e.time.toFixed(2).padStart(10)}  ${e.text}`).join('\n') ||
      'no event yet';
  }

  // The recording list's "—" and a preset's choice.
  function chosen(flights) {
    const f = flights.find((x) => x.name === $('flight-preset').value);
    if (f) load(f.recording, f.start, f.name, f.name);
    else if (flight) Page.load(start, `${name} start`);
  }

  function wire(flights) {
    for (const f of flights) $('flight-preset').append(new Option(f.name, f.name));
    $('flight-preset').addEventListener('change', () => chosen(flights));
    $('flight-file').addEventListener('change', () => {
      const files = [...$('flight-file').files];
      $('flight-file').value = '';
      if (!Scenarios.open(files) && files.length) loadFile(files[0]);
    });
    $('play').onclick = () => (playing ? pause() : play());
    const slider = $('flight-time');
    slider.addEventListener('input', () => goTo(Number(slider.value)));
    slider.addEventListener('pointerdown', () => { holding = true; });
    for (const end of ['pointerup', 'pointercancel']) window.addEventListener(end, () => { holding = false; });
    $('time-typed').addEventListener('change', () => {
      const t = parseTime($('time-typed').value);
      $('time-typed').classList.toggle('bad', Number.isNaN(t));
      if (Number.isNaN(t)) Output.messages([`time: "${$('time-typed').value}" is not seconds or hours:minutes:seconds`]);
      else goTo(t);
    });
    $('previous-event').onclick = () => goTo(Session.eventRefresh(-1));
    $('next-event').onclick = () => goTo(Session.eventRefresh(1));
    $('edit-here').onclick = () => {
      Frames.flush();
      Page.load(Session.withInputs(Session.situation()), `${name} at ${Session.time()} s`);
    };
  }

  return {
    wire, load, loadFile, loaded, show,
    seek(t) {
      const result = Page.now(() => Session.seek(t));
      if (result.ok) clock = Session.time();
      return result;
    },
    time: () => (flight ? Session.time() : null),
  };
})();
