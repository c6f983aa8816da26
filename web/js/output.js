
// What the page shows of the session: the picture, the status line, the
// messages, the call trace, and the files it saves.
const Output = (() => {
  const $ = (id) => document.getElementById(id);
  const canvas = $('page');
  const context = canvas.getContext('2d');
  const redraws = { count: 0, total: 0, last: 0 };
  let image = null;  // an ImageData over the host's pixels
  let name = 'situation';
  let edited = false;  // the situation differs from the one loaded

  // The pixels go to the canvas straight from the host's memory.
  function paint(picture) {
    const { width, height, data } = picture;
    if (!width) return;
    if (!image || image.data !== data) image = new ImageData(data, width, height);
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      zoom();
    }
    context.putImageData(image, 0, 0);
  }

  function redrawn(ms) {
    redraws.count++;
    redraws.total += ms;
    redraws.last = ms;
  }

  function status() {
    const { count, total, last } = redraws;
    $('status').textContent = `${canvas.width} × ${canvas.height} px · ` +
      (count ? `redraw ${last.toFixed(2)} ms (mean ${(total / count).toFixed(2)} ms over ${count})` : 'loaded');
  }

  const messages = (list) => { $('errors').textContent = list.join('\n'); };

  function trace(text) {
    if (!$('trace').hidden) $('trace').textContent = text();
  }

  function toggleTrace(text) {
    const shown = $('trace').hidden;
    $('trace').hidden = !shown;
    $('show-trace').setAttribute('aria-expanded', String(shown));
    trace(text);
  }

  const zoom = fitDisplay;  // start.js

  function save(blob, extension) {
    const a = Object.assign(document.createElement('a'),
                            { href: URL.createObjectURL(blob), download: name + (edited ? '-edited' : '') + extension });
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
  }

  return {
    paint, redrawn, status, redraws: () => redraws.count, messages, trace, toggleTrace, zoom,
    // Files are named after the situation: its preset or file name, marked when edited since.
    name(n) { name = n.replace(/\.json$/i, '').replace(/[^\w.-]+/g, '_') || 'situation'; },
    edited(e) { edited = e; },
    savePng() { canvas.toBlob((blob) => save(blob, '.png')); },
    saveJson(text) { save(new Blob([text + '\n'], { type: 'application/json' }), '.json'); },
  };
})();
