// Calculate and Clear in the three calculator windows, as the desktop's CalculatorWindow does them: one call into
// the core reads the fields (empty ones first, in check order; then in read order, blaming an input) and gives
// either the results by their ids, with their texts and notes, or the message to show, already worded. Ctrl+P and
// "计算书…" calculate the same way and, on success, open the sheet; "复制" puts a result's text on the clipboard.
import { showSheet, figureWidth, unitHeight } from './sheet.mjs';
import { addMenuItems, openMenu, onContextMenu } from './menu.mjs';

// A cut number reads as a different number, and a tiny one hardly reads at all: a result wider than its field is
// drawn smaller, down to 7 pt (as the desktop: legible in the 9-pt face); one still too wide at 7 pt widens its field
// to the right, over the unit beside it, until a result that fits comes.
const Smallest = 7;
export function fitWhole(target) {
  target.style.fontSize = '';
  target.style.width = '';
  target.style.zIndex = '';
  let points = parseFloat(getComputedStyle(target).fontSize) * 0.75;
  while (target.scrollWidth > target.clientWidth && points > Smallest) {
    points = Math.max(Smallest, points - 0.25);
    target.style.fontSize = `${points}pt`;
  }
  if (target.scrollWidth > target.clientWidth) {
    target.style.width = `${target.offsetWidth + target.scrollWidth - target.clientWidth + 1}px`;
    target.style.zIndex = '1';
  }
}

/** `ready` is the promise of the core's API: only Calculate waits for it. */
export function makeCalculator(ready, windows, messageBox) {
  const sep = windows.separator;

  const textsOf = (w) => {
    const texts = [];
    for (const { field: name, input } of w.spec.calculator.fields) texts[input] = w.control(name).value;
    return texts;
  };

  async function calculate(w) {
    return shown(w, (await ready).calculate(w.spec.id, textsOf(w), sep));
  }

  // A calculation's outcome in its window: the results, or the message. True for results.
  function shown(w, outcome) {
    const c = w.spec.calculator;
    const field = (name) => w.control(name);
    const fieldOf = (input) => c.fields.find((f) => f.input === input);
    if ('message' in outcome) {
      // Every empty field takes the focus in turn, so the last empty one keeps it; a blamed field has its text
      // selected.
      for (const input of outcome.empty) field(fieldOf(input).field).focus();
      const blamed = outcome.input === null ? null : fieldOf(outcome.input);
      if (blamed) {
        field(blamed.field).focus();
        field(blamed.field).select();
      }
      const back = document.activeElement;
      w.showMessage(messageBox.title, outcome.message, messageBox.button, () => back && back.focus());
      return false;
    }
    for (const { id, text, note } of outcome.results) {
      const target = field(c.results.find((r) => r.result === id).field);
      if (target.tagName === 'INPUT') target.value = text;
      else target.textContent = text;
      fitWhole(target);
      target.title = note;
      // A screen reader reads the number as the result's name (a box is named by its label and gives its value)
      // and the working after what the field is.
      target.dataset.description ??= target.getAttribute('aria-description') ?? '';
      if (target.tagName !== 'INPUT') target.setAttribute('aria-label', text);
      target.setAttribute('aria-description', [target.dataset.description, note].filter(Boolean).join('；'));
    }
    return true;
  }

  // As the desktop: calculate first, and open the sheet only when that succeeds.
  async function printSheet(w) {
    if (w.modal) return;
    const core = await ready;
    const texts = textsOf(w);
    const outcome = core.sheet(w.spec.id, texts, sep, figureWidth, unitHeight);
    if (!shown(w, outcome)) return;
    const back = document.activeElement;
    showSheet(outcome.sheet, (unit) => core.sheet(w.spec.id, texts, sep, figureWidth, unit).sheet,
      () => back && back.focus());
  }

  function copy(box) {
    const text = box.tagName === 'INPUT' ? box.value : box.textContent;
    return navigator.clipboard.writeText(text);
  }

  function clear(w) {
    for (const name of w.spec.calculator.clearList) {
      w.control(name).value = '';
      if (isResult(w, name)) fitWhole(w.control(name));
    }
  }
  const isResult = (w, name) => w.spec.calculator.results.some((r) => r.field === name);

  // Wires a new window: Calculate and Clear, Enter in any of its input fields, Ctrl+P and the context menus.
  return function wire(w) {
    const c = w.spec.calculator;
    if (!c) return;
    w.calculate = () => calculate(w);  // as the button does, for a file opened into the window
    const sheetItem = { label: '计算书…', shortcut: { key: 'p', ctrl: true }, run: () => printSheet(w) };
    // The window's menu; from the keyboard it also copies each result, which the mouse copies from the result.
    addMenuItems(w, [sheetItem, ...c.results.map(({ field, name }) => ({
      label: `复制 ${name}`, run: () => copy(w.control(field)),
    }))]);
    for (const { field } of c.results) {
      const box = w.control(field);
      onContextMenu(box, (x, y) => openMenu([{ label: '复制', run: () => copy(box) }, sheetItem], x, y,
        document.activeElement));
    }
    w.control(c.calculate).addEventListener('click', () => calculate(w));
    w.control(c.clear).addEventListener('click', () => clear(w));
    // A result shown in an editable box is fitted again whenever its text changes.
    for (const { field } of c.results) {
      const box = w.control(field);
      if (box.tagName === 'INPUT') box.addEventListener('input', () => fitWhole(box));
    }
    // Enter calculates in every field, a result's own box among them, as on the desktop.
    for (const field of [...c.fields, ...c.results].map((f) => f.field)) {
      w.control(field).addEventListener('keydown', (e) => {
        if (e.key !== 'Enter' || e.isComposing) return;
        e.preventDefault();  // the Enter must not go on to press the message's button
        calculate(w);
      });
    }
  };
}
