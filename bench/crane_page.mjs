// The several-cranes search in the page's module: four different four-wheel cranes, free order, up to four on
// the rail, timed through the API and through the window's one call (target: under 1 ms each).
//
// Usage: node bench/crane_page.mjs <kelvaro.wasm> <core.mjs>
import fs from 'node:fs';
import { pathToFileURL } from 'node:url';

const [wasm, coreJs] = process.argv.slice(2);
const { kelvaroCore } = await import(pathToFileURL(coreJs));
const k = await kelvaroCore(fs.readFileSync(wasm));

const rows = [['300', '10', '1.6+5.2+1.6', ''], ['250', '9.5', '1.5+5+1.5', '0.6'], ['200', '9', '1.4+4.8+1.4', ''],
  ['280', '10.5', '1.6+5.6+1.6', '1']];
const texts = rows.map(([Pmax, B, s, end]) => ['', Pmax, '60', B, '4', s, end, 'A1-A5', '0.1', '32', '11', '']);
const numbers = {
  J1: 6, J2: 12, maxOnRail: 4,
  cranes: rows.map(([Pmax, B, s, end]) => ({ Pmax: Number(Pmax), Pmin: 60, B: Number(B),
    spacings: s.split('+').map(Number), endDistance: end ? Number(end) : undefined, alphaH: 0.1, Q: 32, Q1: 11 })),
};
const calls = {
  computeCraneArrangement: () => k.computeCraneArrangement(numbers),
  'the window\'s Calculate': () => k.craneArrangement(['6', '12', 'free', '4', '0'], texts, '.'),
};
for (const [name, call] of Object.entries(calls)) {
  for (let i = 0; i < 50; ++i) call();  // warm up
  const times = [];
  for (let i = 0; i < 400; ++i) {
    const start = process.hrtime.bigint();
    call();
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  times.sort((a, b) => a - b);
  const at = (q) => times[Math.floor(q * (times.length - 1))].toFixed(3);
  console.log(`${name}: median ${at(0.5)} ms, 90th percentile ${at(0.9)} ms`);
}
