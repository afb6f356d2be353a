// The UI connection, its atoms and error handling.
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/x11/x11.h"

namespace platform::x11 {

Backend& State() {
  static Backend b;
  return b;
}

namespace {

int IgnoreXError(Display* d, XErrorEvent* e) {
  char text[128];
  XGetErrorText(d, e->error_code, text, sizeof text);
  DebugLog("X error: %s (request %d)", text, e->request_code);
  return 0;
}

int ConnectionLost(Display*) {
  // The server is gone: there is nothing left to show or to save. Xlib may be mid-request, so
  // only a plain write is safe here.
  static constexpr char kMessage[] = "tapwright: lost the connection to the display\n";
  (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  _exit(kExitNoDisplay);
}

Atom Intern(const char* name) { return XInternAtom(State().display, name, False); }

void InternAtoms() {
  Atoms& a = State().atoms;
  a.wm_protocols = Intern("WM_PROTOCOLS");
  a.wm_delete_window = Intern("WM_DELETE_WINDOW");
  a.wm_state = Intern("WM_STATE");
  a.net_wm_name = Intern("_NET_WM_NAME");
  a.net_wm_pid = Intern("_NET_WM_PID");
  a.net_wm_icon = Intern("_NET_WM_ICON");
  a.utf8_string = Intern("UTF8_STRING");
  a.motif_wm_hints = Intern("_MOTIF_WM_HINTS");
  a.net_wm_window_type = Intern("_NET_WM_WINDOW_TYPE");
  a.net_wm_window_type_utility = Intern("_NET_WM_WINDOW_TYPE_UTILITY");
  a.net_wm_window_type_normal = Intern("_NET_WM_WINDOW_TYPE_NORMAL");
  a.net_wm_state = Intern("_NET_WM_STATE");
  a.net_wm_state_above = Intern("_NET_WM_STATE_ABOVE");
  a.net_wm_state_skip_taskbar = Intern("_NET_WM_STATE_SKIP_TASKBAR");
  a.net_wm_state_skip_pager = Intern("_NET_WM_STATE_SKIP_PAGER");
  a.net_wm_window_opacity = Intern("_NET_WM_WINDOW_OPACITY");
  a.net_supporting_wm_check = Intern("_NET_SUPPORTING_WM_CHECK");
  a.xdnd_aware = Intern("XdndAware");
  a.xdnd_enter = Intern("XdndEnter");
  a.xdnd_position = Intern("XdndPosition");
  a.xdnd_status = Intern("XdndStatus");
  a.xdnd_leave = Intern("XdndLeave");
  a.xdnd_drop = Intern("XdndDrop");
  a.xdnd_finished = Intern("XdndFinished");
  a.xdnd_selection = Intern("XdndSelection");
  a.xdnd_type_list = Intern("XdndTypeList");
  a.xdnd_action_copy = Intern("XdndActionCopy");
  a.xdnd_action_move = Intern("XdndActionMove");
  a.xdnd_action_link = Intern("XdndActionLink");
  a.xdnd_action_list = Intern("XdndActionList");
  a.text_uri_list = Intern("text/uri-list");
  a.tapwright_dnd = Intern("TAPWRIGHT_DND");
}

int MaskShift(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

}  // namespace

void DebugLog(const char* fmt, ...) {
#ifndef NDEBUG
  va_list args;
  va_start(args, fmt);
  std::fputs("tapwright: ", stderr);
  std::vfprintf(stderr, fmt, args);
  std::fputc('\n', stderr);
  va_end(args);
#else
  (void)fmt;
#endif
}

Display* Dpy() {
  if (State().display == nullptr) {
    State().display = XOpenDisplay(nullptr);
    if (State().display == nullptr) {
      std::fputs("tapwright: cannot open the X display\n", stderr);
      std::exit(kExitNoDisplay);
    }
    XSetErrorHandler(IgnoreXError);
    XSetIOErrorHandler(ConnectionLost);
    InternAtoms();
  }
  return State().display;
}

Display* OpenedDisplay() { return State().display; }

const Atoms& GetAtoms() {
  Dpy();
  return State().atoms;
}

bool WindowManagerRunning() {
  Display* d = Dpy();
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool running = false;
  if (XGetWindowProperty(d, DefaultRootWindow(d), State().atoms.net_supporting_wm_check, 0, 1,
                         False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      data != nullptr && count == 1 && format == 32) {
    running = *reinterpret_cast<unsigned long*>(data) != 0;
  }
  if (data != nullptr) XFree(data);
  return running;
}

unsigned long PixelOf(Color c) {
  Display* d = Dpy();
  Visual* v = DefaultVisual(d, DefaultScreen(d));
  unsigned long r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  auto scale = [](unsigned long value, unsigned long mask) {
    int shift = MaskShift(mask);
    unsigned long max = mask >> shift;
    return ((value * max + 127) / 255) << shift;
  };
  return scale(r, v->red_mask) | scale(g, v->green_mask) | scale(b, v->blue_mask);
}

}  // namespace platform::x11
