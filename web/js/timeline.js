// A flight recording on the page: loaded with its start situation (a preset,
// or a file played from the situation loaded), played and paused at 1, 10 or
// 100 times the wall clock, sought with a slider. The page shows the refresh
// due at the flight's time, at most one a frame; the host keeps the rules:
// the refresh times, the situation at each, the events applied. While a
// recording is loaded the situation's fields are read-only.
const Timeline = (() => {
  const $ = (id) => document.getElementById(id);
  const kLatest = 8;  // events listed
  let flight = null;  // the host's {from, to, interval, warnings} while a recording is loaded
  let start = '';     // its start situation
  let name = '';
  let clock = 0;      // the flight's time in seconds
  let playing = false;
  let last = 0;       // performance.now() at the last frame played

  const seekNow = () => (flight ? Session.seek(clock) : { ok: false, messages: [] });

  // Each frame while playing: the clock moves on, and a refresh newly due is queued.
  function advance() {
    if (!playing) return false;
    const now = performance.now();
    clock = Math.min(flight.to, clock + ((now - last) / 1000) * Number($('speed').value));
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

  async function load(recording, situation, called, preset = '') {
    const result = await Page.open(() => Session.play(recording, situation), called);
    if (result.ok) {
      start = String(situation);
      name = called;
      $('flight-preset').value = preset;
    }
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
    else Object.assign($('flight-time'), { min: flight.from, max: flight.to });
  }

  // The current refresh time and the latest events, after each redraw.
  function show() {
    if (!flight) return;
    const now = Session.flight(kLatest);
    $('flight-time').value = now.time;
    $('time').textContent = `${now.time.toFixed(2)} s of ${now.to.toFixed(2)} s`;
    $('events').textContent = now.events.map((e) => `${e.time.toFixed(2).padStart(10)}  ${e.text}`).join('\n') ||
      'no event yet';
  }

  function wire(flights) {
    for (const f of flights) $('flight-preset').append(new Option(f.name, f.name));
    $('flight-preset').addEventListener('change', () => {
      const f = flights.find((x) => x.name === $('flight-preset').value);
      if (f) load(f.recording, f.start, f.name, f.name);
    });
    $('flight-file').addEventListener('change', async () => {
      const file = $('flight-file').files[0];
      $('flight-file').value = '';
      if (file) load(await file.text(), flight ? start : Session.situation(), file.name);
    });
    $('play').onclick = () => (playing ? pause() : play());
    $('flight-time').addEventListener('input', () => {
      clock = Number($('flight-time').value);
      Frames.add({ field: 'timeline', apply: seekNow });
    });
    $('edit-here').onclick = () => {
      Frames.flush();
      Page.load(Session.situation(), `${name} at ${Session.time()} s`);
    };
  }

  return {
    wire, load, loaded, show,
    seek(t) {
      const result = Page.now(() => Session.seek(t));
      if (result.ok) clock = Session.time();
      return result;
    },
    time: () => (flight ? Session.time() : null),
  };
})();

