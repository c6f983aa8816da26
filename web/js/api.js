
// window.vitals, the page for scripts and tests. A call that changes
// something redraws before it returns, or, for load and play, before its
// promise is kept.
window.vitals = (() => {
  // The page's controls made while the binary compiles, then the presets.
  async function start() {
    Display.wire();
    Inputs.wire();
    const presets = await Session.start();
    Page.wire(presets);
    const first = presets.situations.find((p) => p.name === 'runway-idle') ?? { name: 'blank', text: '{}' };
    await Page.load(first.text, first.name, first.name);
  }

  const ready = start();
  const flushed = (read) => () => {
    Frames.flush();
    return read();
  };
  return {
    ready,
    load: (text) => Page.load(text, 'situation'),
    play: (text, start) => Timeline.load(text, start, 'recording'),
    seek: (t) => Timeline.seek(t),
    time: Timeline.time,
    set: (pointer, value) => Page.now(() => Session.set(pointer, value)),
    press: (key) => Page.now(() => Session.send({ key })),
    button: (bt) => Page.now(() => Session.send({ button: bt })),
    // A copy of the last refresh's pixels, RGBA.
    picture: flushed(() => {
      const { width, height, data } = Session.picture();
      return { width, height, data: new Uint8ClampedArray(data) };
    }),
    trace: flushed(Session.trace),
    situation: flushed(Session.situation),
  };
})();
