// Bit-identity of the browser edition's core: the seeded cases of kelvaro_differential_cases, run through the
// desktop's core there and through the WebAssembly module here (with the page's own core.mjs), must agree in every
// bit, every failure and every character of the working. A reader that rounds twice must be told apart.
//
// Usage: node differential_test.js <kelvaro_differential_cases> <kelvaro.wasm> <core.mjs> [rounds of 21 cases]
// KELVARO_DIFFERENTIAL_SEED=<seed> repeats a run.
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const { pathToFileURL } = require('node:url');

const [casesProgram, modulePath, coreJs, rounds = '5000'] = process.argv.slice(2);
const seed = process.env.KELVARO_DIFFERENTIAL_SEED || String(Math.floor(Math.random() * 2 ** 48));
console.log(`seed ${seed} (KELVARO_DIFFERENTIAL_SEED=${seed} repeats this run)`);

const bytes = (hex) => Uint8Array.from(hex.match(/../g) || [], (h) => parseInt(h, 16));
const separator = (hex) => String.fromCodePoint(parseInt(hex, 16));
const singleOf = (hex) => new Float32Array(new Uint32Array([parseInt(hex, 16)]).buffer)[0];
function hexOf(value, width) {
  const view = new DataView(new ArrayBuffer(8));
  if (width === 8) view.setFloat32(0, value);
  else view.setFloat64(0, value);
  let s = '';
  for (let i = 0; i < width / 2; ++i) s += view.getUint8(i).toString(16).padStart(2, '0');
  return s;
}
const single = (v) => hexOf(v, 8);
const double = (v) => hexOf(v, 16);
const encoder = new TextEncoder();
function hash(r) {
  const all = encoder.encode(r.working.map((w) => w.text + '\n').join('') + (r.howReached || []).map((n) => n + '\n').join(''));
  let h = 2166136261;
  for (const b of all) h = Math.imul(h ^ b, 16777619) >>> 0;
  return h.toString(16).padStart(8, '0');
}
const textHex = (s) => Buffer.from(s, 'utf8').toString('hex');

// An outcome written exactly as the native side writes it.
function outcome(r, write, withDivisor = false) {
  if ('failure' in r) return `!${r.failure}:${r.input ?? '-'}` + (withDivisor ? (r.zeroDivisor ? ':1' : ':0') : '');
  return '=' + write(r);
}
const ordinates = (y) =>
  [single(y.Y1), single(y.Y2), single(y.Y3), single(y.Y4), single(y.SumY), double(y.J), single(y.B), single(y.W),
   y.beyondSupport.map((b) => (b ? '1' : '0')).join('')].join(',');
const writers = {
  value: (r) => single(r.value),
  double: (r) => double(r.value),
  ordinates: (r) => ordinates(r) + ',' + hash(r),
  vertical: (r) => [r.Dmax, r.Dmin, r.Z, r.Pmax, r.Pmin].map(single).join(',') + ',' + ordinates(r.ordinates) + ',' + hash(r),
  minWheel: (r) => [r.Pmin, r.Pmax, r.G, r.Q, r.S].map(single).join(',') + ',' + double(r.N) + ',' + hash(r),
  horizontal: (r) =>
    [r.H, r.H1, r.G1, r.Q, r.AlphaH, r.Z, r.N].map(single).join(',') + ',' + ordinates(r.ordinates) + ',' + hash(r),
};

// What the module says for one case line, in the native side's notation.
function run(k, f) {
  const s = (i) => singleOf(f[i]);
  switch (f[0]) {
    case 'P': return outcome(k.parseFieldValue(bytes(f[2]), separator(f[1])), writers.value);
    case 'D': return outcome(k.parseFieldDouble(bytes(f[2]), separator(f[1])), writers.double);
    case 'F': return textHex(k.formatResult(s(2), separator(f[1])));
    case 'O': return outcome(k.computeOrdinates(s(1), s(2), s(3)), writers.ordinates);
    case 'V': return outcome(k.computeVerticalLoads(s(1), s(2), s(3), s(4), s(5), s(6)), writers.vertical);
    case 'OT': return outcome(k.computeOrdinatesFromText(bytes(f[2]), separator(f[1]), s(3), s(4)), writers.ordinates);
    case 'M': return outcome(k.computeMinWheelPressure(s(2), s(3), s(4), bytes(f[5]), separator(f[1])), writers.minWheel);
    case 'H':
      return outcome(
        k.computeHorizontalLoads(s(2), s(3), s(4), s(5), s(6), bytes(f[7]), separator(f[1]), s(8), s(9)),
        writers.horizontal);
    case 'VT': {
      const [Z, J, B, W, Pmax, Pmin] = f.slice(2, 8).map(bytes);
      return outcome(k.computeVerticalLoadsFromTexts({ Z, J, B, W, Pmax, Pmin }, separator(f[1])), writers.vertical, true);
    }
    case 'MT': {
      const [Pmax, G, Q, N] = f.slice(2, 6).map(bytes);
      return outcome(k.computeMinWheelPressureFromTexts({ Pmax, G, Q, N }, separator(f[1])), writers.minWheel, true);
    }
    case 'HT': {
      const [G1, Q, AlphaH, Z, N, J, B, W] = f.slice(2, 10).map(bytes);
      return outcome(k.computeHorizontalLoadsFromTexts({ G1, Q, 'αH': AlphaH, Z, N, J, B, W }, separator(f[1])),
        writers.horizontal, true);
    }
  }
  throw new Error('unknown case ' + f[0]);
}

// The same module with a fault that makes one rounding two: reading a field as a double first, then rounding that
// to a single; and Dmax with SumY × Z rounded to a single on its own.
function roundingTwice(k) {
  return {
    ...k,
    parseFieldValue(text, sep) {
      const d = k.parseFieldDouble(text, sep);
      return 'value' in d && Number.isFinite(Math.fround(d.value)) ? { value: Math.fround(d.value) } : k.parseFieldValue(text, sep);
    },
    computeVerticalLoads(...args) {
      const r = k.computeVerticalLoads(...args);
      if ('failure' in r) return r;
      return { ...r, Dmax: Math.fround(Math.fround(r.ordinates.SumY * r.Z) * r.Pmax) };
    },
  };
}

(async () => {
  const started = Date.now();
  const lines = execFileSync(casesProgram, [seed, rounds], { maxBuffer: 1 << 30, encoding: 'utf8' }).trimEnd().split('\n');
  const native = Date.now() - started;
  const { kelvaroCore } = await import(pathToFileURL(coreJs));
  const k = await kelvaroCore(fs.readFileSync(modulePath));
  const twice = roundingTwice(k);
  const counts = {};
  let mismatches = 0;
  const caught = { P: 0, V: 0 };
  for (const line of lines) {
    const f = line.split('\t');
    const want = f[f.length - 1];
    const got = run(k, f);
    counts[f[0]] = (counts[f[0]] || 0) + 1;
    if (got !== want) {
      if (++mismatches <= 20) console.log(`MISMATCH ${f.slice(0, -1).join(' ')}\n  native ${want}\n  wasm   ${got}`);
    }
    if (f[0] in caught && run(twice, f) !== want) ++caught[f[0]];
  }
  console.log(`${lines.length} cases (${JSON.stringify(counts)}): ${mismatches} mismatches; ` +
    `native ${native} ms, all ${Date.now() - started} ms`);
  console.log(`rounding twice: ${caught.P} field readings and ${caught.V} Dmax told apart`);
  let failed = mismatches > 0;
  if (lines.length < 100000) failed = console.log('FAIL: fewer than 100000 cases') || true;
  if (caught.P === 0 || caught.V === 0) failed = console.log('FAIL: a reader or a statement that rounds twice went unnoticed') || true;
  process.exit(failed ? 1 : 0);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
