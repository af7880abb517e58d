// The several-cranes sheet in the page: the module's forms::CraneSheet (web/crane_bridge.cpp) written as A4 pages
// with DOM methods only, so that a typed text is always text. A section marked newPage starts the second page;
// the figure is the window's own SVG of the critical position, drawn to the sheet's width.
import { el, showPages } from './sheet.mjs';

// As wide on paper as on the desktop's sheet.
const figureMm = 130;

function table(t) {
  const e = el('table', 'crane-table');
  const head = e.createTHead().insertRow();
  for (const text of t.header) head.append(el('th', '', text));
  const body = e.createTBody();
  t.rows.forEach((row, i) => {
    const tr = body.insertRow();
    if (t.lastRowIsSum && i === t.rows.length - 1) tr.className = 'sum';
    for (const text of row) tr.append(el('td', '', text));
  });
  return e;
}

function figure(svg, f) {
  svg.setAttribute('width', `${figureMm}mm`);
  svg.setAttribute('height', `${(f.height * figureMm) / f.width}mm`);
  svg.setAttribute('role', 'img');
  const e = el('figure', 'crane-figure');
  e.append(svg);
  return e;
}

/** The sheet's pages, 210 × 297 mm each; `figureSvg` draws the core's figure shapes. */
export function craneSheetPages(s, figureSvg) {
  const pages = [];
  const page = () => {
    const p = el('article', 'sheet-page crane-sheet');
    p.setAttribute('aria-label', `${s.title} ${s.footers[pages.length]}`);
    p.append(el('div', 'crane-content'));
    const footer = el('footer', 'sheet-footer');
    footer.append(el('span', '', s.footers[pages.length]));
    p.append(footer);
    pages.push(p);
    return p.firstChild;
  };
  let content = page();
  content.append(el('h1', 'sheet-title', s.title), el('p', 'crane-blanks', s.blanks));
  for (const section of s.sections) {
    if (section.newPage && pages.length < s.footers.length) content = page();
    content.append(el('h2', '', section.heading));
    for (const line of section.lines) content.append(el('p', 'crane-line', line));
    if (section.figure) content.append(figure(figureSvg(s.figure), s.figure));
    if (section.table.header.length > 0) content.append(table(section.table));
  }
  return pages;
}

/** Shows the sheet over the page; `onClose` when it is closed. */
export function showCraneSheet(s, figureSvg, onClose) {
  return showPages(s.title, craneSheetPages(s, figureSvg), onClose);
}
