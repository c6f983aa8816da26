
// The display as a pilot sees it: the page in its frame with six buttons on
// each side, labelled by the display, and PWR, SEL and MNU below; the button
// menu and the mode list shown on the screen; keys typed while it has focus.
const Display = (() => {
  const $ = (id) => document.getElementById(id);
  const kDown = 0x01, kHeld = 0x10, kUp = 0x04;

  // KeyboardEvent.code to the simulator's key codes, keyboard scan codes of set 1.
  const kScanCodes = (() => {
    const codes = { Minus: 12, Equal: 13, Backspace: 14, BracketLeft: 26, BracketRight: 27, Enter: 28, Semicolon: 39,
                    Quote: 40, Backquote: 41, Backslash: 43, Comma: 51, Period: 52, Slash: 53, NumpadMultiply: 55,
                    Space: 57, NumpadSubtract: 74, NumpadAdd: 78, NumpadDecimal: 83 };
    for (const [keys, first] of [['QWERTYUIOP', 16], ['ASDFGHJKL', 30], ['ZXCVBNM', 44]]) {
      [...keys].forEach((c, i) => { codes['Key' + c] = first + i; });
    }
    [...'1234567890'].forEach((d, i) => { codes['Digit' + d] = 2 + i; });
    [...'789-456+1230'].forEach((d, i) => { if (/\d/.test(d)) codes['Numpad' + d] = 71 + i; });
    return codes;
  })();
  const codeOfChar = (c) => kScanCodes[/\d/.test(c) ? 'Digit' + c : 'Key' + c.toUpperCase()];
  const charOfCode = (code) => Object.keys(kScanCodes).find((k) => kScanCodes[k] === code)?.replace(/^(Key|Digit)/, '') ?? '';

  const buttons = [];
  let power = true;
  let shown = null;  // what the screen shows over the page: {kind, entries}
  let held = null;   // the button held down

  function send(input) {
    Frames.add({ apply: () => Session.send(input) });
  }

  function down(bt) {
    if (!power) return;
    if (shown) {
      choose(bt);
      return;
    }
    Frames.add({ apply: () => Session.buttonEvent(bt, kDown) });
    const press = held = { bt, frames: 0 };
    Frames.feed(() => {
      if (held !== press) return false;
      if (press.frames++) Frames.add({ apply: () => Session.buttonEvent(bt, kHeld) });
      return true;
    });
  }

  function up(bt) {
    if (held?.bt !== bt) return;
    held = null;
    Frames.add({ apply: () => Session.buttonEvent(bt, kUp) });
  }

  function button(bt) {
    const b = Object.assign(document.createElement('button'), { id: `button-${bt}`, type: 'button' });
    b.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      down(bt);
      b.setPointerCapture(e.pointerId);
    });
    for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) b.addEventListener(end, () => up(bt));
    b.addEventListener('click', (e) => {  // Enter or Space
      if (e.detail !== 0) return;
      down(bt);
      up(bt);
    });
    return b;
  }

  // Entry i of the menu or the mode list stands beside button i.
  function show(kind) {
    const overlay = $('overlay');
    shown = shown?.kind === kind || !power ? null : { kind, entries: entries(kind) };
    overlay.hidden = !shown;
    overlay.replaceChildren(...(shown?.entries ?? []).map((e, i) => {
      const b = Object.assign(document.createElement('button'), { type: 'button', className: i < 6 ? '' : 'right' });
      b.style.gridArea = `${(i % 6) + 1} / ${i < 6 ? 1 : 2}`;
      b.append(`${e.key ? e.key + '  ' : ''}${e.line1 ?? ''}`);
      if (e.line2) b.append(Object.assign(document.createElement('small'), { textContent: e.line2 }));
      b.title = [e.line1, e.line2].filter(Boolean).join(' ');
      b.addEventListener('click', () => choose(i));
      return b;
    }));
  }

  function entries(kind) {
    if (kind === 'menu') return Session.menu().slice(0, 12);
    return Session.modes().slice(0, 12).map((m) => ({ line1: m.name, key: charOfCode(m.key) }));
  }

  // A menu entry sends its key; a mode is the one open.
  function choose(i) {
    const entry = shown?.entries[i];
    const kind = shown?.kind;
    show(kind);
    if (kind === 'menu' && entry?.key && codeOfChar(entry.key) !== undefined) send({ key: codeOfChar(entry.key) });
  }

  function togglePower() {
    power = !power;
    if (shown) show(shown.kind);
    $('pwr').setAttribute('aria-pressed', String(power));
    $('page').style.visibility = power ? '' : 'hidden';
    labels(power ? Session.labels() : []);
  }

  function typed(e) {
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    if (e.code === 'Escape' && shown) {
      show(shown.kind);
      return;
    }
    const code = kScanCodes[e.code];
    if (code === undefined || !power) return;
    e.preventDefault();
    if (e.repeat) return;
    if (shown) show(shown.kind);
    send({ key: code });
  }

  function labels(list) {
    buttons.forEach((b, bt) => {
      const label = power ? list[bt] ?? '' : '';
      if (b.textContent !== label) b.textContent = label;
      b.setAttribute('aria-label', `button ${bt}${label ? ': ' + label : ''}`);
    });
  }

  function wire() {
    for (let bt = 0; bt < 12; bt++) {
      buttons.push(button(bt));
      $(bt < 6 ? 'buttons-left' : 'buttons-right').append(buttons[bt]);
    }
    $('pwr').onclick = togglePower;
    $('sel').onclick = () => show('modes');
    $('mnu').onclick = () => show('menu');
    $('screen').addEventListener('keydown', typed);
  }

  return { wire, labels: (list) => labels(list), send };
})();
