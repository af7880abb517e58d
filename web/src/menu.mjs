// A window's context menu and its shortcuts: one list of items per window, which each part of the page adds its own
// items to (addMenuItems). A right click on the window's background, or Shift+F10 / the menu key in it, shows the
// list as a menu; an item's shortcut runs it from anywhere in the window.

/**
 * Adds items to a window's menu: { label, shortcut: { key, ctrl }, run } (shortcut optional; key as KeyboardEvent's
 * key, lower case). A separator comes before each group but the first.
 */
export function addMenuItems(w, items) {
  if (!w.menuItems) {
    w.menuItems = [];
    w.element.addEventListener('keydown', (e) => onKey(w, e));
    w.client.addEventListener('contextmenu', (e) => {
      // Fields keep the browser's own menu (cut, copy, paste).
      if (e.target.closest('input')) return;
      e.preventDefault();
      showMenu(w, e.clientX, e.clientY);
    });
  }
  if (w.menuItems.length > 0) w.menuItems.push(null);
  w.menuItems.push(...items);
}

function matches(shortcut, e) {
  return shortcut && e.key.toLowerCase() === shortcut.key && e.ctrlKey === !!shortcut.ctrl && !e.altKey && !e.metaKey;
}

function onKey(w, e) {
  if (w.modal || e.isComposing) return;
  if ((e.key === 'F10' && e.shiftKey) || e.key === 'ContextMenu') {
    e.preventDefault();
    const at = (document.activeElement ?? w.client).getBoundingClientRect();
    showMenu(w, at.left + 4, at.bottom);
    return;
  }
  const item = w.menuItems.find((i) => i && matches(i.shortcut, e));
  if (!item) return;
  e.preventDefault();  // the browser's own Ctrl+S and Ctrl+O would save or replace the page
  e.stopPropagation();
  item.run();
}

function shortcutText(shortcut) {
  return shortcut ? `${shortcut.ctrl ? 'Ctrl+' : ''}${shortcut.key.toUpperCase()}` : '';
}

function showMenu(w, x, y) {
  document.querySelector('.context-menu')?.remove();
  const back = document.activeElement;
  const menu = document.createElement('div');
  menu.className = 'context-menu';
  menu.setAttribute('role', 'menu');
  menu.setAttribute('aria-label', w.spec.caption);
  const buttons = [];
  for (const item of w.menuItems) {
    if (!item) {
      menu.append(Object.assign(document.createElement('hr'), { role: 'separator' }));
      continue;
    }
    const b = document.createElement('button');
    b.type = 'button';
    b.setAttribute('role', 'menuitem');
    b.tabIndex = -1;
    const label = Object.assign(document.createElement('span'), { textContent: item.label });
    const keys = Object.assign(document.createElement('span'), { className: 'keys', textContent: shortcutText(item.shortcut) });
    b.append(label, keys);
    b.addEventListener('click', () => {
      close(false);
      item.run();
    });
    menu.append(b);
    buttons.push(b);
  }
  const close = (restore) => {
    menu.remove();
    document.removeEventListener('pointerdown', outside, true);
    if (restore && back) back.focus();
  };
  const outside = (e) => {
    if (!menu.contains(e.target)) close(false);
  };
  menu.addEventListener('keydown', (e) => {
    const at = buttons.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      const step = e.key === 'ArrowDown' ? 1 : buttons.length - 1;
      buttons[(at + step + buttons.length) % buttons.length].focus();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      close(true);
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();
  });
  document.addEventListener('pointerdown', outside, true);
  document.body.append(menu);
  // Kept inside the page.
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - menu.offsetWidth))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - menu.offsetHeight))}px`;
  buttons[0]?.focus();
}
