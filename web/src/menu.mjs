// A small context menu, as the desktop's: opened by the right button, the context-menu key or Shift+F10, its items
// reached with the arrow keys, Enter to choose, Escape to close; the focus goes back where it was.

export function openMenu(items, x, y, back) {
  closeMenu();
  const menu = document.createElement('div');
  menu.className = 'context-menu';
  menu.id = 'context-menu';
  menu.setAttribute('role', 'menu');
  const buttons = items.map(({ text, run }) => {
    const b = document.createElement('button');
    b.type = 'button';
    b.className = 'menu-item';
    b.setAttribute('role', 'menuitem');
    b.textContent = text;
    b.addEventListener('click', () => {
      closeMenu(back);
      run();
    });
    return b;
  });
  menu.append(...buttons);
  document.body.append(menu);
  // Inside the window, never off it.
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - menu.offsetWidth))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - menu.offsetHeight))}px`;
  menu.addEventListener('keydown', (e) => {
    const at = buttons.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      e.preventDefault();
      const step = e.key === 'ArrowDown' ? 1 : buttons.length - 1;
      buttons[(at + step) % buttons.length].focus();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      e.preventDefault();
      closeMenu(back);
    }
  });
  menu.addEventListener('focusout', (e) => {
    if (!menu.contains(e.relatedTarget)) closeMenu();
  });
  buttons[0].focus();
  return menu;
}

export function closeMenu(back) {
  const menu = document.getElementById('context-menu');
  if (!menu) return;
  // Removing it blurs its item, whose focusout closes the menu again: by then it has no id to be found by.
  menu.removeAttribute('id');
  menu.remove();
  if (back) back.focus();
}

/** Calls `open(x, y)` for a right click on `target` and for the context-menu key or Shift+F10 while it has focus. */
export function onContextMenu(target, open) {
  target.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    e.stopPropagation();
    // From the keyboard some browsers fire this at (0, 0): the menu then opens at the target instead.
    if (e.clientX === 0 && e.clientY === 0) {
      const r = e.currentTarget.getBoundingClientRect();
      open(r.left, r.bottom);
    } else {
      open(e.clientX, e.clientY);
    }
  });
  target.addEventListener('keydown', (e) => {
    if (e.target !== target && target.contains(e.target) && e.target.dataset?.menu) return;
    if (!((e.key === 'F10' && e.shiftKey) || e.key === 'ContextMenu')) return;
    e.preventDefault();
    e.stopPropagation();
    const r = (e.target instanceof Element ? e.target : target).getBoundingClientRect();
    open(r.left, r.bottom);
  });
}
