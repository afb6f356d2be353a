// Cursor, synthetic mouse input and the global key state.
//
// Global keys are watched on a second connection that selects XInput2 raw events on the root
// window: they arrive whichever client has the focus and need no grab. That connection is only
// drained (never dispatched), so watching keys cannot re-enter window handlers.

#include "platform/input.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/geometry.h"
#include "platform/loop.h"
#include "platform/x11/key_layout.h"
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

// The logical buttons the program knows; 4 to 7 are the wheel's. MouseButton{} is no button:
// X.h takes the name None.
struct XButton {
  int number;
  int vk;
  MouseButton button;
};
constexpr XButton kXButtons[] = {
    {1, vk::kLeftButton, MouseButton::Left},   {2, vk::kMiddleButton, MouseButton::Middle},
    {3, vk::kRightButton, MouseButton::Right}, {8, vk::kX1Button, MouseButton::X1},
    {9, vk::kX2Button, MouseButton::X2},
};

int VirtualKeyOfButton(int button) {
  for (const XButton& b : kXButtons)
    if (b.number == button) return b.vk;
  return 0;
}

MouseButton MouseButtonOf(int button) {
  for (const XButton& b : kXButtons)
    if (b.number == button) return b.button;
  return MouseButton{};
}

// The moment of a server time on the monotonic clock.
std::int64_t MicrosOfServerTime(Time time) {
  KeyWatch& k = State().keys;
  const std::int64_t now = MonotonicMicros();
  const auto offset = static_cast<std::uint32_t>(now / 1000) - static_cast<std::uint32_t>(time);
  if (!k.has_server_offset || static_cast<std::int32_t>(offset - k.server_offset_ms) < 0) {
    k.server_offset_ms = offset;
    k.has_server_offset = true;
  }
  const auto late_ms = static_cast<std::int32_t>(offset - k.server_offset_ms);
  return now - std::int64_t{late_ms} * 1000;
}

// The event on the monotonic clock, unless it is not to be kept: one drained late may be from
// before the watch began (the click that focused the target).
std::optional<InputEvent> Stamped(InputEvent::Kind kind, Time time) {
  InputEvent e;
  e.kind = kind;
  e.time_us = MicrosOfServerTime(time);
  if (!State().keys.watching || e.time_us < State().keys.watching_since) return std::nullopt;
  return e;
}

void KeepKey(int vk, bool press, Time time) {
  auto e = Stamped(press ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp, time);
  if (!e || vk == 0) return;
  e->vk = vk;
  State().keys.events.push_back(*e);
}

void Keep(InputEvent::Kind kind, MouseButton button, WheelAxis axis, int delta, Time time) {
  std::optional<InputEvent> stamped = Stamped(kind, time);
  if (!stamped) return;
  InputEvent& e = *stamped;
  e.button = button;
  e.axis = axis;
  e.delta = delta;
  // Raw events carry no position. The pointer read as they are drained is where the button went
  // down (a hand holds still for it); a line between two ticks would smear a jump made just
  // before it.
  Window root, child;
  int rx = 0, ry = 0, wx, wy;
  unsigned mask = 0;
  Display* d = State().keys.display;
  if (XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask))
    e.at = Point{rx, ry};
  State().keys.events.push_back(e);
}

// Buttons 4 to 7 are the wheel's notches: up, down, left, right. Those the server made from a
// scroll valuator's motion (emulated) are counted from that motion.
void KeepButton(int button, bool press, bool emulated, Time time) {
  if (const MouseButton b = MouseButtonOf(button); b != MouseButton{}) {
    Keep(press ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp, b, WheelAxis::Vertical,
         0, time);
  } else if (press && !emulated && button >= 4 && button <= 7) {
    Keep(InputEvent::Kind::Wheel, MouseButton{},
         button <= 5 ? WheelAxis::Vertical : WheelAxis::Horizontal,
         button == 4 || button == 7 ? 120 : -120, time);
  } else {
    MicrosOfServerTime(time);
  }
}

// The scroll valuators of every pointing device, for smooth scrolling.
void ReadScrollValuators(Display* d) {
  std::vector<ScrollValuator> valuators;
  int count = 0;
  XIDeviceInfo* devices = XIQueryDevice(d, XIAllDevices, &count);
  for (int i = 0; i < count; ++i) {
    const XIDeviceInfo& device = devices[i];
    for (int c = 0; c < device.num_classes; ++c) {
      if (device.classes[c]->type != XIScrollClass) continue;
      const auto* scroll = reinterpret_cast<const XIScrollClassInfo*>(device.classes[c]);
      valuators.push_back({device.deviceid, scroll->number,
                           scroll->scroll_type == XIScrollTypeHorizontal ? WheelAxis::Horizontal
                                                                         : WheelAxis::Vertical,
                           scroll->increment});
    }
  }
  if (devices != nullptr) XIFreeDeviceInfo(devices);
  State().keys.scroll.SetValuators(std::move(valuators));
}

// Raw motion comes only while the input's events are kept, and only where a device scrolls with
// valuators: every move of the pointer would wake the program otherwise.
void SelectRawEvents(Display* d) {
  unsigned char raw[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(raw, XI_RawKeyPress);
  XISetMask(raw, XI_RawKeyRelease);
  XISetMask(raw, XI_RawButtonPress);
  XISetMask(raw, XI_RawButtonRelease);
  if (State().keys.watching && State().keys.scroll.Any()) XISetMask(raw, XI_RawMotion);
  unsigned char devices[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(devices, XI_HierarchyChanged);
  XISetMask(devices, XI_DeviceChanged);
  XIEventMask masks[] = {{XIAllMasterDevices, sizeof raw, raw},
                         {XIAllDevices, sizeof devices, devices}};
  XISelectEvents(d, DefaultRootWindow(d), masks, 2);
}

void KeepScroll(const XIRawEvent& raw) {
  if ((raw.flags & XIPointerEmulated) != 0) return;  // made from a wheel button, counted there
  const double* value = raw.raw_values;
  for (int number = 0; number < raw.valuators.mask_len * 8; ++number) {
    if (!XIMaskIsSet(raw.valuators.mask, number)) continue;
    const double change = *value++;
    if (const auto turn = State().keys.scroll.Turn(raw.sourceid, number, change))
      Keep(InputEvent::Kind::Wheel, MouseButton{}, turn->axis, turn->delta, raw.time);
  }
}

// Reads the layout's symbols and key names, and gives each keycode its virtual key.
void ReadKeyLayout(Display* d) {
  std::array<KeycodeSymbols, 256> keys{};
  XkbDescPtr desc = XkbGetMap(d, 0, XkbUseCoreKbd);
  const bool named = desc != nullptr && XkbGetNames(d, XkbKeyNamesMask, desc) == Success &&
                     desc->names != nullptr && desc->names->keys != nullptr;
  int min_code = 8, max_code = 255;
  XDisplayKeycodes(d, &min_code, &max_code);
  for (int code = std::max(min_code, 8); code <= std::min(max_code, 255); ++code) {
    KeycodeSymbols& k = keys[static_cast<size_t>(code)];
    const auto keycode = static_cast<KeyCode>(code);
    k.unshifted = static_cast<std::uint32_t>(XkbKeycodeToKeysym(d, keycode, 0, 0));
    k.shifted = static_cast<std::uint32_t>(XkbKeycodeToKeysym(d, keycode, 0, 1));
    if (named && code >= desc->min_key_code && code <= desc->max_key_code) {
      const char* name = desc->names->keys[code].name;
      k.position = std::string_view(name, strnlen(name, XkbKeyNameLength));
    }
  }
  State().keys.layout = AssignVirtualKeys(keys);
  State().keys.layout_read = true;
  if (desc != nullptr) XkbFreeKeyboard(desc, 0, True);
}

int VirtualKeyOfKeycode(Display* d, int keycode) {
  if (!State().keys.layout_read) ReadKeyLayout(d);
  return keycode >= 0 && keycode < 256 ? State().keys.layout[static_cast<size_t>(keycode)] : 0;
}

// The key that gives `vk` on this layout: the one its symbol is on where that key reads back as
// `vk`, else any key that does; else the symbol's key as another layout would have it.
KeyCode KeycodeOf(int vk) {
  Display* d = State().keys.display != nullptr ? State().keys.display : Dpy();
  const KeySym sym = KeysymOf(vk);
  const KeyCode by_symbol = sym != 0 ? XKeysymToKeycode(d, sym) : 0;
  if (by_symbol != 0 && VirtualKeyOfKeycode(d, by_symbol) == vk) return by_symbol;
  for (int code = 8; code < 256; ++code)
    if (VirtualKeyOfKeycode(d, code) == vk) return static_cast<KeyCode>(code);
  return by_symbol;
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
  for (const XButton& b : kXButtons)
    if (b.vk == vk) return State().keys.button_down[static_cast<size_t>(b.number)];
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
  ReadScrollValuators(d);
  SelectRawEvents(d);
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
    // Another layout may put the hotkeys on other keys.
    if (ev.type == MappingNotify && ev.xmapping.request == MappingKeyboard) {
      XRefreshKeyboardMapping(&ev.xmapping);
      ReadKeyLayout(d);
      TakeHotkeys(std::vector<int>(State().keys.taken));
    }
    XGenericEventCookie* cookie = &ev.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != State().keys.xi_opcode ||
        !XGetEventData(d, cookie))
      continue;
    if (cookie->evtype == XI_HierarchyChanged || cookie->evtype == XI_DeviceChanged) {
      ReadScrollValuators(d);  // a device came, went or changed what it has
      XFreeEventData(d, cookie);
      continue;
    }
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
      const std::vector<int>& taken = State().keys.taken;
      if (vk != 0 && std::find(taken.begin(), taken.end(), vk) != taken.end())
        State().keys.taken_changed = true;
      KeepKey(vk, press, raw->time);
    } else if (cookie->evtype == XI_RawButtonPress || cookie->evtype == XI_RawButtonRelease) {
      const int button = LogicalButton(raw->detail);
      if (VirtualKeyOfButton(button) != 0) {
        State().keys.button_down[button] = press;
        if (press) State().keys.pressed_since[VirtualKeyOfButton(button)] = true;
      }
      KeepButton(button, press, (raw->flags & XIPointerEmulated) != 0, raw->time);
    } else if (cookie->evtype == XI_RawMotion) {
      KeepScroll(*raw);
    }
    XFreeEventData(d, cookie);
  }
}

void TellHotkeyChange() {
  KeyWatch& k = State().keys;
  if (!std::exchange(k.taken_changed, false) || !k.on_taken_change) return;
  const std::function<void()> tell = k.on_taken_change;  // it may replace itself
  tell();
}

}  // namespace platform::x11

namespace platform {
using namespace platform::x11;

bool OnHotkeyChange(std::function<void()> pressed) {
  State().keys.on_taken_change = std::move(pressed);
  return OpenKeyWatch() && State().keys.raw;
}

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
  // X numbers the middle button 2 and the right one 3; the side ones are 8 and 9.
  unsigned logical = 0;
  for (const XButton& b : kXButtons)
    if (b.button == button) logical = static_cast<unsigned>(b.number);
  if (logical == 0) return;
  Display* d = Dpy();
  OpenKeyWatch();  // reads the button map
  XTestFakeButtonEvent(d, PhysicalButton(logical), down, CurrentTime);
  XFlush(d);
}

void SendWheel(WheelAxis axis, int delta) {
  const bool vertical = axis == WheelAxis::Vertical;
  const unsigned logical = vertical ? (delta > 0 ? 4 : 5) : (delta > 0 ? 7 : 6);
  Display* d = Dpy();
  OpenKeyWatch();
  for (int notch = 0; notch < std::abs(delta) / 120; ++notch) {
    XTestFakeButtonEvent(d, PhysicalButton(logical), True, CurrentTime);
    XTestFakeButtonEvent(d, PhysicalButton(logical), False, CurrentTime);
  }
  XFlush(d);
}

int WheelStep() { return 120; }

bool WatchInputEvents(bool on) {
  const bool given = OpenKeyWatch() && State().keys.raw;
  DrainKeyEvents();  // what came before is not kept
  State().keys.events.clear();
  State().keys.watching = on && given;
  State().keys.watching_since = MonotonicMicros();
  if (given) {
    SelectRawEvents(State().keys.display);
    XFlush(State().keys.display);
  }
  return given;
}

bool ShowScreenWithPresses(int) { return false; }

std::vector<InputEvent> TakeInputEvents() {
  DrainKeyEvents();
  std::vector<InputEvent> events;
  events.swap(State().keys.events);
  return events;
}

void SendKey(int vk, bool down) {
  if (vk < 1 || vk > 255) return;
  Display* d = Dpy();
  OpenKeyWatch();  // reads the layout
  const KeyCode code = KeycodeOf(vk);
  if (code == 0) return;
  XTestFakeKeyEvent(d, code, down, CurrentTime);
  XFlush(d);
}

namespace {

// The lock keys' modifier combinations: a hotkey is taken with Caps Lock or Num Lock on too.
std::vector<unsigned> LockCombinations(Display* d) {
  unsigned num_lock = 0;
  if (XModifierKeymap* m = XGetModifierMapping(d)) {
    const KeyCode code = XKeysymToKeycode(d, XK_Num_Lock);
    for (int i = 0; code != 0 && i < 8 * m->max_keypermod; ++i)
      if (m->modifiermap[i] == code) num_lock = 1u << (i / m->max_keypermod);
    XFreeModifiermap(m);
  }
  std::vector<unsigned> combinations = {0, LockMask};
  if (num_lock != 0 && num_lock != LockMask)
    combinations.insert(combinations.end(), {num_lock, num_lock | LockMask});
  return combinations;
}

}  // namespace

void TakeHotkeys(const std::vector<int>& vks) {
  if (!OpenKeyWatch()) return;
  KeyWatch& k = State().keys;
  // The grabs are the UI connection's: the server gives raw events to every client but the one
  // whose grab is active, and the key watch must see the hotkeys' releases.
  Display* ui = Dpy();
  const Window root = DefaultRootWindow(ui);
  for (const auto& [code, modifiers] : k.grabs) XUngrabKey(ui, code, modifiers, root);
  k.grabs.clear();
  k.taken = vks;
  const std::vector<unsigned> combinations = LockCombinations(k.display);
  for (const int vk : vks) {
    // The key that gives vk on this layout: a chosen key may have only a spare code.
    const KeyCode code = vk > 0 && vk < 256 ? KeycodeOf(vk) : 0;
    if (code == 0) continue;
    // A grab another client holds fails with BadAccess, which the error handler passes over.
    for (const unsigned modifiers : combinations) {
      XGrabKey(ui, code, modifiers, root, False, GrabModeAsync, GrabModeAsync);
      k.grabs.emplace_back(code, modifiers);
    }
  }
  XFlush(ui);
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
