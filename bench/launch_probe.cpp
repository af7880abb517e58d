// launch_probe <program> [args...]: starts the program and reports how long it took until its first top-level
// window was mapped and then first drawn (the first damage to its contents after the map), then its resident
// memory after a second of idling. Prints "<ms to mapped> <ms to drawn> <KiB>".
// Runs against the X server in DISPLAY (the bench script starts a private Xvfb).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The _NET_WM_PID a toolkit puts on its windows, or 0.
long WindowPid(Display* display, Window window) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long items, remaining;
  unsigned char* data = nullptr;
  long pid = 0;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &remaining,
                         &data) == Success &&
      data && items == 1) {
    pid = *reinterpret_cast<long*>(data);
  }
  if (data) XFree(data);
  return pid;
}

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }  // a window may be gone before we look at it

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <program> [args...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  int damageEvent = 0, damageError = 0;
  if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "launch_probe: no X display with the DAMAGE extension\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  // Listen before starting the program, so that nothing it does can be missed: every new top-level window gets
  // a damage watch as soon as it is created, before it can be mapped or drawn.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }

  double mappedMs = -1, drawnMs = -1;
  Window mapped = 0;
  const auto deadline = start + std::chrono::seconds(30);
  while (drawnMs < 0 && Clock::now() < deadline) {
    while (drawnMs < 0 && XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
        XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
      } else if (event.type == MapNotify && !mapped && !event.xmap.override_redirect &&
                 WindowPid(display, event.xmap.window) == child) {
        mapped = event.xmap.window;
        mappedMs = Since(start);
      } else if (event.type == damageEvent + XDamageNotify && mapped &&
                 reinterpret_cast<XDamageNotifyEvent*>(&event)->drawable == mapped) {
        drawnMs = Since(start);
      }
    }
    if (drawnMs < 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  long rss = -1;
  if (drawnMs >= 0) {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    rss = ResidentKiB(child);
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  if (drawnMs < 0) {
    std::fprintf(stderr, "launch_probe: %s drew no window\n", argv[1]);
    return 1;
  }
  std::printf("%.1f %.1f %ld\n", mappedMs, drawnMs, rss);
  return 0;
}
