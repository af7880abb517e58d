// Calculation files in the page: "保存计算…" (Ctrl+S) downloads the window's file, "打开计算…" (Ctrl+O) picks one,
// and a file dropped on a window opens. The core's module reads and writes them (the desktop's own reader and
// writer), so a file of either edition opens in the other; opening changes nothing unless the whole file is valid.
import { addMenuItems } from './menu.mjs';

function today() {
  const d = new Date();
  const two = (n) => String(n).padStart(2, '0');
  return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}`;
}

/** `ready` is the promise of the core's API; `messageBox` gives the message's button. */
export function makeFiles(ready, windows, messageBox) {
  // One picker for the page, in the document so that it can be driven like any file input; it remembers which
  // window asked, for the message if the file cannot be opened.
  const picker = document.createElement('input');
  picker.type = 'file';
  picker.accept = '.kelvaro';
  picker.id = 'kelvaro-open-file';
  picker.hidden = true;
  document.body.append(picker);
  let asking = null;
  picker.addEventListener('change', () => {
    const file = picker.files[0];
    const from = asking && windows.open.get(asking.spec.kind) === asking ? asking : activeWindow();
    picker.value = '';
    if (file && from) openFile(file, from);
  });

  // A file dropped anywhere else would make the browser leave the page, and everything typed with it.
  for (const type of ['dragover', 'drop']) document.addEventListener(type, (e) => e.preventDefault());

  function activeWindow() {
    return [...windows.open.values()].sort((a, b) => b.z - a.z)[0] ?? null;
  }

  function tell(w, outcome) {
    const back = document.activeElement;
    w.showMessage(outcome.title, outcome.message, messageBox.button, () => back && back.focus());
  }

  function written(core, w) {
    if (!w.spec.calculator) {
      const { own, cranes } = w.arrangementTexts();
      return core.writeArrangementFile(own, cranes, w.shownResults(), today());
    }
    const c = w.spec.calculator;
    const texts = [], results = [];
    for (const { field, input } of c.fields) texts[input] = w.control(field).value;
    for (const { field, result } of c.results) {
      const target = w.control(field);
      results[result] = (target.tagName === 'INPUT' ? target.value : target.textContent).trim();
    }
    return core.writeFile(w.spec.id, texts, results, today());
  }

  async function save(w) {
    const outcome = written(await ready, w);
    if ('message' in outcome) return tell(w, outcome);
    const url = URL.createObjectURL(new Blob([outcome.content], { type: 'application/x-kelvaro' }));
    const link = Object.assign(document.createElement('a'), { href: url, download: outcome.name, hidden: true });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function choose(w) {
    asking = w;
    picker.click();
  }

  async function openFile(file, from) {
    const core = await ready;
    // Refused by its size before it is read, as the desktop does.
    if (file.size > 1024 * 1024) return tell(from, core.fileTooLarge(file.name, file.size));
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      return tell(from, core.fileTooLarge(file.name, file.size));
    }
    const outcome = core.readFile(bytes, file.name);
    if ('message' in outcome) return tell(from, outcome);
    if (outcome.arrangement) {
      const cranes = [...windows.specs.values()].find((s) => s.cranes);
      if (!cranes) return tell(from, core.fileWithoutWindow(file.name));
      return windows.show(cranes.kind).openArrangement(outcome.arrangement);
    }
    const spec = [...windows.specs.values()].find((s) => s.id === outcome.form);
    if (!spec) return tell(from, core.fileWithoutWindow(file.name));
    const w = windows.show(spec.kind);
    for (const { field, input } of spec.calculator.fields) w.control(field).value = outcome.texts[input];
    w.calculate();
  }

  // Wires a new calculator window: its menu items, its shortcuts, and dropping a file on it; the several-cranes
  // window shows the two items as buttons too.
  return function wire(w) {
    if (!w.spec.calculator && !w.spec.cranes) return;
    addMenuItems(w, [
      { label: '保存计算…', shortcut: { key: 's', ctrl: true }, run: () => save(w) },
      { label: '打开计算…', shortcut: { key: 'o', ctrl: true }, run: () => choose(w) },
    ]);
    if (w.spec.cranes) {
      w.control('save').addEventListener('click', () => save(w));
      w.control('open').addEventListener('click', () => choose(w));
    }
    w.element.addEventListener('dragover', (e) => {
      if (![...e.dataTransfer.types].includes('Files')) return;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'copy';
    });
    w.element.addEventListener('drop', (e) => {
      const file = e.dataTransfer.files[0];
      if (!file) return;
      e.preventDefault();
      e.stopPropagation();
      if (!w.modal) openFile(file, w);
    });
  };
}
