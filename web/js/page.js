
// The page on the living session: each change applied, the display refreshed
// and painted at once; the inputs, labels, status and trace brought up to date
// once a frame after.
const Page = (() => {
  const $ = (id) => document.getElementById(id);
  let loaded = { text: '', preset: '' };  // the situation as last loaded, and its preset
  let draft = false;  // the JSON box holds text typed and not yet loaded, kept until loaded or reverted

  function redraw(t0) {
    const refreshed = Session.refresh();
    Output.paint(Session.picture());
    Output.redrawn(performance.now() - t0);
    Frames.later(sync);
    return refreshed.messages;
  }

  // A frame's events in order, then one redraw when any was taken.
  function take(events) {
    const t0 = performance.now();
    const messages = [];
    let taken = 0;
    for (const e of events) {
      const result = e.apply();
      e.source?.classList.toggle('bad', !result.ok || result.messages.length > 0);
      messages.push(...result.messages);
      taken += result.ok;
    }
    if (taken) messages.push(...redraw(t0));
    Output.messages(messages);
  }

  // One change now, after the input still waiting for its frame.
  function now(apply) {
    Frames.flush();
    const t0 = performance.now();
    const result = apply();
    if (result.ok) result.messages.push(...redraw(t0));
    Output.messages(result.messages);
    return result;
  }

  // A situation or a recording, opened by opening(): the session's load or play.
  async function open(opening, name, preset = '') {
    Frames.flush();
    const result = await opening();
    if (result.ok) {
      Output.paint(Session.picture());
      Output.name(name);
      loaded = { text: Session.situation(), preset };
      if (!draft) $('json').value = loaded.text;
      Inputs.forget();
      Timeline.loaded();
    }
    Frames.later(sync);
    Output.messages(result.messages.map((m) => `${name}: ${m}`));
    return result;
  }
  const load = (text, name, preset) => open(() => Session.load(text), name, preset);

  function sync() {
    const text = Session.situation();
    Inputs.fill(text);
    if (!draft && $('json') !== document.activeElement) $('json').value = text;
    $('json-note').textContent = draft ? 'The text above is typed and not loaded: load it, or revert the text to the situation shown.' : '';
    $('preset').value = text === loaded.text ? loaded.preset : '';
    Output.edited(text !== loaded.text);
    Display.labels(Session.labels());
    Output.status();
    Output.trace(Session.trace);
    Timeline.show();
  }

  // The JSON box's caret at the line and column a parse error names.
  function showError(message) {
    const [, line, column] = message.match(/line (\d+), column (\d+)/) ?? [];
    if (!line) return;
    const box = $('json'), lines = box.value.split('\n');
    const at = lines.slice(0, line - 1).reduce((n, l) => n + l.length + 1, 0) + Math.max(0, column - 1);
    box.focus();
    box.setSelectionRange(Math.min(at, box.value.length), Math.min(at + 1, box.value.length));
  }

  function wire({ situations: presets, flights }) {
    for (const p of presets) $('preset').append(new Option(p.name, p.name));
    $('preset').addEventListener('change', () => {
      const p = presets.find((x) => x.name === $('preset').value);
      if (p) load(p.text, p.name, p.name);
    });
    $('blank').onclick = () => load('{}', 'blank');
    $('zoom').addEventListener('change', Output.zoom);
    window.addEventListener('resize', Output.zoom);
    $('save-png').onclick = () => {
      Frames.flush();
      Output.savePng();
    };
    $('show-trace').onclick = () => Output.toggleTrace(Session.trace);
    $('json').addEventListener('input', () => {
      draft = true;
      Frames.later(sync);
    });
    $('apply-json').onclick = async () => {
      const result = await load($('json').value, 'pasted text');
      if (result.ok) draft = false;
      else showError(result.messages[0] ?? '');
      $('json').classList.toggle('bad', !result.ok);
      Frames.later(sync);
    };
    $('revert-json').onclick = () => {
      draft = false;
      $('json').value = Session.situation();
      $('json').classList.remove('bad');
      Frames.later(sync);
    };
    $('json-file').addEventListener('change', async () => {
      const files = [...$('json-file').files];
      $('json-file').value = '';
      if (!Scenarios.open(files) && files.length) load(await files[0].text(), files[0].name);
    });
    $('download-json').onclick = () => {
      Frames.flush();
      Output.saveJson(Session.situation());
    };
    Frames.takeWith(take);
    Timeline.wire(flights);
    Scenarios.wire();
  }

  return { wire, load, open, now };
})();
