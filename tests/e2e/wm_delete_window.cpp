// wm_delete_window WINDOW-ID: asks an X window to close as a window manager's close box does, with a
// WM_DELETE_WINDOW message. Xvfb runs no window manager, and destroying the window outright (as
// `xdotool windowclose` does) would skip the program's own close handling.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  char* end = nullptr;
  const unsigned long id = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
  if (id == 0 || *end != '\0') {
    std::fprintf(stderr, "usage: wm_delete_window WINDOW-ID\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "wm_delete_window: cannot open the display\n");
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = id;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, id, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return sent ? 0 : 1;
}
