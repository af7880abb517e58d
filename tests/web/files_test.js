// Calculation files across the editions: a file the page's module writes is read by the desktop's reader, and a
// file the desktop's writer writes is read by the module, with every text the same; and both say the same about a
// bad file.
//
// Usage: node files_test.js <kelvaro_file_tool> <kelvaro.wasm> <core.mjs> <page.json> <docs/file-format.md>
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [tool, wasm, coreModule, pageJson, formatDoc] = process.argv.slice(2);
const { kelvaroCore } = await import(pathToFileURL(coreModule));
const core = await kelvaroCore(readFileSync(wasm));
const page = JSON.parse(readFileSync(pageJson, 'utf8'));
const folder = mkdtempSync(join(tmpdir(), 'kelvaro-files-'));
const native = (...args) => execFileSync(tool, args, { encoding: 'utf8' });

// Texts a field may hold: CJK, quotes, backslashes, controls, a decimal comma, astral characters, nothing.
const odd = ['0.9', '吊车 6', '"5,5"', 'C:\\4.4', '\t1\n0\u00000', '', '😀‍👩', '\u202e9', 'αH', ' 12 ', '{}'];
let checked = 0;
for (const w of page.windows.filter((w) => w.calculator)) {
  const c = w.calculator;
  const texts = [];
  c.fields.forEach(({ input }, i) => (texts[input] = odd[(i + w.id) % odd.length]));

  // The page writes, the desktop reads.
  const saved = core.writeFile(w.id, texts, [], '2024-05-01');
  assert.equal(saved.name, `${c.name}-2024-05-01.kelvaro`);
  const fromPage = join(folder, saved.name);
  writeFileSync(fromPage, saved.content);
  const read = JSON.parse(native("read", fromPage));
  assert.ok(!("message" in read), read.message);
  assert.equal(read.calculation, c.name);
  for (const { input, symbol } of c.fields) {
    assert.equal(read.texts[input], texts[input], `${c.name} ${symbol}: the desktop reads the page's text`);
  }

  // The desktop writes, the page reads.
  const fromDesktop = join(folder, `${c.name}-desktop.kelvaro`);
  native('resave', fromPage, fromDesktop);
  const opened = core.readFile(readFileSync(fromDesktop), 'd.kelvaro');
  assert.equal(opened.form, w.id);
  for (const { input, symbol } of c.fields) {
    assert.equal(opened.texts[input], texts[input], `${c.name} ${symbol}: the page reads the desktop's text`);
  }
  checked += 1;
}
assert.equal(checked, 3);

// The several-cranes window: its own texts by index, three cranes of odd texts, and its results as shown.
{
  const c = page.windows.find((w) => w.cranes).cranes;
  const own = [], names = {};
  for (const { index, key } of c.bays) [own[index], names[key]] = [odd[index], odd[index]];
  // A choice holds one of its values (the window has no other); every other text is odd.
  for (const { index, field, choices } of c.options) {
    [own[index], names[field]] = Array(2).fill(choices[index % choices.length].value);
  }
  const cranes = [0, 1, 2].map((k) => c.columns.map(({ choices }, f) => (choices.length
    ? choices[(k + f) % choices.length].value : odd[(k * 5 + f) % odd.length])));
  const results = [];
  for (const { index } of c.results) results[index] = `${index}.5`;
  results[c.longitudinal[1].index] = '28';
  const saved = core.writeArrangementFile(own, cranes, results, '2024-05-01');
  assert.equal(saved.name, 'CraneArrangement-2024-05-01.kelvaro');
  const notes = JSON.parse(saved.content).results;
  assert.equal(notes.Dmax, `${c.results.find((r) => r.name === 'Dmax').index}.5`);
  assert.equal(notes.longitudinal2, '28');
  assert.ok(!('longitudinal1' in notes), 'a T_L not shown is not noted');
  const expected = { ...names, cranes: cranes.map((row) => Object.fromEntries(c.columns.map(({ field }, f) => [field, row[f]]))) };
  const fromPage = join(folder, saved.name);
  writeFileSync(fromPage, saved.content);
  const read = JSON.parse(native('read', fromPage));
  assert.equal(read.calculation, 'CraneArrangement');
  assert.deepEqual(read.arrangement, expected, 'the desktop reads the page\'s several cranes');
  const fromDesktop = join(folder, 'CraneArrangement-desktop.kelvaro');
  native('resave', fromPage, fromDesktop);
  assert.deepEqual(core.readFile(readFileSync(fromDesktop), 'd.kelvaro').arrangement, expected,
    'the page reads the desktop\'s several cranes');
  // No crane, or more than the table holds: refused with the message, or not asked at all.
  assert.match(core.writeArrangementFile(own, [], [], '2024-05-01').message, /吊车应有 1 到 4 台/);
  assert.throws(() => core.writeArrangementFile(own, [0, 1, 2, 3, 4].map(() => cranes[0]), [], ''), RangeError);
}

// The same words for a bad file.
for (const [name, content] of [
  ['empty.kelvaro', ''],
  ['newer.kelvaro', '{"format": "kelvaro-calculation", "version": 9}'],
  ['cut.kelvaro', '{"format": "kelvaro-calculation", "version": 1, "calcul'],
  ['key.kelvaro', '{"format": "kelvaro-calculation", "version": 1, "calculation": "MinWheelPressure", ' +
                  '"inputs": {"Pmax": "1", "G": "2", "Q": "3", "N": "4", "M": "5"}}'],
]) {
  const path = join(folder, name);
  writeFileSync(path, content);
  const desktop = JSON.parse(native('read', path)).message.replace(path, name);
  const inPage = core.readFile(new TextEncoder().encode(content), name);
  assert.equal(inPage.message, desktop.replace(`“${path}”`, `“${name}”`));
  assert.equal(inPage.title, '计算文件');
}
// Every example of the format's description opens, in both editions, as the calculation it says.
const examples = [...readFileSync(formatDoc, 'utf8').matchAll(/```json\n(.*?)```/gs)].map((m) => m[1]);
assert.equal(examples.length, 4);
for (const [i, example] of examples.entries()) {
  const path = join(folder, `example${i}.kelvaro`);
  writeFileSync(path, example);
  const inPage = core.readFile(new TextEncoder().encode(example), path);
  assert.ok(!('message' in inPage), inPage.message);
  assert.equal(JSON.parse(native('read', path)).calculation, inPage.calculation);
  assert.equal(inPage.calculation, JSON.parse(example).calculation);
}
rmSync(folder, { recursive: true });
console.log(`ok: files of ${checked} calculators and of several cranes cross between the editions; bad files are named alike`);
