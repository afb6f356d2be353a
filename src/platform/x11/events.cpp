// X events to window state and listener calls.

#include <algorithm>
#include <cstdlib>

#include "platform/x11/key_table.h"
#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

constexpr Time kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 4;

MouseButton ButtonOf(unsigned x_button) {
  switch (x_button) {
    case Button1:
      return MouseButton::Left;
    case Button2:
      return MouseButton::Middle;
    case Button3:
      return MouseButton::Right;
    default:
      return MouseButton{};
  }
}

int ButtonsHeld(unsigned state) {
  return ((state & Button1Mask) ? 1 : 0) | ((state & Button3Mask) ? 2 : 0) |
         ((state & Button2Mask) ? 4 : 0);
}

int ShiftOf(unsigned state) {
  return ((state & ShiftMask) ? 1 : 0) | ((state & ControlMask) ? 2 : 0) |
         ((state & Mod1Mask) ? 4 : 0);
}

void OnButton(WindowState& ws, const XButtonEvent& e, bool press) {
  MouseButton button = ButtonOf(e.button);
  if (button == MouseButton{} || ws.input_blocked > 0) return;  // wheel, or a modal runs
  MouseEvent m;
  m.button = button;
  m.x = e.x;
  m.y = e.y;
  m.shift = ShiftOf(e.state);
  // The state is the one before this event; the button that changed is added or removed.
  m.buttons = ButtonsHeld(e.state);
  if (press) {
    m.buttons |= static_cast<int>(button);
    bool repeat = ws.last_button == e.button && e.time - ws.last_press_time <= kDoubleClickMs &&
                  std::abs(e.x - ws.last_press_x) <= kDoubleClickSlop &&
                  std::abs(e.y - ws.last_press_y) <= kDoubleClickSlop;
    m.kind = repeat ? MouseEvent::Kind::DoubleClick : MouseEvent::Kind::Down;
    // A third press starts a new pair, as on Windows.
    ws.last_button = repeat ? 0 : e.button;
    ws.last_press_time = e.time;
    ws.last_press_x = e.x;
    ws.last_press_y = e.y;
  } else {
    m.buttons &= ~static_cast<int>(button);
    m.kind = MouseEvent::Kind::Up;
  }
  if (ws.listener) ws.listener->OnMouse(m);
}

void OnMotion(WindowState& ws, XMotionEvent& e) {
  if (ws.input_blocked > 0) return;
  // Only the newest position matters when motion piles up.
  Display* d = Dpy();
  XEvent next;
  while (XEventsQueued(d, QueuedAlready) > 0) {
    XPeekEvent(d, &next);
    if (next.type != MotionNotify || next.xmotion.window != ws.xid) break;
    XNextEvent(d, &next);
    e = next.xmotion;
  }
  MouseEvent m;
  m.kind = MouseEvent::Kind::Move;
  m.x = e.x;
  m.y = e.y;
  m.buttons = ButtonsHeld(e.state);
  m.shift = ShiftOf(e.state);
  if (ws.listener) ws.listener->OnMouse(m);
}

void OnConfigure(WindowState& ws, const XConfigureEvent& e) {
  int x = e.x, y = e.y;
  if (ws.reparented && !e.send_event) {
    // Relative to the frame of a reparenting window manager: ask where that is on the screen.
    Window child;
    if (!XTranslateCoordinates(Dpy(), ws.xid, DefaultRootWindow(Dpy()), 0, 0, &x, &y, &child))
      return;
  }
  Rect reported{x, y, e.width, e.height};
  // Reports of older requests still in flight must not undo the newest placement.
  auto& pending = ws.pending_configure;
  auto same = [&reported](const Rect& r) {
    return r.left == reported.left && r.top == reported.top && r.width == reported.width &&
           r.height == reported.height;
  };
  auto match = std::find_if(pending.begin(), pending.end(), same);
  if (match != pending.end()) {
    pending.erase(pending.begin(), match + 1);
    if (!pending.empty()) return;
  } else if (!pending.empty()) {
    pending.pop_front();  // the window manager adjusted a request; a later report settles it
    return;
  }
  bool resized = reported.width != ws.bounds.width || reported.height != ws.bounds.height;
  ws.bounds = reported;
  if (resized) ws.AllocateBackBuffer();
}

void OnExpose(WindowState& ws, const XExposeEvent& e) {
  if (ws.painted && !ws.dirty)
    XCopyArea(Dpy(), ws.back, ws.xid, ws.gc, e.x, e.y, e.width, e.height, e.x, e.y);
  else
    ws.dirty = true;
}

}  // namespace

void DispatchEvent(XEvent& ev) {
  if (ev.type == SelectionNotify) {
    if (auto ws = FindWindowByXid(ev.xselection.requestor)) HandleDndSelection(*ws, ev.xselection);
    return;
  }
  auto ws = FindWindowByXid(ev.xany.window);
  if (!ws || (ws->raw_events && ws->raw_events(ev))) return;
  switch (ev.type) {
    case Expose:
      OnExpose(*ws, ev.xexpose);
      break;
    case ConfigureNotify:
      OnConfigure(*ws, ev.xconfigure);
      break;
    case ReparentNotify:
      ws->reparented = ev.xreparent.parent != DefaultRootWindow(Dpy());
      break;
    case VisibilityNotify:
      ws->covered = ev.xvisibility.state != VisibilityUnobscured;
      break;
    case UnmapNotify:
      ws->covered = true;  // shown again, it may come up under others
      break;
    case ButtonPress:
    case ButtonRelease:
      OnButton(*ws, ev.xbutton, ev.type == ButtonPress);
      break;
    case MotionNotify:
      OnMotion(*ws, ev.xmotion);
      break;
    case KeyPress: {
      if (ws->input_blocked > 0) break;
      // As Windows reports them: Shift, Ctrl and Alt without a side.
      int vk = EitherSide(VirtualKeyOf(XLookupKeysym(&ev.xkey, 0), XLookupKeysym(&ev.xkey, 1)));
      if (vk != 0 && ws->listener) ws->listener->OnKeyDown(vk);
      break;
    }
    case ClientMessage: {
      const Atoms& a = GetAtoms();
      if (ev.xclient.message_type == a.wm_protocols &&
          static_cast<Atom>(ev.xclient.data.l[0]) == a.wm_delete_window) {
        if (ws->input_blocked == 0 && ws->listener) ws->listener->OnCloseRequest();
      } else {
        HandleDndMessage(*ws, ev.xclient);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace platform::x11
