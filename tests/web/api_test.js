// The page's API as scripts and outside checks see it: the shapes of its answers, singles in and out, the
// separator, failures with the input they blame, and a window's Calculate in one call, with the messages (and the
// quoting of a field's text in them) in the core's words.
//
// Usage: node api_test.js <kelvaro.wasm> <core.mjs> <page.json>
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { pathToFileURL } = require('node:url');

const [modulePath, coreJs, pageJson] = process.argv.slice(2);
const page = JSON.parse(fs.readFileSync(pageJson, 'utf8'));
const windowOf = (kind) => page.windows.find((w) => w.kind === kind);

const f = Math.fround;
let failures = 0;
function check(tag, actual, want) {
  try {
    assert.deepStrictEqual(actual, want);
  } catch (e) {
    ++failures;
    console.log(`FAIL ${tag}\n  got  ${JSON.stringify(actual)}\n  want ${JSON.stringify(want)}`);
  }
}
function throws(tag, call) {
  try {
    call();
    ++failures;
    console.log(`FAIL ${tag}: no exception`);
  } catch (e) {
    if (!(e instanceof TypeError || e instanceof RangeError)) {
      ++failures;
      console.log(`FAIL ${tag}: ${e}`);
    }
  }
}

(async () => {
  const { kelvaroCore } = await import(pathToFileURL(coreJs));
  const k = await kelvaroCore(fs.readFileSync(modulePath));
  const pick = (r, ...names) => Object.fromEntries(names.map((n) => [n, r[n]]));

  // parseFieldValue / parseFieldDouble: { value } or { failure, input: null }
  const parses = [
    ['default Z is the single nearest 0.9', k.parseFieldValue('0.9', '.'), { value: f(0.9) }],
    ['a double is not rounded to single', k.parseFieldDouble('0.9', '.'), { value: 0.9 }],
    ['negative zero keeps its sign', Object.is(k.parseFieldValue('-0', '.').value, -0), true],
    ['full-width digits', k.parseFieldValue('１００．５', '.'), { value: 100.5 }],
    ['comma separator', k.parseFieldValue('1,5', ','), { value: 1.5 }],
    ['point under a comma separator', k.parseFieldValue('1.5', ','), { failure: 'NotANumber', input: null }],
    ['non-BMP separator', k.parseFieldValue('1\u{1D7CE}5', '\u{1D7CE}'), { value: 1.5 }],
    ['empty', k.parseFieldValue('', '.'), { failure: 'NotANumber', input: null }],
    ['beyond the single range', k.parseFieldValue('3.5e38', '.'), { failure: 'Overflow', input: null }],
    ['within the double range', k.parseFieldDouble('3.5e38', '.'), { value: 3.5e38 }],
    ['lone surrogate is not a number', k.parseFieldValue('1\uD800', '.'), { failure: 'NotANumber', input: null }],
    ['bytes pass untouched: bad UTF-8', k.parseFieldValue(Uint8Array.of(0x31, 0xff), '.'),
      { failure: 'NotANumber', input: null }],
    ['bytes pass untouched: good UTF-8', k.parseFieldValue(Uint8Array.of(0x32, 0x2e, 0x35), '.'), { value: 2.5 }],
  ];
  for (const [tag, actual, want] of parses) check(tag, actual, want);

  // formatResult: the core's text, in the given separator
  const formats = [
    ['worked example', k.formatResult(f(2.1666667), '.'), '2.166667'],
    ['comma', k.formatResult(58.5, ','), '58,5'],
    ['exponent form', k.formatResult(12345678, ','), '1,234568E+07'],
    ['a double goes in as the nearest single', k.formatResult(0.1, '.'), k.formatResult(f(0.1), '.')],
    ['negative zero', k.formatResult(-0, '.'), '0'],
    ['odd separator', k.formatResult(58.5, '?'), '58?5'],
  ];
  for (const [tag, actual, want] of formats) check(tag, actual, want);

  // the calculations: C++ member names, singles exact, the working with them
  const d = k.computeVerticalLoads(0.9, 6, 5.5, 4.4, 100, 30);
  const h = k.computeHorizontalLoads(3.5, 10, 0.12, 0.9, 4, '6', '.', 5.5, 4.4);
  const p = k.computeMinWheelPressure(100, 20, 10, '2', '.');
  const y = k.computeOrdinates(6, 8, 4.4);
  const calculations = [
    ['Dmax and Dmin', pick(d, 'Dmax', 'Dmin'), { Dmax: 195, Dmin: 58.5 }],
    ['inputs as read are singles', pick(d, 'Z', 'Pmax'), { Z: f(0.9), Pmax: 100 }],
    ['ordinates of the worked example', pick(d.ordinates, 'Y1', 'Y2', 'Y3', 'Y4', 'SumY'),
      { Y1: f(0.26666665), Y2: 1, Y3: f(0.81666666), Y4: f(0.083333336), SumY: f(2.1666667) }],
    ['working lines', d.working.map((w) => w.text)[5], 'Dmax = (SumY × Z) × Pmax = (2.1666667 × 0.9) × 100 = 195 Kn'],
    ['notes on the results', d.howReached.length, 2],
    ['a wheel beyond the support', [y.Y4, y.beyondSupport], [0, [false, false, false, true]]],
    ['H and H1', pick(h, 'H', 'H1'), { H: 15.892199516296387, H1: 7.747447490692139 }],
    ['J read as a double', h.ordinates.J, 6],
    ['Pmin and S', pick(p, 'Pmin', 'S', 'N'), { Pmin: f(47.15), S: 30, N: 2 }],
    ['ordinates from text', k.computeOrdinatesFromText('6,0', ',', 5.5, 4.4).SumY, f(2.1666667)],
    ['working in the separator given', k.computeMinWheelPressure(100, 20, 10, '2,5', ',').working[1].numbers,
      '((30 / 2,5) × 9,81) − 100'],
    ['numbers that are not singles go in rounded', k.computeVerticalLoads(0.9, 6, 5.5, 4.4, 100.1, 30).Dmax,
      k.computeVerticalLoads(f(0.9), 6, 5.5, f(4.4), f(100.1), 30).Dmax],
    ['N of infinity makes H1 zero', pick(k.computeHorizontalLoads(3.5, 10, 0.12, 0.9, Infinity, '6', '.', 5.5, 4.4),
      'H1', 'N'), { H1: 0, N: Infinity }],
  ];
  for (const [tag, actual, want] of calculations) check(tag, actual, want);

  // failures: exactly { failure, input }, the input by the symbol the windows show
  const failed = [
    ['J = 0 divides by zero', k.computeVerticalLoads(0.9, 0, 5.5, 4.4, 100, 30),
      { failure: 'DivisionByZero', input: 'J' }],
    ['J = W = 0 is zero by zero', k.computeOrdinates(0, 5.5, 0), { failure: 'Overflow', input: 'J' }],
    ['a statement beyond the single range', k.computeVerticalLoads(1e30, 6, 5.5, 4.4, 1e30, 30),
      { failure: 'Overflow', input: null }],
    ['N text not a number', k.computeMinWheelPressure(100, 20, 10, '2个', '.'), { failure: 'NotANumber', input: 'N' }],
    ['N = 0', k.computeMinWheelPressure(100, 20, 10, '0', '.'), { failure: 'DivisionByZero', input: 'N' }],
    ['J text empty', k.computeHorizontalLoads(3.5, 10, 0.12, 0.9, 4, '', '.', 5.5, 4.4),
      { failure: 'NotANumber', input: 'J' }],
    ['N = 0 in H1', k.computeHorizontalLoads(3.5, 10, 0.12, 0.9, 0, '6', '.', 5.5, 4.4),
      { failure: 'DivisionByZero', input: 'N' }],
    ['from texts: αH blamed by its symbol', k.computeHorizontalLoadsFromTexts(
      { G1: '3.5', Q: '10', 'αH': 'x', Z: '0.9', N: '4', J: '6', B: '5.5', W: '4.4' }, '.'),
      { failure: 'NotANumber', input: 'αH', zeroDivisor: false }],
    ['from texts: read order Pmax before Z', k.computeVerticalLoadsFromTexts(
      { Z: '', J: '6', B: '5.5', W: '4.4', Pmax: 'x', Pmin: '30' }, '.'),
      { failure: 'NotANumber', input: 'Pmax', zeroDivisor: false }],
    ['from texts: a missing field is empty, not the text of a call before',
      (k.computeHorizontalLoadsFromTexts({ G1: '3.5', Q: '10', 'αH': '0.12', Z: '0.9', N: '4', J: '6', B: '5.5',
        W: '4.4' }, '.'), k.computeMinWheelPressureFromTexts({ Pmax: '100', G: '20', Q: '10' }, '.')),
      { failure: 'NotANumber', input: 'N', zeroDivisor: false }],
    ['the inputs by their symbols, numbered as the core numbers them', k.symbols,
      ['Z', 'J', 'B', 'W', 'Pmax', 'Pmin', 'G', 'Q', 'N', 'G1', 'αH']],
  ];
  for (const [tag, actual, want] of failed) check(tag, actual, want);

  // a window's Calculate: the texts by input id from the window's fields, the results by result id
  function calculate(kind, bySymbol, sep = '.') {
    const w = windowOf(kind);
    const texts = [];
    for (const { symbol, input } of w.calculator.fields) texts[input] = bySymbol[symbol] ?? '';
    return k.calculate(w.id, texts, sep);
  }
  const named = (kind, answer) => Object.fromEntries(answer.results.map((r) =>
    [windowOf(kind).calculator.results.find((f) => f.result === r.id).name, r.text]));
  const vertical = { Z: '0.9', J: '6', B: '5.5', W: '4.4', Pmax: '100', Pmin: '30' };
  const horizontal = { G1: '3.5', Q: '10', 'αH': '0.12', Z: '0.9', N: '4', J: '6', B: '5.5', W: '4.4' };
  const minWheel = { Pmax: '100', G: '20', Q: '10', N: '2' };
  const v = calculate('VerticalLoads', vertical);
  const answers = [
    ['Dmax and Dmin as texts', named('VerticalLoads', v), { Dmax: '195', Dmin: '58.5' }],
    ['values are the singles', v.results.map((r) => r.value), [195, 58.5]],
    ['notes', v.results[0].note.split('\n')[0], 'Dmax = (SumY × Z) × Pmax'],
    ['the working and the ordinates', [v.working.length > 0, v.ordinates.SumY], [true, f(2.1666667)]],
    ['H and H1', named('HorizontalLoads', calculate('HorizontalLoads', horizontal)), { H: '15.8922', H1: '7.747447' }],
    ['Pmin, with no ordinates', [named('MinWheelPressure', calculate('MinWheelPressure', minWheel)),
      calculate('MinWheelPressure', minWheel).ordinates], [{ Pmin: '47.15' }, null]],
    ['in the separator given', named('VerticalLoads', calculate('VerticalLoads', { ...vertical, Z: '0,9', B: '5,5', W: '4,4' }, ',')),
      { Dmax: '195', Dmin: '58,5' }],
  ];
  for (const [tag, actual, want] of answers) check(tag, actual, want);

  // refusals: the message as the window shows it, the empty fields in check order, the input to blame
  const refused = (kind, bySymbol, sep) => {
    const r = calculate(kind, bySymbol, sep);
    return { message: r.message, empty: r.empty.map((i) => k.symbols[i]), input: r.input === null ? null : k.symbols[r.input] };
  };
  const notANumber = (symbol, text) => `${symbol} 的内容“${text}”不是一个数。请输入数字，例如 6 或 0.9。`;
  const family = '👨‍👩‍👧';
  const refusals = [
    ['caption', k.failureTitle(), '无法计算'],
    ['empty fields in check order', refused('HorizontalLoads', { ...horizontal, 'αH': '', Q: '' }),
      { message: 'αH、Q 是空的。请在每一栏输入一个数。', empty: ['αH', 'Q'], input: null }],
    ['all empty', refused('MinWheelPressure', {}).empty, ['Pmax', 'G', 'Q', 'N']],
    ['not a number, in the locale\'s notation', refused('VerticalLoads', { ...vertical, J: 'abc', Z: '0,9' }, ','),
      { message: 'J 的内容“abc”不是一个数。请输入数字，例如 6 或 0,9。', empty: [], input: 'J' }],
    ['read order: Pmax before Z', refused('VerticalLoads', { ...vertical, Z: 'x', Pmax: 'y' }).input, 'Pmax'],
    ['zero divisor', refused('MinWheelPressure', { ...minWheel, N: '0' }),
      { message: 'N 为 0，不能作除数。请输入一个不为 0 的数。', empty: [], input: 'N' }],
    ['overflow of a statement', refused('VerticalLoads', { ...vertical, Z: '1e30', Pmax: '1e30' }),
      { message: '计算中出现的数值太大，超出了单精度数的范围（约 ±3.4E+38）。请检查输入的数值。', empty: [], input: null }],
    // quoting, as the desktop quotes: 24 whole characters, then "…"; what would act on the message shown as U+FFFD
    ['short text as it is', refused('VerticalLoads', { ...vertical, J: 'abc' }).message, notANumber('J', 'abc')],
    ['24 characters are not cut', refused('VerticalLoads', { ...vertical, J: 'x'.repeat(24) }).message,
      notANumber('J', 'x'.repeat(24))],
    ['25 are', refused('VerticalLoads', { ...vertical, J: 'x'.repeat(25) }).message,
      notANumber('J', 'x'.repeat(24) + '…')],
    ['a family is one character, its joiners stay', refused('VerticalLoads', { ...vertical, J: family.repeat(25) })
      .message, notANumber('J', family.repeat(24) + '…')],
    ['an accent stays with its letter', refused('VerticalLoads', { ...vertical, J: 'e\u0301'.repeat(25) }).message,
      notANumber('J', 'e\u0301'.repeat(24) + '…')],
    ['a character beyond the BMP is not cut in two', refused('VerticalLoads', { ...vertical, J: '𝟙'.repeat(25) })
      .message, notANumber('J', '𝟙'.repeat(24) + '…')],
    ['controls and line breaks', refused('VerticalLoads', { ...vertical, J: '1\t2\n3\u00854\u20285' }).message,
      notANumber('J', '1\uFFFD2\uFFFD3\uFFFD4\uFFFD5')],
    ['direction marks, overrides and isolates', refused('VerticalLoads', { ...vertical, J: '\u202Eab\u2066c\u200Fd\u061C' })
      .message, notANumber('J', '\uFFFDab\uFFFDc\uFFFDd\uFFFD')],
    // invisible characters shown by their numbers (once quoted as they were, unseen), emoji kept whole
    ['a zero-width space after a number', refused('VerticalLoads', { ...vertical, J: '100\u200B' }).message,
      notANumber('J', '100⟨U+200B⟩')],
    ['a no-break space inside a number', refused('VerticalLoads', { ...vertical, J: '1\u00A000' }).message,
      notANumber('J', '1⟨U+00A0⟩00')],
    ['soft hyphen, word joiner, narrow space', refused('VerticalLoads', { ...vertical, J: 'a\u00ADb\u2060c\u202F' })
      .message, notANumber('J', 'a⟨U+00AD⟩b⟨U+2060⟩c⟨U+202F⟩')],
    ['a joiner outside an emoji', refused('VerticalLoads', { ...vertical, J: '1\u200D2' }).message,
      notANumber('J', '1⟨U+200D⟩2')],
    ['the texts of a call before are not read', (calculate('HorizontalLoads', horizontal),
      refused('MinWheelPressure', { Pmax: '100', G: '20', Q: '10' }).empty), ['N']],
  ];
  for (const [tag, actual, want] of refusals) check(tag, actual, want);

  // a separator is one character
  throws('empty separator', () => k.parseFieldValue('1', ''));
  throws('two-character separator', () => k.formatResult(1, '..'));
  throws('a window that calculates nothing', () => k.calculate(windowOf('About').id, [], '.'));
  throws('no such window', () => k.calculate(99, [], '.'));

  // several cranes from numbers: the worked rows, the critical wheel, H1 only with every αH, Q and Q1
  const A = { Pmax: 100, Pmin: 30, B: 5.5, spacings: [4.4] };
  const K = { Pmax: 280, Pmin: 70, B: 6.4, spacings: [5.0] };
  const L = { Pmax: 150, Pmin: 40, B: 5.6, spacings: [4.4] };
  const near = (v) => Math.round(v * 1e9) / 1e9;
  const cranes = (spec) => {
    const r = k.computeCraneArrangement(spec);
    return 'failure' in r ? r : { Dmax: near(r.Dmax), Dmin: near(r.Dmin), Z: r.Z, cranesCounted: r.cranesCounted,
      critical: r.wheels[r.criticalWheel], H1: r.H1 };
  };
  const craneRows = [
    ['today\'s main window', cranes({ J1: 6, J2: 6, cranes: [A, A] }),
      { Dmax: 195, Dmin: 58.5, Z: 0.9, cranesCounted: 2, critical: { crane: 0, x: 0, y: 1 }, H1: null }],
    ['a removed column', pick(cranes({ J1: 6, J2: 12, cranes: [A, A] }), 'Dmax', 'Dmin'), { Dmax: 244.5, Dmin: 73.35 }],
    ['the light crane over the column', cranes({ J1: 6, J2: 12, cranes: [K, L] }),
      { Dmax: 515.4, Dmin: 131.7, Z: 0.9, cranesCounted: 2, critical: { crane: 1, x: 0, y: 1 }, H1: null }],
    ['two other spans count in Z', pick(cranes({ J1: 6, J2: 6, cranes: [A, A], otherSpanCranes: 2 }), 'Z'), { Z: 0.8 }],
    ['H1 with αH, Q and Q1', typeof cranes({ J1: 6, J2: 6, cranes: [{ ...A, alphaH: 0.12, Q: 10, Q1: 3.5 }] }).H1,
      'number'],
    ['longitudinal braking', k.computeCraneArrangement({ J1: 6, J2: 6, cranes: [K, L, A], maxOnRail: 3 }).longitudinal,
      { perCrane: [28, 15, 10], rail: 43 }],
    ['no crane', cranes({ J1: 6, J2: 6, cranes: [] }),
      { failure: 'NoCrane', input: { crane: 0, field: 'Pmax', index: 1, name: '吊车1 Pmax' } }],
    ['J ≤ 0', cranes({ J1: 0, J2: 6, cranes: [A] }),
      { failure: 'NotPositive', input: { crane: null, field: 'J1', index: 0, name: 'J1' } }],
    ['two spacings', cranes({ J1: 6, J2: 6, cranes: [A, { ...A, spacings: [1, 2] }] }),
      { failure: 'WheelCount', input: { crane: 1, field: 'spacings', index: 5, name: '吊车2 轮距' } }],
    ['five spacings keep their count', cranes({ J1: 6, J2: 6, cranes: [{ ...A, B: 20, spacings: [1, 1, 1, 1, 1] }] })
      .failure, 'WheelCount'],
    ['an infinite width', cranes({ J1: 6, J2: 6, cranes: [{ ...A, B: Infinity }] }),
      { failure: 'NotANumber', input: { crane: 0, field: 'B', index: 3, name: '吊车1 B' } }],
  ];
  for (const [tag, actual, want] of craneRows) check(tag, actual, want);
  throws('an order that is neither', () => k.computeCraneArrangement({ J1: 6, J2: 6, cranes: [A], order: 'any' }));

  console.log(failures ? `${failures} failed` : 'all passed');
  process.exit(failures ? 1 : 0);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
