// The six windows inside the page: at most one open window of each kind, each with a caption bar (icon, caption,
// close box) by which it moves, its controls at the desktop's pixel rectangles, the desktop's tab order and the
// desktop's first focus. Their HTML is written when the page is made (web/make_page.py, from the windows'
// description): the first window is on the desktop already, and each kind has a <template> to clone.

export class PageWindows {
  constructor(desktop, data, separator) {
    this.desktop = desktop;
    this.specs = new Map(data.windows.map((w) => [w.kind, w]));
    this.separator = separator;
    this.open = new Map();  // kind → PageWindow
    this.placed = 0;        // windows placed so far, for the cascade
    this.onCreate = null;  // (PageWindow) => void, once a window's controls exist
    this.onEnd = null;     // the last window closed
    // F6 and Ctrl+F6 go to the next open window, with Shift to the one before, as the desktop's Alt+Tab does.
    document.addEventListener('keydown', (e) => {
      if (e.key !== 'F6' || e.altKey || e.metaKey) return;
      e.preventDefault();
      this.cycle(e.shiftKey ? -1 : 1);
    });
    // A narrower view must not leave a window where its caption bar cannot be reached.
    addEventListener('resize', () => {
      for (const w of this.open.values()) w.keepReachable();
    });
  }

  /** Activates the open window `step` places after the active one, in the order they were opened. */
  cycle(step) {
    const order = [...this.open.values()];
    if (order.length === 0) return;
    const active = order.reduce((a, b) => (b.z > a.z ? b : a));
    order[(order.indexOf(active) + step + order.length) % order.length].activate();
  }

  /** Shows the window of a kind: the open one, raised and active with its texts as they are, or a new one. */
  show(kind) {
    let w = this.open.get(kind);
    if (!w) {
      // The window the page was drawn with, the first time; a copy of its template after that.
      const drawn = this.desktop.querySelector(`:scope > section.window[data-kind="${kind}"]`);
      const element = drawn ?? this.fromTemplate(kind);
      w = new PageWindow(this, this.specs.get(kind), element);
      this.open.set(kind, w);
      if (this.onCreate) this.onCreate(w);
      if (!drawn) this.desktop.append(element);
      w.place(this.placed++, this.firstWidth ??= w.element.offsetWidth);
      w.focusFirst();
    }
    w.activate();
    return w;
  }

  fromTemplate(kind) {
    const template = document.querySelector(`template[data-kind="${kind}"]`);
    return document.importNode(template.content.firstElementChild, true);
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
  constructor(windows, spec, element) {
    this.windows = windows;
    this.spec = spec;
    this.lastFocus = null;
    this.z = 0;
    this.element = element;
    this.captionBar = element.querySelector(':scope > .caption-bar');
    this.closeBox = this.captionBar.querySelector('.close-box');
    this.client = element.querySelector(':scope > .client');
    this.controls = new Map([...this.client.querySelectorAll('[data-name]')].map((e) => [e.dataset.name, e]));

    // Default texts are written with a point; in a language that writes "0,9" they must read as numbers.
    for (const box of this.client.querySelectorAll('input')) box.value = box.value.replaceAll('.', windows.separator);
    this.closeBox.addEventListener('click', () => this.close());
    this.makeMovable(this.captionBar);
    for (const { button, does, opens } of spec.buttons) {
      if (does === 'open') this.controls.get(button).addEventListener('click', () => windows.show(opens));
      if (does === 'close') this.controls.get(button).addEventListener('click', () => this.close());
    }

    element.addEventListener('pointerdown', () => this.activate(), true);
    // Under a message, a click anywhere in the window leaves the focus on the message's button, not on the page.
    element.addEventListener('mousedown', (e) => {
      if (this.modal && e.target !== this.modal) {
        e.preventDefault();
        this.modal.focus();
      }
    }, true);
    element.addEventListener('focusin', (e) => {
      if (this.client.contains(e.target)) this.lastFocus = e.target;
      this.raise();
    });
    element.addEventListener('keydown', (e) => this.onKey(e));
  }

  control(name) {
    return this.controls.get(name);
  }

  get tabOrder() {
    // A row the window does not show now (a crane table's spare rows) is passed over.
    return this.spec.tabOrder.map((name) => this.controls.get(name)).filter((e) => e && !e.closest('[hidden]'));
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
  // little lower and to the right of the one before; never beyond the right or bottom edge of the page while it
  // fits, and never beyond its top or left edge, so that its caption bar is always in reach.
  place(n, firstWidth) {
    const margin = 16, step = 28, k = n === 0 ? 0 : (n - 1) % 8;
    const desktop = this.windows.desktop;
    const width = desktop.clientWidth || innerWidth, height = desktop.clientHeight || innerHeight;
    let left = n === 0 ? margin : 2 * margin + firstWidth + k * step;
    if (left + this.element.offsetWidth > width) left = margin + (n % 8) * step;
    const top = margin + k * step;
    const fit = (at, size, room) => Math.max(0, Math.min(at, room - size));
    this.element.style.left = `${fit(left, this.element.offsetWidth, width) + desktop.scrollLeft}px`;
    this.element.style.top = `${fit(top, this.element.offsetHeight, height) + desktop.scrollTop}px`;
  }

  // The caption bar stays on the view, 40 pixels of it at least, so that the window can always be moved back.
  moveTo(left, top) {
    const desktop = this.windows.desktop, bar = this.captionBar.offsetHeight;
    const width = desktop.scrollLeft + (desktop.clientWidth || innerWidth);
    const height = desktop.scrollTop + (desktop.clientHeight || innerHeight);
    this.element.style.left = `${Math.min(Math.max(left, 40 - this.element.offsetWidth), width - 40)}px`;
    this.element.style.top = `${Math.max(Math.min(top, height - bar), 0)}px`;
  }

  keepReachable() {
    this.moveTo(this.element.offsetLeft, this.element.offsetTop);
  }

  makeMovable(bar) {
    bar.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || e.target === this.closeBox) return;
      e.preventDefault();
      const start = { x: e.clientX, y: e.clientY, left: this.element.offsetLeft, top: this.element.offsetTop };
      bar.setPointerCapture(e.pointerId);
      const move = (m) => this.moveTo(start.left + m.clientX - start.x, start.top + m.clientY - start.y);
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
