// The page: the first window is already drawn; this wires it, and starts the core's module, which only Calculate
// waits for.
import { kelvaroCore } from './core.mjs';
import { PageWindows } from './windows.mjs';
import { makeCalculator } from './calculator.mjs';
import { makeFiles } from './files.mjs';
import { makeCranes } from './cranes.mjs';

// The module is inlined as base64; decoding it needs no request of any kind. The browser's own decoder is about
// twenty times faster than going through a string a character at a time, which held the page up by 25 ms.
function moduleBytes() {
  const text = document.getElementById('kelvaro-module').textContent.trim();
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
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

const desktop = document.getElementById('desktop');
const ready = kelvaroCore(moduleBytes());
globalThis.kelvaroReady = ready;  // for outside checks: the core's API once the module runs
ready.catch((error) => {
  // A browser without WebAssembly (or one that forbids it) cannot run the core; say so instead of nothing.
  desktop.textContent = `Kelvaro 无法在此浏览器中运行：${error}`;
});

const data = JSON.parse(document.getElementById('kelvaro-windows').textContent);
const windows = new PageWindows(desktop, data, browserSeparator());
const wireCalculator = makeCalculator(ready, windows, data.messageBox);
const wireFiles = makeFiles(ready, windows, data.messageBox);
const wireCranes = makeCranes(ready, windows, data.messageBox);
windows.onCreate = (w) => {
  wireCalculator(w);
  wireFiles(w);
  wireCranes(w);
};
// As the desktop program ends with its last window, the page says so and stays as it is.
windows.onEnd = () => {
  const note = document.getElementById('ended');
  note.hidden = false;
  note.focus();
};
globalThis.kelvaroWindows = windows;  // for the tests: which windows are open
windows.show(data.first);
