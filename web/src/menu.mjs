// Context menus, as the desktop's: a window's menu is one list of items, which each part of the page adds its own
// items to (addMenuItems), shown by a right click on the window's background or by Shift+F10 / the menu key in it;
// an item's shortcut runs it from anywhere in the window. A control may have a menu of its own (onContextMenu). Items
// are reached with the arrow keys, Enter chooses, Escape closes, and the focus goes back where it was.

/**
 * Adds items to a window's menu: { label, shortcut: { key, ctrl }, run } (shortcut optional; key as KeyboardEvent's
 * key, lower case; Ctrl is Cmd on a Mac). A separator comes before each group but the first.
 */
export function addMenuItems(w, items) {
  if (!w.menuItems) {
    w.menuItems = [];
    w.element.addEventListener('keydown', (e) => onKey(w, e));
    w.client.addEventListener('contextmenu', (e) => {
      // Fields keep the browser's own menu (cut, copy, paste).
      if (e.target.closest('input')) return;
      e.preventDefault();
      openMenu(w.menuItems, e.clientX, e.clientY, document.activeElement);
    });
  }
  if (w.menuItems.length > 0) w.menuItems.push(null);
  w.menuItems.push(...items);
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
    if (!isMenuKey(e)) return;
    e.preventDefault();
    e.stopPropagation();
    const r = target.getBoundingClientRect();
    open(r.left, r.bottom);
  });
}

const isMenuKey = (e) => (e.key === 'F10' && e.shiftKey) || e.key === 'ContextMenu';

function matches(shortcut, e) {
  return shortcut && e.key.toLowerCase() === shortcut.key && (e.ctrlKey || e.metaKey) === !!shortcut.ctrl &&
    !e.altKey;
}

function onKey(w, e) {
  if (w.modal || e.isComposing) return;
  if (isMenuKey(e)) {
    e.preventDefault();
    const at = (document.activeElement ?? w.client).getBoundingClientRect();
    openMenu(w.menuItems, at.left + 4, at.bottom, document.activeElement);
    return;
  }
  const item = w.menuItems.find((i) => i && matches(i.shortcut, e));
  if (!item) return;
  e.preventDefault();  // the browser's own Ctrl+S, Ctrl+O and Ctrl+P would save, replace or print the page
  e.stopPropagation();
  item.run();
}

function shortcutText(shortcut) {
  return shortcut ? `${shortcut.ctrl ? 'Ctrl+' : ''}${shortcut.key.toUpperCase()}` : '';
}

/** Shows `items` (null for a separator) as a menu at (x, y); `back` takes the focus again when it is dismissed. */
export function openMenu(items, x, y, back) {
  closeMenu();
  const menu = document.createElement('div');
  menu.className = 'context-menu';
  menu.id = 'context-menu';
  menu.setAttribute('role', 'menu');
  const buttons = [];
  for (const item of items) {
    if (!item) {
      menu.append(Object.assign(document.createElement('hr'), { role: 'separator' }));
      continue;
    }
    const b = document.createElement('button');
    b.type = 'button';
    b.className = 'menu-item';
    b.setAttribute('role', 'menuitem');
    b.tabIndex = -1;
    // The item's text is its label alone; its shortcut is shown beside it by the style and told to screen readers.
    b.textContent = item.label;
    if (item.shortcut) {
      b.dataset.keys = shortcutText(item.shortcut);
      b.setAttribute('aria-keyshortcuts', `Control+${item.shortcut.key.toUpperCase()}`);
    }
    b.addEventListener('click', () => {
      closeMenu(back);
      item.run();
    });
    menu.append(b);
    buttons.push(b);
  }
  document.body.append(menu);
  // Inside the page, never off it.
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - menu.offsetWidth))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - menu.offsetHeight))}px`;
  menu.addEventListener('keydown', (e) => {
    const at = buttons.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      const step = e.key === 'ArrowDown' ? 1 : buttons.length - 1;
      buttons[(at + step + buttons.length) % buttons.length].focus();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      closeMenu(back);
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();
  });
  menu.addEventListener('focusout', (e) => {
    if (!menu.contains(e.relatedTarget)) closeMenu();
  });
  buttons[0]?.focus();
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
