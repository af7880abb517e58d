"""A shown window of the program, driven as a person drives it: real pointer clicks and key presses (xdotool,
XTEST) on its controls, at the places AT-SPI reports for them at that moment. Xvfb runs no window manager, so
what one would do (bring a clicked window to the front and give it the keyboard; the close box) is done here."""
import re
import subprocess

from e2e_accessible import Atspi, centre, describe, descendants, has_state, matches, wait_text
from e2e_wait import WAIT_SECONDS, fail, wait_until


def xdotool(*args, check=True):
    try:
        result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=WAIT_SECONDS)
    except subprocess.TimeoutExpired:
        fail(f"xdotool {' '.join(map(str, args))} did not finish within {WAIT_SECONDS} s")
    if check and result.returncode != 0:
        fail(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
    return result.stdout


def x_windows(caption, only_visible=True):
    """The X windows with exactly this caption: shown ones, or with only_visible=False hidden ones as well."""
    visible = ["--onlyvisible"] if only_visible else []
    return xdotool("search", *visible, "--name", f"^{re.escape(caption)}$", check=False).split()


class Window:
    """A shown top-level window: its AT-SPI frame and its X window."""

    def __init__(self, session, caption, frame, xid):
        self.session, self.caption, self.frame, self.xid = session, caption, frame, xid

    def control(self, role, name=None, description=None):
        """The one shown control of this role and name (or description) in the window, once it is there."""
        what = describe(role, name, description)
        found = wait_until(lambda: [n for n in descendants(self.frame) if matches(n, role, name, description)],
                           bool, f'{what} in "{self.caption}"')
        if len(found) > 1:
            fail(f'{len(found)} controls are {what} in "{self.caption}"')
        return found[0]

    def controls(self, role):
        return [n for n in descendants(self.frame) if matches(n, role)]

    def click(self, node, button=1):
        """A pointer click on the middle of the control, with its window brought to the front first."""
        x, y = centre(node)
        location = xdotool("windowraise", self.xid, "mousemove", x, y, "getmouselocation", "--shell")
        under = dict(line.split("=", 1) for line in location.split())
        if under.get("WINDOW") != self.xid:
            fail(f'"{node.get_name()}" of "{self.caption}" at ({x}, {y}) is covered by X window {under.get("WINDOW")}')
        xdotool("click", button)

    def focus_keyboard(self):
        """What a window manager does when a window is clicked: the keyboard goes to it. Keys sent before the
        program has made the window active would go to the window that had the keyboard before."""
        if not has_state(self.frame, Atspi.StateType.ACTIVE):
            xdotool("windowfocus", "--sync", self.xid)
        wait_until(lambda: has_state(self.frame, Atspi.StateType.ACTIVE), bool,
                   f'"{self.caption}" to become the active window')

    def focus(self, node):
        """The window active and the control holding the keyboard focus, clicked into unless it has it already
        (a second click there could make a double click, which selects a word)."""
        self.focus_keyboard()
        if has_state(node, Atspi.StateType.FOCUSED):
            return
        self.click(node)
        wait_until(lambda: has_state(node, Atspi.StateType.FOCUSED), bool,
                   f'the focus on "{node.get_name()}" in "{self.caption}"')

    def type_into(self, node, text):
        """Real key events into the field, then its text is exactly what was typed."""
        self.focus(node)
        xdotool("type", "--delay", 30, text)
        wait_text(node, text, f'"{node.get_name()}" after typing')

    def keys(self, node, *keys):
        """Key presses (xdotool key names) into the control."""
        self.focus(node)
        xdotool("key", *keys)

    def context_menu(self, node, *keys):
        """Opens the control's context menu with the right button and chooses from it with keys, as a person
        does; the menu is a window of its own, which screen readers learn of from focus events, not the tree."""
        self.focus_keyboard()
        before = set(self.session.program_windows())
        self.click(node, button=3)
        menus = wait_until(lambda: set(self.session.program_windows()) - before, bool,
                           f'the context menu of "{node.get_name()}" on the screen')
        xdotool("key", *keys)
        wait_until(lambda: menus & set(self.session.program_windows()), lambda shown: not shown,
                   f'the context menu of "{node.get_name()}" to close')

    def close_box(self):
        """What a window manager's close box sends: a WM_DELETE_WINDOW message."""
        result = subprocess.run([self.session.close_box_tool, self.xid], capture_output=True, text=True)
        if result.returncode != 0:
            fail(f'could not send WM_DELETE_WINDOW to "{self.caption}": {result.stderr.strip()}')


def clipboard():
    result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, text=True,
                            timeout=WAIT_SECONDS)
    return result.stdout if result.returncode == 0 else None


def clear_clipboard():
    # xclip stays behind serving the empty text until the program takes the clipboard over.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input="", text=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=WAIT_SECONDS)
