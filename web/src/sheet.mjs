// A calculation's sheet in the page: what the module answers (web/sheet_json.h) written as HTML and SVG with DOM
// methods only, so that a field's text is always text, never markup. It opens over the page in a layer of its own
// with "打印…" (the browser's print dialog, where "Save as PDF" is the PDF route) and "关闭"; printed, it is the
// one A4 page and nothing else.

const SVG = 'http://www.w3.org/2000/svg';
// Sheet units are tenths of a millimetre; the figure's SVG takes them as its user units.
const mm = (units) => `${units / 10}mm`;
// The figure's ordinates are at most this high, and no lower than half of it when a full sheet needs the room.
export const figureWidth = 1650;
export const unitHeight = 220;
const lowestUnit = 70;
// Where the content must end: 2 mm above the footer's line.
const contentBottom = 282;

export function el(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

function svg(tag, attributes) {
  const e = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, String(value));
  return e;
}

const fills = { none: 'none', black: '#000', white: '#fff', grey: '#dedede' };

/** The influence-line figure: its shapes in order, then its texts, each centred in its box. */
export function figureSvg(f) {
  const root = svg('svg', {
    class: 'figure', viewBox: `0 0 ${f.width} ${f.height}`, width: mm(f.width), height: mm(f.height),
    role: 'img',
  });
  for (const s of f.shapes) {
    const stroke = s.stroke > 0 ? { stroke: '#000', 'stroke-width': s.stroke, 'stroke-linecap': 'butt' } : {};
    if (s.dashed) stroke['stroke-dasharray'] = `${4 * s.stroke} ${2 * s.stroke}`;
    const paint = { fill: fills[s.fill], ...stroke };
    if (s.kind === 'line') {
      const [[x1, y1], [x2, y2]] = s.points;
      root.append(svg('line', { x1, y1, x2, y2, ...stroke }));
    } else if (s.kind === 'polygon') {
      root.append(svg('polygon', { points: s.points.map((p) => p.join(',')).join(' '), ...paint }));
    } else {
      const [[cx, cy]] = s.points;
      root.append(svg('circle', { cx, cy, r: s.radius, ...paint }));
    }
  }
  for (const l of f.labels) {
    const t = svg('text', {
      x: l.x + l.width / 2, y: l.y + l.height / 2, 'font-size': f.labelSize,
      'text-anchor': 'middle', 'dominant-baseline': 'central',
    });
    t.textContent = l.text;
    root.append(t);
  }
  return root;
}

function inputTable(columns, rows) {
  const table = el('table', 'inputs');
  const head = table.createTHead().insertRow();
  for (const c of columns) head.append(el('th', '', c));
  const body = table.createTBody();
  for (const row of rows) {
    const tr = body.insertRow();
    row.forEach((text, i) => tr.append(el('td', i === 2 ? 'value' : '', text)));
  }
  return table;
}

/** The sheet's page, 210 × 297 mm. */
export function sheetPage(s) {
  const page = el('article', 'sheet-page');
  page.setAttribute('aria-label', `${s.title} ${s.name}`);
  page.append(el('h1', 'sheet-title', s.title), el('p', 'sheet-name', s.name));
  const blanks = el('div', 'blanks');
  const project = el('p', 'blank project');
  project.append(el('span', '', s.project), el('span', 'line'));
  const signatures = el('p', 'blank signatures');
  for (const label of s.signatures) {
    const one = el('span', 'signature');
    one.append(el('span', '', label), el('span', 'line'));
    signatures.append(one);
  }
  blanks.append(project, signatures);
  page.append(blanks);

  page.append(el('h2', '', s.basisHeading), el('p', 'basis', s.basis));
  page.append(el('h2', '', s.inputsHeading));
  const tables = el('div', 'input-tables');
  const half = Math.ceil(s.inputs.length / 2);
  tables.append(inputTable(s.columns, s.inputs.slice(0, half)), inputTable(s.columns, s.inputs.slice(half)));
  page.append(tables);
  if (s.figure) {
    page.append(el('h2', '', s.figureHeading));
    const figure = el('figure', 'influence');
    figure.append(figureSvg(s.figure), el('figcaption', '', s.figureCaption));
    page.append(figure);
  }
  const workingHeading = el('div', 'heading-line');
  workingHeading.append(el('h2', '', s.workingHeading), el('p', 'remark', s.workingNote));
  page.append(workingHeading);
  const working = el('div', 'working');
  for (const line of s.working) {
    working.append(el('span', 'quantity', line.quantity), el('span', 'rest', line.text.slice(line.quantity.length)));
  }
  page.append(working);
  page.append(el('h2', '', s.resultsHeading));
  const results = el('div', 'results');
  for (const r of s.results) results.append(el('span', 'caption', r.caption), el('span', 'value', r.text));
  page.append(results);
  for (const note of s.notes) page.append(el('p', 'note', note));
  const footer = el('footer', 'sheet-footer');
  footer.append(el('span', '', s.program), el('span', '', s.page));
  page.append(footer);
  return page;
}

/** How far below the content's end a page reaches, in sheet units; negative when it fits. */
export function overflow(page) {
  const top = page.getBoundingClientRect().top;
  const pxPerUnit = page.getBoundingClientRect().height / 2970;
  let bottom = top;
  for (const child of page.children) {
    if (!child.classList.contains('sheet-footer')) bottom = Math.max(bottom, child.getBoundingClientRect().bottom);
  }
  return (bottom - top) / pxPerUnit - contentBottom * 10;
}

/**
 * Shows a sheet over the page. `again(unit)` answers the same sheet with its figure's ordinates `unit` high: a
 * sheet too long for its page is made again with a lower figure, as the desktop does.
 */
export function showSheet(sheet, again, onClose) {
  let page = sheetPage(sheet);
  const layer = showPages(`${sheet.title} - ${sheet.name}`, [page], onClose);
  const over = sheet.figure ? overflow(page) : 0;
  if (over > 0) {
    const lower = again(Math.min(unitHeight, Math.max(lowestUnit, unitHeight - over)));
    const next = sheetPage(lower);
    page.replaceWith(next);
    page = next;
  }
  return layer;
}

/** Shows a sheet's A4 pages over the page, named `label`, with "打印…" and "关闭"; printed, one sheet a page. */
export function showPages(label, pages, onClose) {
  document.getElementById('sheet-layer')?.remove();
  const layer = el('div');
  layer.id = 'sheet-layer';
  layer.setAttribute('role', 'dialog');
  layer.setAttribute('aria-modal', 'true');
  layer.setAttribute('aria-label', label);
  const bar = el('div', 'sheet-toolbar');
  const print = el('button', 'button', '打印…');
  const close = el('button', 'button', '关闭');
  print.type = close.type = 'button';
  bar.append(print, close);
  layer.append(bar, ...pages);
  document.body.append(layer);
  document.body.classList.add('sheet-open');

  const dismiss = () => {
    layer.remove();
    document.body.classList.remove('sheet-open');
    onClose();
  };
  print.addEventListener('click', () => window.print());
  close.addEventListener('click', dismiss);
  layer.addEventListener('keydown', (e) => {
    if (e.key === 'Escape') {
      e.preventDefault();
      dismiss();
    } else if (e.key === 'Tab') {  // the focus stays in the layer, between its two buttons
      e.preventDefault();
      (document.activeElement === print ? close : print).focus();
    } else if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 'p') {
      e.preventDefault();
      window.print();
    }
  });
  print.focus();
  return layer;
}
