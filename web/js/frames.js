
// Input taken once per animation frame: events queue up as they come, and
// each frame applies them in order and redraws once, so the page never falls
// behind. Whatever feeds the page over time (a held button now) feeds here.
const Frames = (() => {
  const queue = [];
  const feeds = new Set();  // called at each frame's start; false when done
  const after = new Set();  // run once after the next frame's redraw
  let scheduled = false;
  let take = () => {};

  function schedule() {
    if (!scheduled) {
      scheduled = true;
      requestAnimationFrame(frame);
    }
  }

  // event: {apply() -> {ok, messages}, field?: a newer event of the same field replaces it}
  function add(event) {
    const last = queue[queue.length - 1];
    if (event.field !== undefined && last && last.field === event.field) queue.pop();
    queue.push(event);
    schedule();
  }

  function flush() {
    if (queue.length) take(queue.splice(0));
  }

  function frame() {
    scheduled = false;
    for (const feed of [...feeds]) if (!feed()) feeds.delete(feed);
    flush();
    for (const task of [...after]) task();
    after.clear();
    if (feeds.size) schedule();
  }

  return {
    add,
    flush,
    feed(fn) { feeds.add(fn); schedule(); },
    later(fn) { after.add(fn); schedule(); },
    // fn(events) applies a frame's events and redraws.
    takeWith(fn) { take = fn; },
  };
})();
