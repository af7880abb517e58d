// Calculate and Clear in the three calculator windows, as the desktop's CalculatorWindow does them: the core's text
// entry points read the fields (in read order, blaming an input), and the core words the failure messages.
'use strict';

// Characters that would act on a message instead of showing in it: controls, line and paragraph separators, and
// the marks, embeddings, overrides and isolates that change the direction of the text around them.
const Unsafe = /[\p{Cc}\p{Zl}\p{Zp}\u061C\u200E\u200F\u202A-\u202E\u2066-\u2069]/gu;

// A field's text as a failure message quotes it: the first 24 whole characters (grapheme clusters) and "…", with
// the unsafe characters shown as U+FFFD.
function quoteFieldText(text) {
  const Longest = 24;
  const clusters = [...new Intl.Segmenter(undefined, { granularity: 'grapheme' }).segment(text)].map((s) => s.segment);
  const cut = clusters.length <= Longest ? text : clusters.slice(0, Longest).join('') + '…';
  return cut.replace(Unsafe, '\uFFFD');
}

// A cut number reads as a different number: a result wider than its field is drawn smaller until it fits whole.
function fitWhole(target) {
  target.style.fontSize = '';
  let points = parseFloat(getComputedStyle(target).fontSize) * 0.75;
  while (target.scrollWidth > target.clientWidth && points > 5) {
    points = Math.max(5, points - 0.25);
    target.style.fontSize = `${points}pt`;
  }
}

function makeCalculator(core, windows) {
  const sep = windows.separator;

  function calculate(w) {
    const c = w.spec.calculator;
    const field = (name) => w.control(name);
    const inputOf = (name) => c.inputs.find((i) => i.field === name);
    const report = (message) => {
      const back = document.activeElement;
      w.showMessage(c.messageBox.title, message, c.messageBox.button, () => back && back.focus());
    };

    // Every empty field takes the focus in turn, so the last empty one keeps it; the message names them all.
    const empty = [];
    for (const name of c.checkOrder) {
      if (field(name).value !== '') continue;
      field(name).focus();
      if (inputOf(name)) empty.push(inputOf(name).input);
    }
    if (empty.length > 0) return report(core.emptyFieldsMessage(empty));

    const texts = {};
    for (const { field: name, input } of c.inputs) texts[input] = field(name).value;
    const outcome = core[`compute${c.calculation}FromTexts`](texts, sep);
    if ('failure' in outcome) {
      const blamed = c.inputs.find((i) => i.input === outcome.input);
      const target = blamed ? field(blamed.field) : null;
      if (target) {
        target.focus();
        target.select();
      }
      return report(core.failureMessage(outcome, target ? quoteFieldText(target.value) : '', sep));
    }
    c.results.forEach(({ field: name, result }, i) => {
      const target = field(name);
      const text = core.formatResult(outcome[result], sep);
      if (target.tagName === 'INPUT') target.value = text;
      else target.textContent = text;
      fitWhole(target);
      target.title = outcome.howReached[i];
    });
  }

  function clear(w) {
    for (const name of w.spec.calculator.clearList) {
      w.control(name).value = '';
      if (isResult(w, name)) fitWhole(w.control(name));
    }
  }
  const isResult = (w, name) => w.spec.calculator.results.some((r) => r.field === name);

  // Wires a new window: Calculate and Clear, and Enter in any of its input fields.
  return function wire(w) {
    const c = w.spec.calculator;
    if (!c) return;
    w.control(c.calculate).addEventListener('click', () => calculate(w));
    w.control(c.clear).addEventListener('click', () => clear(w));
    // A result shown in an editable box is fitted again whenever its text changes.
    for (const { field } of c.results) {
      const box = w.control(field);
      if (box.tagName === 'INPUT') box.addEventListener('input', () => fitWhole(box));
    }
    for (const { field } of c.inputs) {
      w.control(field).addEventListener('keydown', (e) => {
        if (e.key !== 'Enter' || e.isComposing) return;
        e.preventDefault();  // the Enter must not go on to press the message's button
        calculate(w);
      });
    }
  };
}

if (typeof module !== 'undefined') module.exports = { quoteFieldText, makeCalculator };
