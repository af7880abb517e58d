// The page: the core's API for scripts and outside checks, then the windows.
'use strict';

// The module is inlined as base64; decoding it needs no request of any kind.
function moduleBytes() {
  const text = document.getElementById('kelvaro-module').textContent.trim();
  return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
}

globalThis.kelvaroReady = kelvaroCore(moduleBytes());
