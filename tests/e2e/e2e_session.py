"""Shared by the end-to-end tests: the real program in a private X server (Xvfb, no window manager) and a private
D-Bus session with the accessibility bus. Controls are found as a screen reader finds them, by role and accessible
name through AT-SPI; they are pressed and typed into with real pointer and key events (xdotool, XTEST) at the
positions AT-SPI reports at that moment. Every wait is for a state of the program, bounded, and a wait that runs
out names what it waited for and what it saw.
"""
import ctypes
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Bounds, not delays: a wait ends as soon as its state arrives. They are wide because the first start on a fresh
# machine builds the font caches, and two cores may be shared with a build or a fuzzer.
START_SECONDS = 90
WAIT_SECONDS = 30
POLL_SECONDS = 0.05


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def wait_until(read, accept, what, seconds=WAIT_SECONDS):
    """Reads until accept(value) holds and returns the value; fails naming what was awaited and the last value."""
    end = time.monotonic() + seconds
    while True:
        value = read()
        if accept(value):
            return value
        if time.monotonic() > end:
            fail(f"waited {seconds} s for {what}; last seen: {value!r}")
        time.sleep(POLL_SECONDS)


def expect(what, got, want):
    if got != want:
        fail(f"{what}: got {got!r}, want {want!r}")
    print(f"ok: {what} = {want!r}", flush=True)


def _die_with_parent():
    # Xvfb, the bus and the program end with the test, however it ends (ctest kills a test that runs too long).
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def _start(argv, **kwargs):
    return subprocess.Popen(argv, preexec_fn=_die_with_parent, **kwargs)


def _read_line(fd, what, seconds):
    """One line from a pipe, as soon as it is written; fails if the writer ends first or takes too long."""
    import select

    data = b""
    end = time.monotonic() + seconds
    while not data.endswith(b"\n"):
        ready, _, _ = select.select([fd], [], [], max(0.0, end - time.monotonic()))
        if not ready:
            fail(f"waited {seconds} s for {what}")
        chunk = os.read(fd, 256)
        if not chunk:
            fail(f"{what}: ended without a word")
        data += chunk
    return data.decode().strip()


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


# Reading a live tree: an object can vanish between listing it and reading it (a window closing, a menu
# closing). Such a child is gone, not an error; the wait around the read looks again.
def _children(node):
    try:
        count = node.get_child_count()
    except GLib.Error:
        return
    for i in range(count):
        try:
            child = node.get_child_at_index(i)
        except GLib.Error:
            continue
        if child is not None:
            yield child


def _descendants(node):
    for child in _children(node):
        yield child
        yield from _descendants(child)


def _matches(node, role, name=None, description=None):
    try:
        return (
            node.get_role_name() == role
            and (name is None or node.get_name() == name)
            and (description is None or node.get_description() == description)
            and node.get_state_set().contains(Atspi.StateType.SHOWING)
        )
    except GLib.Error:
        return False


def describe(role, name=None, description=None):
    return f"{role} " + (f'"{name}"' if name is not None else f'described "{description}"')


def text_of(node):
    """What a control shows: a field's text, or a label's caption (a label's accessible name is its text)."""
    if node.get_role_name() == "text":
        return Atspi.Text.get_text(node, 0, -1)
    return node.get_name()


def has_state(node, state):
    try:
        return node.get_state_set().contains(state)
    except GLib.Error:
        return False


def centre(node):
    r = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    if r.width <= 0 or r.height <= 0:
        fail(f'"{node.get_name()}" has no area on the screen: {r.x},{r.y} {r.width}x{r.height}')
    return r.x + r.width // 2, r.y + r.height // 2


class Window:
    """A shown top-level window: its AT-SPI frame and its X window."""

    def __init__(self, session, caption, frame, xid):
        self.session, self.caption, self.frame, self.xid = session, caption, frame, xid

    def control(self, role, name=None, description=None, seconds=WAIT_SECONDS):
        """The one shown control of this role and name (or description) in the window, once it is there."""

        def find():
            return [n for n in _descendants(self.frame) if _matches(n, role, name, description)]

        found = wait_until(find, lambda f: len(f) > 0, f'{describe(role, name, description)} in "{self.caption}"',
                           seconds)
        if len(found) > 1:
            fail(f'{len(found)} controls are {describe(role, name, description)} in "{self.caption}"')
        return found[0]

    def controls(self, role):
        return [n for n in _descendants(self.frame) if _matches(n, role)]

    def click(self, node, button=1):
        """A pointer click on the middle of the control, with its window brought to the front first."""
        x, y = centre(node)
        location = xdotool("windowraise", self.xid, "mousemove", x, y, "getmouselocation", "--shell")
        under = dict(line.split("=", 1) for line in location.split())
        if under.get("WINDOW") != self.xid:
            fail(f'"{node.get_name()}" of "{self.caption}" at ({x}, {y}) is covered by X window {under.get("WINDOW")}')
        xdotool("click", button)

    def focus_keyboard(self):
        """What a window manager does when a window is clicked: the keyboard goes to it."""
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
        does; the menu is a window of its own, not part of the window's accessible tree."""
        self.focus_keyboard()
        before = set(self.session.program_windows())
        self.click(node, button=3)
        menus = wait_until(lambda: set(self.session.program_windows()) - before, bool,
                           f'the context menu of "{node.get_name()}" on the screen')
        xdotool("key", *keys)
        wait_until(lambda: menus & set(self.session.program_windows()), lambda m: not m,
                   f'the context menu of "{node.get_name()}" to close')

    def close_box(self):
        """What a window manager's close box sends: a WM_DELETE_WINDOW message."""
        result = subprocess.run([self.session.close_box_tool, self.xid], capture_output=True, text=True)
        if result.returncode != 0:
            fail(f'could not send WM_DELETE_WINDOW to "{self.caption}": {result.stderr.strip()}')


def wait_text(node, want, what, seconds=WAIT_SECONDS):
    def read():
        try:
            return text_of(node)
        except GLib.Error as e:
            return f"<unreadable: {e.message}>"

    wait_until(read, want.__eq__, f"{what} to read {want!r}", seconds)
    print(f"ok: {what} = {want!r}", flush=True)


class Session:
    """Xvfb, a D-Bus session whose accessibility bus starts on demand, and the program under test."""

    def __init__(self, locale="C.UTF-8"):
        if len(sys.argv) != 3:
            sys.exit(f"usage: {sys.argv[0]} <kelvaro> <wm_delete_window>")
        self.program, self.close_box_tool = sys.argv[1], sys.argv[2]
        self.locale = locale
        self.tmp = tempfile.mkdtemp(prefix="kelvaro-e2e-")
        self.processes = []
        self.app = None

    def __enter__(self):
        try:
            self._start_x()
            self._start_bus()
            self._start_program()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def __exit__(self, kind, error, trace):
        if error is not None:
            if isinstance(error, Failure):
                print(f"FAIL: {error}", file=sys.stderr)
            for what, name in [("the program", "app.log"), ("the buses", "bus.log"), ("Xvfb", "xvfb.log")]:
                print(f"--- the output of {what}:\n{self.log(name)}", file=sys.stderr)
        for p in reversed(self.processes):
            if p.poll() is None:
                p.kill()
                p.wait()
        subprocess.run(["rm", "-rf", self.tmp])
        if isinstance(error, Failure):
            sys.exit(1)

    def _start_x(self):
        # Xvfb writes its display number to -displayfd once it accepts connections.
        r, w = os.pipe()
        with open(os.path.join(self.tmp, "xvfb.log"), "w") as log:
            self.processes.append(_start(["Xvfb", "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp",
                                          "-noreset", "-displayfd", str(w)], pass_fds=(w,), stderr=log))
        os.close(w)
        display = _read_line(r, "Xvfb to accept connections", START_SECONDS)
        os.close(r)
        os.environ["DISPLAY"] = f":{display}"
        runtime = os.path.join(self.tmp, "runtime")
        os.mkdir(runtime, 0o700)
        os.environ["XDG_RUNTIME_DIR"] = runtime

    def _start_bus(self):
        # Only this session's accessibility bus: not the one of a desktop the tests were started from.
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        r, w = os.pipe()
        # The accessibility bus and registry are started by this bus on demand and write to its output.
        with open(os.path.join(self.tmp, "bus.log"), "w") as log:
            self.processes.append(_start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                          f"--print-address={w}"], pass_fds=(w,), stdout=log, stderr=log))
        os.close(w)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = _read_line(r, "the D-Bus session bus", START_SECONDS)
        os.close(r)
        # Calls into a program that is busy drawing a window on a loaded machine may take seconds to be answered.
        Atspi.set_timeout(WAIT_SECONDS * 1000, START_SECONDS * 1000)
        # Asking for the desktop starts the accessibility bus and its registry, and returns once they answer.
        self.desktop = Atspi.get_desktop(0)
        self.desktop.set_cache_mask(Atspi.Cache.NONE)

    def _start_program(self):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LC_ALL=self.locale)
        with open(os.path.join(self.tmp, "app.log"), "w") as log:
            self.process = _start([self.program], env=env, stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(self.process)

        def application():
            for app in _children(self.desktop):
                try:
                    if app.get_process_id() == self.process.pid:
                        return app
                except GLib.Error:
                    pass
            self.expect_running()
            return None

        self.app = wait_until(application, lambda a: a is not None, "the program on the accessibility bus",
                              START_SECONDS)
        # Every read asks the program: a cached name or child list could be out of date.
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def log(self, name):
        try:
            with open(os.path.join(self.tmp, name), errors="replace") as f:
                return f.read()[-4000:]
        except OSError:
            return ""

    def _frames(self, caption):
        return [f for f in _children(self.app) if _matches(f, "frame", caption)]

    def window(self, caption, seconds=WAIT_SECONDS):
        """The window with this caption once it is shown to screen readers and mapped on the screen."""
        frames = wait_until(lambda: self._frames(caption), lambda f: len(f) > 0, f'the window "{caption}"', seconds)
        if len(frames) > 1:
            fail(f'{len(frames)} windows named "{caption}"')
        xids = wait_until(lambda: x_windows(caption), lambda x: len(x) > 0, f'the window "{caption}" on the screen',
                          seconds)
        if len(xids) > 1:
            fail(f'{len(xids)} X windows named "{caption}"')
        print(f'ok: the window "{caption}" is shown', flush=True)
        return Window(self, caption, frames[0], xids[0])

    def expect_window_gone(self, caption):
        """A closed window is gone for screen readers and from the screen, shown or hidden: it was destroyed."""
        def left():
            frames, xids = len(self._frames(caption)), len(x_windows(caption, only_visible=False))
            return f"{frames} shown to screen readers, {xids} X windows" if frames + xids else ""

        wait_until(left, lambda left: not left, f'the window "{caption}" to be gone')
        print(f'ok: "{caption}" is gone', flush=True)

    def program_windows(self):
        """The program's X windows that are shown."""
        return xdotool("search", "--onlyvisible", "--pid", self.process.pid, check=False).split()

    def count_windows(self, caption):
        return len(x_windows(caption))

    def expect_running(self):
        if self.process.poll() is not None:
            fail(f"the program ended early with status {self.process.returncode}")

    def expect_exit(self):
        try:
            status = self.process.wait(WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            fail(f"the program did not exit within {WAIT_SECONDS} s")
        if status != 0:
            fail(f"the program exited with status {status}")
        print("ok: the program ended with its last window", flush=True)


def clipboard():
    result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, text=True,
                            timeout=WAIT_SECONDS)
    return result.stdout if result.returncode == 0 else None


def clear_clipboard():
    # xclip stays behind serving the empty text until the program takes the clipboard over.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input="", text=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=WAIT_SECONDS)
