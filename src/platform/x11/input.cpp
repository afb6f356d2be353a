// Cursor, synthetic mouse input and the global key state.
//
// Global keys are watched on a second connection that selects XInput2 raw events on the root
// window: they arrive whichever client has the focus and need no grab. That connection is only
// drained (never dispatched), so watching keys cannot re-enter window handlers.

#include <array>

#include "platform/x11/key_table.h"
#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

void ReadButtonMap(Display* d) {
  State().keys.map_size =
      XGetPointerMapping(d, State().keys.map.data(), static_cast<int>(State().keys.map.size()));
}

int LogicalButton(int physical) {
  if (physical >= 1 && physical <= State().keys.map_size) return State().keys.map[physical - 1];
  return physical;
}

// The physical button that acts as `logical`: a left-handed map turns left into the third.
unsigned PhysicalButton(unsigned logical) {
  for (int i = 0; i < State().keys.map_size; ++i)
    if (State().keys.map[i] == logical) return static_cast<unsigned>(i) + 1;
  return logical;
}

int VirtualKeyOfButton(int button) {
  switch (button) {
    case 1:
      return vk::kLeftButton;
    case 2:
      return vk::kMiddleButton;
    case 3:
      return vk::kRightButton;
    default:
      return 0;
  }
}

int VirtualKeyOfKeycode(Display* d, int keycode) {
  const auto code = static_cast<KeyCode>(keycode);
  return VirtualKeyOf(XkbKeycodeToKeysym(d, code, 0, 0), XkbKeycodeToKeysym(d, code, 0, 1));
}

void CountDown(int vk, int step) {
  if (vk == 0) return;
  auto& count = State().keys.vk_down;
  count[vk] = static_cast<std::uint8_t>(count[vk] + step);
  if (EitherSide(vk) != vk)
    count[EitherSide(vk)] = static_cast<std::uint8_t>(count[EitherSide(vk)] + step);
}

// Keeps what each keycode holds and how many hold each virtual key, so that a query costs one
// look however many keys the sampler asks for.
void SetKeyDown(int code, int vk) {
  CountDown(State().keys.key_down[code], -1);
  CountDown(vk, 1);
  State().keys.key_down[code] = static_cast<std::uint8_t>(vk);
}

// What is down as the server sees it now, for a start without raw events to go by.
void ReadDownState(Display* d) {
  char keymap[32];
  XQueryKeymap(d, keymap);
  for (int code = 8; code < 256; ++code)
    if (keymap[code / 8] & (1 << (code % 8))) SetKeyDown(code, VirtualKeyOfKeycode(d, code));
  Window root, child;
  int rx, ry, wx, wy;
  unsigned mask = 0;
  XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask);
  State().keys.button_down[1] = mask & Button1Mask;
  State().keys.button_down[2] = mask & Button2Mask;
  State().keys.button_down[3] = mask & Button3Mask;
}

// From the raw events: no round trip to the server, so the key poller and the sampler cost
// nothing while nothing happens.
bool DownFromEvents(int vk) {
  for (int b = 1; b <= 3; ++b)
    if (VirtualKeyOfButton(b) == vk) return State().keys.button_down[b];
  return State().keys.vk_down[vk] > 0;
}

bool KeyDownNow(Display* d, int vk) {
  if (vk == vk::kLeftButton || vk == vk::kRightButton || vk == vk::kMiddleButton) {
    Window root, child;
    int rx, ry, wx, wy;
    unsigned mask = 0;
    if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask))
      return false;
    unsigned bit = vk == vk::kLeftButton    ? Button1Mask
                   : vk == vk::kRightButton ? Button3Mask
                                            : Button2Mask;
    return (mask & bit) != 0;
  }
  char keymap[32];
  XQueryKeymap(d, keymap);
  for (int code = 8; code < 256; ++code) {
    if (!(keymap[code / 8] & (1 << (code % 8)))) continue;
    const int held = VirtualKeyOfKeycode(d, code);
    if (held != 0 && (held == vk || EitherSide(held) == vk)) return true;
  }
  return false;
}

}  // namespace

bool OpenKeyWatch() {
  if (State().keys.display != nullptr) return true;
  if (State().keys.tried) return false;
  State().keys.tried = true;
  Display* d = XOpenDisplay(DisplayString(Dpy()));
  if (d == nullptr) return false;
  ReadButtonMap(d);
  // 2.1 or later: raw events keep coming while another client holds a grab (a menu is open).
  int event = 0, error = 0, major = 2, minor = 2;
  if (!XQueryExtension(d, "XInputExtension", &State().keys.xi_opcode, &event, &error) ||
      XIQueryVersion(d, &major, &minor) != Success) {
    DebugLog("XInput2 is missing: global keys only as 'down now'");
    State().keys.display = d;
    return true;
  }
  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
  XSync(d, False);
  ReadDownState(d);
  State().keys.raw = true;
  State().keys.display = d;
  return true;
}

int KeyWatchFd() { return State().keys.display ? ConnectionNumber(State().keys.display) : -1; }

void DrainKeyEvents() {
  Display* d = State().keys.display;
  if (d == nullptr) return;
  State().keys.drained_at = MonotonicMicros();
  while (XPending(d) > 0) {
    XEvent ev;
    XNextEvent(d, &ev);
    if (ev.type == MappingNotify && ev.xmapping.request == MappingPointer) ReadButtonMap(d);
    XGenericEventCookie* cookie = &ev.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != State().keys.xi_opcode ||
        !XGetEventData(d, cookie))
      continue;
    const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
    const bool press = cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawButtonPress;
    if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
      const int code = raw->detail & 0xFF;
      const int vk = VirtualKeyOfKeycode(d, code);
      SetKeyDown(code, press ? vk : 0);
      if (press && vk != 0) {
        State().keys.pressed_since[vk] = true;
        State().keys.pressed_since[EitherSide(vk)] = true;
      }
    } else if (cookie->evtype == XI_RawButtonPress || cookie->evtype == XI_RawButtonRelease) {
      const int button = LogicalButton(raw->detail);
      if (button >= 1 && button <= 3) {
        State().keys.button_down[button] = press;
        if (press) State().keys.pressed_since[VirtualKeyOfButton(button)] = true;
      }
    }
    XFreeEventData(d, cookie);
  }
}

}  // namespace platform::x11

namespace platform {
using namespace platform::x11;

bool CursorPosition(Point& p) {
  Display* d = Dpy();
  Window root, child;
  int rx = 0, ry = 0, wx, wy;
  unsigned mask;
  if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask))
    return false;
  p = {rx, ry};
  return true;
}

bool MoveCursor(std::int32_t x, std::int32_t y) {
  Display* d = Dpy();
  // XTest moves the pointer as a real device would, so other clients see ordinary motion.
  bool ok = XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
  if (!ok) XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
  XFlush(d);
  return true;
}

void SendButton(MouseButton button, bool down) {
  // X numbers the middle button 2 and the right one 3.
  const unsigned logical = button == MouseButton::Left     ? 1
                           : button == MouseButton::Middle ? 2
                           : button == MouseButton::Right  ? 3
                                                           : 0;
  if (logical == 0) return;
  Display* d = Dpy();
  OpenKeyWatch();  // reads the button map
  XTestFakeButtonEvent(d, PhysicalButton(logical), down, CurrentTime);
  XFlush(d);
}

void SendKey(int vk, bool down) {
  if (vk < 1 || vk > 255) return;
  Display* d = Dpy();
  // The key that gives the symbol in the layout now in use.
  const KeySym sym = KeysymOf(vk);
  const KeyCode code = sym != 0 ? XKeysymToKeycode(d, sym) : 0;
  if (code == 0) return;
  XTestFakeKeyEvent(d, code, down, CurrentTime);
  XFlush(d);
}

KeyState QueryKey(int vk) {
  if (vk <= 0 || vk > 255 || !OpenKeyWatch()) return {};
  Display* d = State().keys.display;
  bool down = false;
  if (State().keys.raw) {
    // One read serves every query of the same moment (the poller asks for five keys, the
    // sampler for three buttons): each read is a system call.
    if (MonotonicMicros() - State().keys.drained_at >= 500) DrainKeyEvents();
    down = DownFromEvents(vk);
  } else {
    down = KeyDownNow(d, vk);
    DrainKeyEvents();
  }
  const bool pressed = State().keys.pressed_since[vk];
  State().keys.pressed_since[vk] = false;
  return {down, pressed};
}

}  // namespace platform
