// The six windows inside the page, made from the desktop windows' own dump (see web/dump_windows.cpp): at most
// one open window of each kind, each with a caption bar (icon, caption, close box) by which it moves, its controls
// at the desktop's pixel rectangles, the desktop's tab order and the desktop's first focus.
'use strict';

class PageWindows {
  constructor(desktop, dump, separator) {
    this.desktop = desktop;
    this.specs = new Map(dump.windows.map((w) => [w.kind, w]));
    this.separator = separator;
    this.open = new Map();  // kind → PageWindow
    this.placed = 0;        // windows placed so far, for the cascade
    this.onCreate = null;  // (PageWindow) => void, once a window's controls exist
    this.onEnd = null;     // the last window closed
  }

  /** Shows the window of a kind: the open one, raised and active with its texts as they are, or a new one. */
  show(kind) {
    let w = this.open.get(kind);
    if (!w) {
      w = new PageWindow(this, this.specs.get(kind));
      this.open.set(kind, w);
      if (this.onCreate) this.onCreate(w);
      this.desktop.append(w.element);
      w.place(this.placed++, this.firstWidth ??= w.element.offsetWidth);
      w.focusFirst();
    }
    w.activate();
    return w;
  }

  close(kind) {
    const w = this.open.get(kind);
    if (!w) return;
    w.element.remove();
    this.open.delete(kind);
    const next = [...this.open.values()].sort((a, b) => b.z - a.z)[0];
    if (next) next.activate();
    else if (this.onEnd) this.onEnd();
  }
}

let topZ = 0;

class PageWindow {
  constructor(windows, spec) {
    this.windows = windows;
    this.spec = spec;
    this.controls = new Map();  // control name → element
    this.lastFocus = null;
    this.z = 0;

    const kind = spec.kind;
    const el = (this.element = make('section', 'window'));
    el.dataset.kind = kind;
    el.setAttribute('role', 'dialog');
    el.setAttribute('aria-labelledby', `${kind}-caption`);

    const bar = (this.captionBar = make('header', 'caption-bar'));
    const icon = make('img', 'icon');
    icon.src = spec.iconUrl;
    icon.alt = '';
    const caption = make('span', 'caption', spec.caption);
    caption.id = `${kind}-caption`;
    const closeBox = (this.closeBox = make('button', 'close-box', '×'));
    closeBox.type = 'button';
    closeBox.tabIndex = -1;  // as a title bar's close box: clicked, not tabbed to
    closeBox.setAttribute('aria-label', '关闭');
    closeBox.addEventListener('click', () => this.close());
    bar.append(icon, caption, closeBox);
    this.makeMovable(bar);

    const client = (this.client = make('div', 'client'));
    client.style.width = `${spec.client.pixels[0]}px`;
    client.style.height = `${spec.client.pixels[1]}px`;
    el.append(bar, client);

    for (const c of spec.controls) this.addControl(c);
    for (const [button, target] of Object.entries(spec.opens || {})) {
      this.controls.get(button).addEventListener('click', () => windows.show(target));
    }
    for (const button of spec.closes || []) this.controls.get(button).addEventListener('click', () => this.close());

    el.addEventListener('pointerdown', () => this.activate(), true);
    el.addEventListener('focusin', (e) => {
      if (this.client.contains(e.target)) this.lastFocus = e.target;
      this.raise();
    });
    el.addEventListener('keydown', (e) => this.onKey(e));
  }

  addControl(c) {
    const container = c.in ? this.controls.get(c.in) : this.client;
    const e = makeControl(c, this.windows.separator);
    e.id = `${this.spec.kind}-${c.name}`;
    e.dataset.name = c.name;
    const [x, y, w, h] = c.pixels;
    Object.assign(e.style, { left: `${x}px`, top: `${y}px`, width: `${w}px`, height: `${h}px` });
    if (c.font) e.style.font = cssFont(c.font);
    container.append(e);
    this.controls.set(c.name, e);
    if (c.buddy) e.htmlFor = `${this.spec.kind}-${c.buddy}`;
  }

  control(name) {
    return this.controls.get(name);
  }

  get tabOrder() {
    return this.spec.tabOrder.map((name) => this.controls.get(name));
  }

  // Tab and Shift+Tab go round this window's controls in the desktop's order, as in a window of its own.
  onKey(e) {
    if (e.key !== 'Tab' || e.altKey || e.ctrlKey || e.metaKey || this.modal) return;
    e.preventDefault();
    const order = this.tabOrder;
    if (order.length === 0) return;
    const at = order.indexOf(document.activeElement);
    const next = at < 0 ? 0 : (at + (e.shiftKey ? order.length - 1 : 1)) % order.length;
    order[next].focus();
  }

  focusFirst() {
    const first = this.controls.get(this.spec.focus);
    if (first) first.focus();
    else this.element.focus();
  }

  raise() {
    if (this.z === 0 || this.z < topZ) this.z = ++topZ;
    this.element.style.zIndex = String(this.z);
    for (const w of this.windows.open.values()) w.element.classList.toggle('active', w === this);
  }

  /** Raised and given the focus where it was last (or where a modal message has it). */
  activate() {
    this.raise();
    if (this.modal) return this.modal.focus();
    if (!this.element.contains(document.activeElement)) {
      if (this.lastFocus && this.element.contains(this.lastFocus)) this.lastFocus.focus();
      else this.focusFirst();
    }
  }

  close() {
    this.windows.close(this.spec.kind);
  }

  // The default placement: the first window at the top left, the others beside it where there is room, each a
  // little lower and to the right of the one before.
  place(n, firstWidth) {
    const margin = 16, step = 28, k = n === 0 ? 0 : (n - 1) % 8;
    let left = n === 0 ? margin : 2 * margin + firstWidth + k * step;
    if (left + this.element.offsetWidth > innerWidth) left = margin + (n % 8) * step;
    this.element.style.left = `${left}px`;
    this.element.style.top = `${margin + k * step}px`;
  }

  makeMovable(bar) {
    bar.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || e.target === this.closeBox) return;
      e.preventDefault();
      const start = { x: e.clientX, y: e.clientY, left: this.element.offsetLeft, top: this.element.offsetTop };
      bar.setPointerCapture(e.pointerId);
      const move = (m) => {
        // The caption bar stays on the page, so that the window can always be moved back.
        const left = Math.min(Math.max(start.left + m.clientX - start.x, 40 - this.element.offsetWidth),
          innerWidth - 40);
        const top = Math.min(Math.max(start.top + m.clientY - start.y, 0), innerHeight - bar.offsetHeight);
        this.element.style.left = `${left}px`;
        this.element.style.top = `${top}px`;
      };
      const end = () => {
        bar.removeEventListener('pointermove', move);
        bar.removeEventListener('pointerup', end);
        bar.removeEventListener('pointercancel', end);
      };
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', end);
      bar.addEventListener('pointercancel', end);
    });
  }

  /**
   * A message modal to this window only: the window's controls are inert until it is dismissed, the other windows
   * stay usable. `after` runs once it is gone.
   */
  showMessage(title, text, buttonText, after) {
    const layer = make('div', 'modal-layer');
    const box = make('div', 'message-box');
    box.setAttribute('role', 'alertdialog');
    const id = `${this.spec.kind}-message`;
    box.setAttribute('aria-labelledby', `${id}-title`);
    box.setAttribute('aria-describedby', `${id}-text`);
    const bar = make('header', 'caption-bar', '');
    const caption = make('span', 'caption', title);
    caption.id = `${id}-title`;
    bar.append(caption);
    const body = make('div', 'message-body');
    const p = make('p', 'message-text', text);
    p.id = `${id}-text`;
    body.append(make('span', 'warning-icon'), p);
    const ok = make('button', 'button', buttonText);
    ok.type = 'button';
    box.append(bar, body, ok);
    layer.append(box);

    this.client.inert = true;
    this.closeBox.disabled = true;
    this.element.append(layer);
    this.modal = ok;
    const dismiss = () => {
      layer.remove();
      this.modal = null;
      this.client.inert = false;
      this.closeBox.disabled = false;
      after();
    };
    ok.addEventListener('click', dismiss);
    box.addEventListener('keydown', (e) => {
      if (e.key === 'Escape' || e.key === 'Tab') {
        e.preventDefault();
        if (e.key === 'Escape') dismiss();
      }
    });
    ok.focus();
  }
}

function make(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

// One element per kind of desktop control.
function makeControl(c, separator) {
  let e;
  switch (c.kind) {
    case 'label':
      e = make(c.buddy ? 'label' : 'span', 'label', c.text);
      break;
    case 'resultLabel':
      e = make('output', 'result-label', c.text);
      break;
    case 'textBox':
      e = make('input', 'text-box');
      e.type = 'text';
      e.autocomplete = 'off';
      e.spellcheck = false;
      // Default texts are written with a point; in a language that writes "0,9" they must read as numbers.
      e.value = c.text.replaceAll('.', separator);
      break;
    case 'button':
      e = make('button', 'button', c.text);
      e.type = 'button';
      break;
    case 'frame':
      e = make('div', 'frame');
      e.setAttribute('role', 'group');
      e.append(make('span', 'frame-caption', c.text));
      break;
    case 'picture': {
      e = make('div', 'picture');
      e.setAttribute('role', 'img');
      const img = make('img');
      img.src = c.pictureUrl;
      img.alt = '';
      img.draggable = false;
      e.append(img);
      break;
    }
    default:
      throw new Error(`unknown control kind ${c.kind}`);
  }
  if (c.accessibleName) e.setAttribute('aria-label', c.accessibleName);
  if (c.accessibleDescription) e.setAttribute('aria-description', c.accessibleDescription);
  if (c.focusable) e.tabIndex = 0;
  else if (c.kind === 'button' || c.kind === 'textBox') e.tabIndex = -1;
  return e;
}

function cssFont(font) {
  const families = font.families.map((f) => JSON.stringify(f)).join(', ');
  return `${font.italic ? 'italic ' : ''}${font.bold ? 'bold ' : ''}${font.pointSize}pt ${families}, serif`;
}
