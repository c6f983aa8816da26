// Run in the page's head, before its body is parsed: the WebAssembly binary
// (gzip, base64) decoded and unpacked natively and compiled as it streams in,
// on the engine's threads while the rest of the page loads; and the display's
// size on screen, set from the start so that nothing moves when the first
// picture comes.
const vitalsCompiled = (async () => {
  const holder = document.getElementById('vitals-wasm');
  const text = holder.textContent;
  holder.remove();
  const packed = typeof Uint8Array.fromBase64 === 'function' ? new Blob([Uint8Array.fromBase64(text)]).stream()
    : (await fetch('data:application/gzip;base64,' + text)).body;
  const wasm = packed.pipeThrough(new DecompressionStream('gzip'));
  return WebAssembly.compileStreaming(new Response(wasm, { headers: { 'Content-Type': 'application/wasm' } }));
})();

// The display's size on screen for the zoom chosen: z screen pixels for each
// of the display's pixels; for fit, the largest whole number that fits the
// view, or smoothly smaller when not even one does. The canvas keeps the
// display's own pixels whatever its size on screen.
function fitDisplay() {
  const $ = (id) => document.getElementById(id);
  const canvas = $('page'), view = $('view'), bezel = $('bezel'), screen = $('screen');
  const { width, height } = canvas;
  const ratio = window.devicePixelRatio || 1;
  const zoom = $('zoom')?.value ?? 'fit';
  let scale = Number(zoom) / ratio;
  if (zoom === 'fit') {
    const room = Math.min((view.clientWidth - (bezel.offsetWidth - screen.offsetWidth)) / width,
                          (window.innerHeight * 0.85 - (bezel.offsetHeight - screen.offsetHeight)) / height);
    const whole = Math.floor(room * ratio);
    scale = whole >= 1 ? whole / ratio : Math.max(room, 0.05);
  }
  const whole = Number.isInteger(Math.round(scale * ratio * 1e6) / 1e6);
  view.classList.toggle('fit', zoom === 'fit');
  canvas.classList.toggle('whole', whole);
  canvas.style.width = `${width * scale}px`;
  canvas.style.height = `${height * scale}px`;
  $('overlay').style.fontSize = `${Math.max(7, Math.min(12, (width * scale) / 26))}px`;
}

// Fits the display now and whenever the view's width changes: the page's
// columns settling as it loads, a scroll bar, the window resized. Each fit
// lands before the frame it would be seen in.
function fitDisplayFromNowOn() {
  const view = document.getElementById('view');
  let width = -1;
  const fit = () => {
    if (view.clientWidth === width) return;
    width = view.clientWidth;
    fitDisplay();
  };
  fit();
  new ResizeObserver(fit).observe(view);
}
