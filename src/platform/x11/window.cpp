// Top-level windows: creation, placement, styles and the window-manager hints that keep them
// borderless and where the program put them.
//
// In this file: the EWMH hints; the hand cursor and the screen's DPI; the back buffer; finding
// windows; the monitor, cursor and icon; creating, showing, placing and painting a window; the
// staying on top, opacity and the drop shadow.
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;

void SetCardinal(Window xid, Atom property, unsigned long value) {
  XChangeProperty(Dpy(), xid, property, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&value), 1);
}

void SetSizeHints(const WindowState& ws) {
  XSizeHints hints{};
  hints.flags = USPosition | PPosition | USSize | PSize | PMinSize | PMaxSize;
  hints.x = ws.bounds.left;
  hints.y = ws.bounds.top;
  hints.width = hints.min_width = hints.max_width = std::max(1, ws.bounds.width);
  hints.height = hints.min_height = hints.max_height = std::max(1, ws.bounds.height);
  XSetWMNormalHints(Dpy(), ws.xid, &hints);
}

// _NET_WM_STATE before mapping; the window manager owns it afterwards.
void SetInitialNetWmState(const WindowState& ws) {
  const Atoms& a = GetAtoms();
  std::vector<Atom> states;
  if (!ws.task_bar) {
    states.push_back(a.net_wm_state_skip_taskbar);
    states.push_back(a.net_wm_state_skip_pager);
  }
  if (ws.topmost) states.push_back(a.net_wm_state_above);
  XChangeProperty(Dpy(), ws.xid, a.net_wm_state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(states.data()), static_cast<int>(states.size()));
}

void SetTitle(Window xid, const std::string& title) {
  Display* d = Dpy();
  XStoreName(d, xid, title.c_str());
  XChangeProperty(d, xid, GetAtoms().net_wm_name, GetAtoms().utf8_string, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
}

void SetBorderless(Window xid) {
  // flags, functions, decorations, input mode, status: only "decorations = none" is given.
  unsigned long motif[5] = {2, 0, 0, 0, 0};
  XChangeProperty(Dpy(), xid, GetAtoms().motif_wm_hints, GetAtoms().motif_wm_hints, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(motif), 5);
}

void SetWindowType(Window xid, bool task_bar) {
  const Atoms& a = GetAtoms();
  Atom type = task_bar ? a.net_wm_window_type_normal : a.net_wm_window_type_utility;
  XChangeProperty(Dpy(), xid, a.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
}

void SendNetWmState(const WindowState& ws, long action, Atom state) {
  Display* d = Dpy();
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = ws.xid;
  ev.xclient.message_type = GetAtoms().net_wm_state;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = action;
  ev.xclient.data.l[1] = static_cast<long>(state);
  ev.xclient.data.l[3] = 1;  // source: a normal application
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &ev);
}

void ApplyTopmost(WindowState& ws, bool topmost) {
  ws.topmost = topmost;
  if (ws.visible && WindowManagerRunning())
    SendNetWmState(ws, topmost ? kNetWmStateAdd : kNetWmStateRemove, GetAtoms().net_wm_state_above);
  else
    SetInitialNetWmState(ws);
}

Cursor HandCursor() {
  Display* d = Dpy();
  Pixmap pixmap = 0;
  ::Picture picture = 0;
  if (State().hand_cursor == 0 && UploadArgb(State().hand_picture, pixmap, picture)) {
    State().hand_cursor = XRenderCreateCursor(d, picture, State().hand_hot_x, State().hand_hot_y);
    XRenderFreePicture(d, picture);
    XFreePixmap(d, pixmap);
  }
  if (State().hand_cursor == 0) State().hand_cursor = XCreateFontCursor(d, XC_hand2);
  return State().hand_cursor;
}

double ScreenDpi() {
  static double dpi = [] {
    double value = 96.0;
    char* resources = XResourceManagerString(Dpy());
    if (resources == nullptr) return value;
    XrmInitialize();
    XrmDatabase db = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue v{};
    if (db != nullptr && XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &v) && v.addr) {
      double parsed = std::strtod(v.addr, nullptr);
      if (parsed >= 24.0 && parsed <= 960.0) value = parsed;
    }
    if (db != nullptr) XrmDestroyDatabase(db);
    return value;
  }();
  return dpi;
}

}  // namespace

WindowState::~WindowState() { FreeBackBuffer(); }

void WindowState::AllocateBackBuffer() {
  FreeBackBuffer();
  Display* d = Dpy();
  int screen = DefaultScreen(d);
  back = XCreatePixmap(d, xid, std::max(1, bounds.width), std::max(1, bounds.height),
                       DefaultDepth(d, screen));
  gc = XCreateGC(d, back, 0, nullptr);
  xft = XftDrawCreate(d, back, DefaultVisual(d, screen), DefaultColormap(d, screen));
  render = XRenderCreatePicture(d, back, XRenderFindVisualFormat(d, DefaultVisual(d, screen)), 0,
                                nullptr);
  painted = false;
  dirty = true;
}

void WindowState::FreeBackBuffer() {
  if (back == 0) return;
  Display* d = Dpy();
  if (render != 0) XRenderFreePicture(d, render);
  if (xft != nullptr) XftDrawDestroy(xft);
  if (gc != nullptr) XFreeGC(d, gc);
  XFreePixmap(d, back);
  render = 0;
  xft = nullptr;
  gc = nullptr;
  back = 0;
}

std::shared_ptr<WindowState> FindWindow(WindowHandle w) {
  auto it = State().windows.find(w);
  return it == State().windows.end() ? nullptr : it->second;
}

std::shared_ptr<WindowState> FindWindowByXid(Window xid) {
  for (auto& [handle, ws] : State().windows)
    if (ws->xid == xid) return ws;
  return nullptr;
}

std::vector<std::shared_ptr<WindowState>> AllWindows() {
  std::vector<std::shared_ptr<WindowState>> all;
  for (auto& [handle, ws] : State().windows) all.push_back(ws);
  return all;
}

}  // namespace platform::x11

namespace platform {
using namespace platform::x11;

Rect PrimaryMonitor() {
  Display* d = Dpy();
  const Rect screen{0, 0, DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
  int event = 0, error = 0, count = 0;
  if (!XRRQueryExtension(d, &event, &error)) return screen;
  XRRMonitorInfo* monitors = XRRGetMonitors(d, DefaultRootWindow(d), True, &count);
  if (monitors == nullptr) return screen;
  Rect found = screen;
  bool at_origin = false;
  for (int i = 0; i < count; ++i) {
    const XRRMonitorInfo& m = monitors[i];
    const Rect r{m.x, m.y, m.width, m.height};
    if (m.primary) {
      found = r;
      break;
    }
    if (!at_origin && r.Contains(0, 0)) {
      found = r;
      at_origin = true;
    }
  }
  XRRFreeMonitors(monitors);
  return found;
}
double TwipsPerPixelX() { return 1440.0 / ScreenDpi(); }
double TwipsPerPixelY() { return 1440.0 / ScreenDpi(); }

void SetHandCursor(const Picture& pic, int hot_x, int hot_y) {
  State().hand_picture = pic;
  State().hand_hot_x = hot_x;
  State().hand_hot_y = hot_y;
  if (State().hand_cursor != 0) {
    XFreeCursor(Dpy(), State().hand_cursor);
    State().hand_cursor = 0;
  }
}

void SetProgramIcon(const std::vector<Picture>& sizes) {
  // _NET_WM_ICON: width, height, then the ARGB pixels, size after size, each in a long.
  State().icon.clear();
  for (const Picture& p : sizes) {
    State().icon.push_back(static_cast<unsigned long>(p.width));
    State().icon.push_back(static_cast<unsigned long>(p.height));
    State().icon.insert(State().icon.end(), p.pixels.begin(), p.pixels.end());
  }
}

WindowHandle CreateFormWindow(const WindowDesc& desc, WindowListener* listener) {
  Display* d = Dpy();
  const Atoms& a = GetAtoms();
  auto ws = std::make_shared<WindowState>();
  ws->listener = listener;
  ws->bounds = desc.bounds;
  ws->bounds.width = std::max(1, ws->bounds.width);
  ws->bounds.height = std::max(1, ws->bounds.height);
  ws->background = desc.background;
  ws->accept_drops = desc.accept_drops;
  ws->task_bar = desc.task_bar;

  XSetWindowAttributes attrs{};
  attrs.background_pixel = PixelOf(desc.background);
  attrs.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask |
                     PointerMotionMask | KeyPressMask | FocusChangeMask | VisibilityChangeMask;
  attrs.bit_gravity = NorthWestGravity;
  ws->xid = XCreateWindow(d, DefaultRootWindow(d), ws->bounds.left, ws->bounds.top,
                          ws->bounds.width, ws->bounds.height, 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixel | CWEventMask | CWBitGravity, &attrs);
  if (ws->xid == 0) return 0;

  SetTitle(ws->xid, desc.title);
  if (!State().icon.empty())
    XChangeProperty(d, ws->xid, a.net_wm_icon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(State().icon.data()),
                    static_cast<int>(State().icon.size()));
  XClassHint class_hint{const_cast<char*>("tapwright"), const_cast<char*>("Tapwright")};
  XSetClassHint(d, ws->xid, &class_hint);
  XWMHints wm_hints{};
  wm_hints.flags = InputHint | StateHint;
  wm_hints.input = True;
  wm_hints.initial_state = NormalState;
  XSetWMHints(d, ws->xid, &wm_hints);
  Atom protocols[] = {a.wm_delete_window};
  XSetWMProtocols(d, ws->xid, protocols, 1);
  SetCardinal(ws->xid, a.net_wm_pid, static_cast<unsigned long>(getpid()));
  SetBorderless(ws->xid);
  SetWindowType(ws->xid, desc.task_bar);
  SetInitialNetWmState(*ws);
  SetSizeHints(*ws);
  if (desc.accept_drops) SetCardinal(ws->xid, a.xdnd_aware, 5);  // protocol version
  XDefineCursor(d, ws->xid,
                State().arrow_cursor ? State().arrow_cursor
                                     : (State().arrow_cursor = XCreateFontCursor(d, XC_left_ptr)));
  ws->AllocateBackBuffer();

  ws->handle = State().next_handle++;
  State().windows[ws->handle] = ws;
  return ws->handle;
}

void DestroyWindow(WindowHandle w) {
  auto ws = FindWindow(w);
  if (!ws) return;
  State().windows.erase(w);
  ws->listener = nullptr;  // its owner may be going away: nothing more reaches it
  ws->visible = false;
  XDestroyWindow(Dpy(), ws->xid);
  XFlush(Dpy());
  // The back buffer goes with the last reference: a handler of this window may still be running.
}

void ShowWindow(WindowHandle w, bool visible) {
  auto ws = FindWindow(w);
  if (!ws || ws->visible == visible) return;
  Display* d = Dpy();
  ws->visible = visible;
  if (visible) {
    SetSizeHints(*ws);
    // The window manager dropped the state when the window was withdrawn.
    SetInitialNetWmState(*ws);
    XMapRaised(d, ws->xid);
    // Some window managers place a window on map; put it back where the program wants it.
    XMoveResizeWindow(d, ws->xid, ws->bounds.left, ws->bounds.top, ws->bounds.width,
                      ws->bounds.height);
    ws->dirty = true;
  } else {
    XWithdrawWindow(d, ws->xid, DefaultScreen(d));
  }
  XFlush(d);
}

bool IsWindowVisible(WindowHandle w) {
  auto ws = FindWindow(w);
  return ws && ws->visible;
}

void SetWindowBounds(WindowHandle w, const Rect& bounds) {
  auto ws = FindWindow(w);
  if (!ws) return;
  Rect b = bounds;
  b.width = std::max(1, b.width);
  b.height = std::max(1, b.height);
  bool resized = b.width != ws->bounds.width || b.height != ws->bounds.height;
  bool moved = b.left != ws->bounds.left || b.top != ws->bounds.top;
  if (!resized && !moved) return;  // the click indicator asks every millisecond
  ws->bounds = b;
  if (ws->pending_configure.size() < 64) ws->pending_configure.push_back(b);
  if (resized) SetSizeHints(*ws);
  XMoveResizeWindow(Dpy(), ws->xid, b.left, b.top, b.width, b.height);
  if (resized) ws->AllocateBackBuffer();
  XFlush(Dpy());
}

Rect GetWindowBounds(WindowHandle w) {
  auto ws = FindWindow(w);
  return ws ? ws->bounds : Rect{};
}

void SetWindowCursor(WindowHandle w, CursorShape shape) {
  auto ws = FindWindow(w);
  if (!ws) return;
  Display* d = Dpy();
  if (State().arrow_cursor == 0) State().arrow_cursor = XCreateFontCursor(d, XC_left_ptr);
  XDefineCursor(d, ws->xid, shape == CursorShape::Hand ? HandCursor() : State().arrow_cursor);
  XFlush(d);
}

void InvalidateWindow(WindowHandle w) {
  if (auto ws = FindWindow(w)) ws->dirty = true;
}

void RepaintNow(WindowHandle w) {
  if (auto ws = FindWindow(w)) Paint(*ws);
}

void SetTopmost(WindowHandle w, bool topmost) {
  auto ws = FindWindow(w);
  if (!ws) return;
  // Asked again at every key poll; only a change is worth a word to the window manager.
  const int above = topmost ? 1 : 0;
  if (above != ws->above || !ws->visible) {
    ApplyTopmost(*ws, topmost);
    ws->above = ws->visible ? above : -1;
  }
  // Raised only when covered: a request that changes nothing still costs the server and the
  // window manager a round of work at every poll. The loop sends the requests as it waits.
  if (topmost && ws->covered) XRaiseWindow(Dpy(), ws->xid);
}

void SetOpacity(WindowHandle w, std::uint8_t alpha) {
  auto ws = FindWindow(w);
  if (!ws) return;
  // Compositors read the opacity from this property; without one it has no effect.
  SetCardinal(ws->xid, GetAtoms().net_wm_window_opacity, alpha * 0x01010101ul);
  XFlush(Dpy());
}

// X has no drop shadow of its own: a compositor draws one if it likes.
void SetDropShadow(WindowHandle, bool) {}

}  // namespace platform
