// Asks a window to close the way a window manager does: WM_DELETE_WINDOW through WM_PROTOCOLS.
//   wm_close WINDOW
#include <X11/Xlib.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return 2;
  Window w = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &ev);
  XCloseDisplay(d);
  return 0;
}
