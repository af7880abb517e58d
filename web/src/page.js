// The page: the core's API for scripts and outside checks, then the main window.
'use strict';

// The module is inlined as base64; decoding it needs no request of any kind.
function moduleBytes() {
  const text = document.getElementById('kelvaro-module').textContent.trim();
  return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
}

// The decimal separator of the browser's language, as the desktop takes its locale's.
function browserSeparator() {
  try {
    const part = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find((p) => p.type === 'decimal');
    return part ? part.value : '.';
  } catch {
    return '.';
  }
}

globalThis.kelvaroReady = kelvaroCore(moduleBytes());

kelvaroReady.then((core) => {
  const dump = JSON.parse(document.getElementById('kelvaro-windows').textContent);
  const desktop = document.getElementById('desktop');
  const windows = new PageWindows(desktop, dump, browserSeparator());
  windows.onCreate = makeCalculator(core, windows);
  // As the desktop program ends with its last window, the page says so and stays as it is.
  windows.onEnd = () => {
    const note = document.getElementById('ended');
    note.hidden = false;
    note.focus();
  };
  globalThis.kelvaroWindows = windows;  // for the tests: which windows are open
  windows.show(dump.first);
}, (error) => {
  // A browser without WebAssembly (or one that forbids it) cannot run the core; say so instead of nothing.
  document.getElementById('desktop').textContent = `Kelvaro 无法在此浏览器中运行：${error}`;
});
