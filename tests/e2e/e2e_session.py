"""The end-to-end tests' world: the real program in a private X server (Xvfb, no window manager) and a private
D-Bus session, whose accessibility bus and registry start on demand. Tests find controls as a screen reader does
(e2e_accessible.py) and drive them with real pointer and key events (e2e_window.py).

Usage of a test: <test>.py <kelvaro> <wm_delete_window>
"""
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from select import select

from e2e_accessible import Atspi, GLib, children, has_state, matches
from e2e_wait import START_SECONDS, WAIT_SECONDS, Failure, fail, wait_until
from e2e_window import Window, x_windows, xdotool


def _die_with_parent():
    # Xvfb, the bus and the program end with the test, however it ends (ctest kills a test that runs too long).
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def _start(argv, **kwargs):
    return subprocess.Popen(argv, preexec_fn=_die_with_parent, **kwargs)


def _read_line(fd, what):
    """One line from a pipe, as soon as it is written; fails if the writer ends first or takes too long."""
    data = b""
    end = time.monotonic() + START_SECONDS
    while not data.endswith(b"\n"):
        if not select([fd], [], [], max(0.0, end - time.monotonic()))[0]:
            fail(f"waited {START_SECONDS} s for {what}")
        chunk = os.read(fd, 256)
        if not chunk:
            fail(f"{what}: ended without a word")
        data += chunk
    os.close(fd)
    return data.decode().strip()


class Session:
    """Xvfb, a D-Bus session whose accessibility bus starts on demand, and the program under test."""

    def __init__(self, locale="C.UTF-8", arguments=()):
        if len(sys.argv) != 3:
            sys.exit(f"usage: {sys.argv[0]} <kelvaro> <wm_delete_window>")
        self.program, self.close_box_tool = sys.argv[1], sys.argv[2]
        self.locale = locale
        self.arguments = list(arguments)
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
        shutil.rmtree(self.tmp, ignore_errors=True)
        if isinstance(error, Failure):
            sys.exit(1)

    def _start_x(self):
        # Xvfb writes its display number to -displayfd once it accepts connections.
        r, w = os.pipe()
        with open(os.path.join(self.tmp, "xvfb.log"), "w") as log:
            self.processes.append(_start(["Xvfb", "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp",
                                          "-noreset", "-displayfd", str(w)], pass_fds=(w,), stderr=log))
        os.close(w)
        display = _read_line(r, "Xvfb to accept connections")
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
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = _read_line(r, "the D-Bus session bus")
        # Calls into a program that is busy drawing a window on a loaded machine may take seconds to be answered.
        Atspi.set_timeout(WAIT_SECONDS * 1000, START_SECONDS * 1000)
        # Asking for the desktop starts the accessibility bus and its registry, and returns once they answer.
        self.desktop = Atspi.get_desktop(0)
        self.desktop.set_cache_mask(Atspi.Cache.NONE)

    def _start_program(self):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LC_ALL=self.locale)
        with open(os.path.join(self.tmp, "app.log"), "w") as log:
            self.process = _start([self.program, *self.arguments], env=env, stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(self.process)

        def application():
            for app in children(self.desktop):
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
        return [f for f in children(self.app) if matches(f, "frame", caption)]

    def window(self, caption, seconds=WAIT_SECONDS):
        """The window with this caption once it is shown to screen readers and mapped on the screen."""
        frames = wait_until(lambda: self._frames(caption), bool, f'the window "{caption}"', seconds)
        if len(frames) > 1:
            fail(f'{len(frames)} windows named "{caption}"')
        xids = wait_until(lambda: x_windows(caption), bool, f'the window "{caption}" on the screen', seconds)
        if len(xids) > 1:
            fail(f'{len(xids)} X windows named "{caption}"')
        # The program gives the keyboard to every window it opens, once the window is mapped. Until then that
        # activation is pending, and keys meant for another window would go to this one when it comes.
        wait_until(lambda: has_state(frames[0], Atspi.StateType.ACTIVE), bool,
                   f'the window "{caption}" to become active', seconds)
        print(f'ok: the window "{caption}" is shown', flush=True)
        return Window(self, caption, frames[0], xids[0])

    def main_window(self):
        """The window the program opens with; the first start on a fresh machine builds the font caches."""
        return self.window("吊车Dmax和Dmin计算", START_SECONDS)

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
