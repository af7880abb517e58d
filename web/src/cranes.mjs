// The several-cranes window in the page: its table of one to four cranes, one call into the core per Calculate
// (the texts by index, the answer with every text written), the results with their notes, the warnings and the
// figure as SVG. It opens from every calculator's context menu and by the shortcut the desktop uses.

import { addMenuItems } from './menu.mjs';
import { showCraneSheet } from './crane_sheet.mjs';

const KIND = 'CraneArrangement';
const SVG = 'http://www.w3.org/2000/svg';
// The figure's inks, in the order of the core's forms::Ink: normal, grey, accent, thin.
const INKS = [['#000', 1.2], ['#a0a0a0', 1.2], ['#c02020', 1.2], ['#000', 0.6]];
const ANCHORS = ['start', 'middle', 'end'];

function svg(tag, attributes, text) {
  const e = document.createElementNS(SVG, tag);
  for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, String(v));
  if (text !== undefined) e.textContent = text;
  return e;
}

/** The figure of the critical position, from the core's shapes. */
export function figureSvg(figure) {
  const root = svg('svg', { width: figure.width, height: figure.height, viewBox: `0 0 ${figure.width} ${figure.height}` });
  for (const [x1, y1, x2, y2, ink] of figure.lines) {
    root.append(svg('line', { x1, y1, x2, y2, stroke: INKS[ink][0], 'stroke-width': INKS[ink][1] }));
  }
  for (const [cx, cy, r, ink] of figure.wheels) {
    root.append(svg('circle', { cx, cy, r, stroke: INKS[ink][0], 'stroke-width': 1.2, fill: ink === 2 ? INKS[2][0] : '#fff' }));
  }
  for (const [x, y, text, anchor, ink] of figure.texts) {
    root.append(svg('text', { x, y, 'text-anchor': ANCHORS[anchor], fill: INKS[ink][0], 'font-size': 11 }, text));
  }
  return root;
}

export function makeCranes(ready, windows, messageBox) {
  const spec = windows.specs.get(KIND);
  const c = spec.cranes;
  const sep = windows.separator;

  // Ctrl+M anywhere opens the window, as in every calculator on the desktop.
  document.addEventListener('keydown', (e) => {
    if (!e.ctrlKey || e.altKey || e.shiftKey || e.metaKey || e.key.toLowerCase() !== 'm') return;
    e.preventDefault();
    windows.show(KIND);
  });

  const rowShown = (w, row) => !w.control(row.controls[0]).closest('tr').hidden;
  const shownRows = (w) => c.rows.filter((row) => rowShown(w, row));
  const value = (e) => e.value;

  function controlOf(input) {
    if (input.crane !== null) return c.rows[input.crane].controls[input.index];
    const bay = c.bays.find((b) => b.index === input.index);
    return bay ? bay.control : c.options.find((o) => o.index === input.index).field;
  }

  function show(w, answer) {
    for (const r of c.results) {
      const found = answer?.results.find((a) => a.name === r.name);
      const target = w.control(r.control);
      target.textContent = found ? found.text : ' ';
      target.title = found ? found.note : '';
    }
    c.longitudinal.forEach((t, i) => {
      const found = answer?.longitudinalResults[i];
      const target = w.control(t.control);
      target.hidden = target.previousElementSibling.hidden = !found;
      target.textContent = found ? found.text : ' ';
      target.title = found ? found.note : '';
    });
    w.control('warnings').textContent = answer ? answer.warnings.map((text) => `注意：${text}`).join('\n') : '';
    const figure = w.control('figure');
    figure.replaceChildren(...(answer ? [figureSvg(answer.figure)] : []));
    figure.title = answer ? answer.working.join('\n') : '';
  }

  // The texts as the core takes them: the window's own by index, one array per crane shown.
  function texts(w) {
    const own = [];
    for (const b of c.bays) own[b.index] = value(w.control(b.control));
    for (const o of c.options) own[o.index] = value(w.control(o.field));
    return { own, cranes: shownRows(w).map((row) => row.controls.map((name) => value(w.control(name)))) };
  }

  // The results as shown, by index (then one T_L per crane), for a file's notes.
  function shown(w) {
    const out = [];
    for (const r of c.results) out[r.index] = w.control(r.control).textContent.trim();
    for (const t of c.longitudinal) {
      const target = w.control(t.control);
      out[t.index] = target.hidden ? '' : target.textContent.trim();
    }
    return out;
  }

  // A file's texts (by name) into the window, as many rows as it has cranes, then Calculate.
  function open(w, arrangement) {
    for (const b of c.bays) w.control(b.control).value = arrangement[b.key];
    for (const o of c.options) w.control(o.field).value = arrangement[o.field];
    setRows(w, arrangement.cranes.length);
    arrangement.cranes.forEach((crane, i) => {
      c.rows[i].controls.forEach((name, f) => { w.control(name).value = crane[c.columns[f].field]; });
    });
    return calculate(w);
  }

  // Gives the answer shown, or null when refused; `withSheet` (Ctrl+P) asks for its sheet too.
  async function calculate(w, withSheet = false) {
    const { own, cranes } = texts(w);
    const answer = (await ready).craneArrangement(own, cranes, sep, withSheet);
    if ('failure' in answer) {
      const blamed = w.control(controlOf(answer.input));
      blamed.focus();
      if (blamed.select) blamed.select();
      w.showMessage(messageBox.title, answer.message, messageBox.button, () => blamed.focus());
      return null;
    }
    show(w, answer);
    return answer;
  }

  // As the calculators: calculate first, and open the sheet only when that succeeds.
  async function printSheet(w) {
    if (w.modal) return;
    const answer = await calculate(w, true);
    if (!answer) return;
    const back = document.activeElement;
    showCraneSheet(answer.sheet, figureSvg, () => back && back.focus());
  }

  function setRows(w, count) {
    c.rows.forEach((row, i) => {
      w.control(row.controls[0]).closest('tr').hidden = i >= count;
    });
  }

  // Wires a new window: the calculators gain the way here; the several-cranes window its buttons.
  return function wire(w) {
    if (w.spec.calculator) {
      const button = w.control(w.spec.calculator.calculate);
      button.title = button.title ? `${button.title}；${c.shortcutNote}` : c.shortcutNote;
      addMenuItems(w, [{ label: c.menuText, shortcut: { key: 'm', ctrl: true }, run: () => windows.show(KIND) }]);
      return;
    }
    if (w.spec.kind !== KIND) return;
    const does = {
      calculate: () => calculate(w),
      addCrane: () => setRows(w, Math.min(c.rows.length, shownRows(w).length + 1)),
      removeCrane: () => setRows(w, Math.max(1, shownRows(w).length - 1)),
      clear: () => show(w, null),
      close: () => w.close(),
    };
    // Saving and opening are the files' (files.mjs), through these.
    Object.assign(w, { arrangementTexts: () => texts(w), shownResults: () => shown(w), openArrangement: (a) => open(w, a) });
    for (const b of c.buttons) if (does[b.does]) w.control(b.does).addEventListener('click', does[b.does]);
    addMenuItems(w, [{ label: '计算书…', shortcut: { key: 'p', ctrl: true }, run: () => printSheet(w) }]);
    for (const box of w.client.querySelectorAll('input')) {
      box.addEventListener('keydown', (e) => {
        if (e.key !== 'Enter' || e.isComposing) return;
        e.preventDefault();
        calculate(w);
      });
    }
  };
}
