// Cursor, synthetic mouse input, global key state and the screen's metrics. The manifest makes
// the process per-monitor DPI aware, so all of these are physical pixels on every monitor.
#include <algorithm>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "win32.h"

namespace platform {

bool CursorPosition(Point& p) {
  POINT pt;
  if (!::GetCursorPos(&pt)) return false;
  p.x = pt.x;
  p.y = pt.y;
  return true;
}

bool MoveCursor(std::int32_t x, std::int32_t y) { return ::SetCursorPos(x, y) != 0; }

namespace {

// Windows reports and injects the physical buttons; with them swapped for a left hand, the
// physical right button is the one applications receive as left.
bool ButtonsSwapped() { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }

MouseButton Swapped(MouseButton button) {
  if (ButtonsSwapped() && (button == MouseButton::Left || button == MouseButton::Right))
    return button == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
  return button;
}

// Marks the playback's own input, so that the hook passes over exactly that (tests and remote
// desktops inject input too, and theirs is a hand's).
constexpr ULONG_PTR kOwnInput = 0x54505752;

// The low-level hooks, on the UI thread: the mouse's while the recorder watches, the keyboard's
// from the first key taken or watched on.
struct Hooks {
  HHOOK mouse = nullptr;
  HHOOK keyboard = nullptr;
  bool watching = false;
  std::vector<InputEvent> events;
  // The keys taken, those whose press was kept from every window (their release is kept too),
  // the keys a hand holds, and the presses QueryKey has yet to tell (never a key's repeats, as
  // the key state's "pressed since" may be).
  std::array<bool, 256> taken{};
  std::array<bool, 256> held{};
  std::array<bool, 256> down{};
  std::array<bool, 256> pressed{};
  std::function<void()> on_taken_change;
  bool telling = false;
};

Hooks& Hook() {
  static Hooks hooks;
  return hooks;
}

// GetTickCount moves in steps of up to 16 ms: only a lateness beyond that is believed.
constexpr LONG kTickStepMs = 16;

std::int64_t MicrosOfTickTime(DWORD time) {
  const auto late_ms = static_cast<LONG>(GetTickCount() - time);
  return MonotonicMicros() - std::int64_t{std::max<LONG>(0, late_ms - kTickStepMs)} * 1000;
}

void Keep(WPARAM message, const MSLLHOOKSTRUCT& m) {
  InputEvent e;
  const auto data = static_cast<short>(HIWORD(m.mouseData));
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      e.button = Swapped(MouseButton::Left);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      e.button = Swapped(MouseButton::Right);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      e.button = MouseButton::Middle;
      break;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      e.button = data == XBUTTON1 ? MouseButton::X1 : MouseButton::X2;
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      e.kind = InputEvent::Kind::Wheel;
      e.axis = message == WM_MOUSEWHEEL ? WheelAxis::Vertical : WheelAxis::Horizontal;
      e.delta = data;
      break;
    default:
      return;
  }
  if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
      message == WM_XBUTTONUP)
    e.kind = InputEvent::Kind::ButtonUp;
  e.time_us = MicrosOfTickTime(m.time);
  e.at = Point{m.pt.x, m.pt.y};
  Hook().events.push_back(e);
}

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto& m = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    if (m.dwExtraInfo != kOwnInput) Keep(message, m);
  }
  return CallNextHookEx(nullptr, code, message, data);
}

bool ModifierHeld() {
  for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN})
    if (::GetAsyncKeyState(vk) & 0x8000) return true;
  return false;
}

// The hook runs inside the system's delivery of the key, which waits for it: the program hears
// of a taken key's press from its own loop, a moment later.
void TellTakenChange() {
  Hooks& h = Hook();
  if (!h.on_taken_change || std::exchange(h.telling, true)) return;
  win32::RunOnUiThread([] {
    Hook().telling = false;
    if (const std::function<void()> tell = Hook().on_taken_change) tell();
  });
}

// Returns true to keep the key from every window.
bool OnKey(WPARAM message, const KBDLLHOOKSTRUCT& k) {
  Hooks& h = Hook();
  const auto vk = static_cast<size_t>(k.vkCode & 0xFF);
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (h.watching) {
    InputEvent e;
    e.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
    e.vk = static_cast<int>(vk);
    e.time_us = MicrosOfTickTime(k.time);
    h.events.push_back(e);
  }
  if (!down) {
    h.down[vk] = false;
    if (!std::exchange(h.held[vk], false)) return false;
    TellTakenChange();
    return true;
  }
  if (!std::exchange(h.down[vk], true)) h.pressed[vk] = true;
  if (!h.taken[vk] || (!h.held[vk] && ModifierHeld())) return false;
  // A held key repeats: each repeat is kept from the windows too.
  if (!std::exchange(h.held[vk], true)) TellTakenChange();
  return true;
}

LRESULT CALLBACK OnKeyboard(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (k.dwExtraInfo != kOwnInput && OnKey(message, k)) return 1;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

bool HookKeyboard() {
  Hooks& h = Hook();
  if (h.keyboard == nullptr)
    h.keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, OnKeyboard, GetModuleHandleW(nullptr), 0);
  return h.keyboard != nullptr;
}

}  // namespace

bool WatchInputEvents(bool on) {
  Hooks& h = Hook();
  h.events.clear();
  if (on && h.mouse == nullptr)
    h.mouse = SetWindowsHookExW(WH_MOUSE_LL, OnMouse, GetModuleHandleW(nullptr), 0);
  if (!on && h.mouse != nullptr) {
    UnhookWindowsHookEx(h.mouse);
    h.mouse = nullptr;
  }
  const bool given = h.mouse != nullptr && HookKeyboard();
  h.watching = on && given;
  return !on || given;
}

std::vector<InputEvent> TakeInputEvents() {
  std::vector<InputEvent> events;
  events.swap(Hook().events);
  return events;
}

void SendWheel(WheelAxis axis, int delta) {
  ::mouse_event(axis == WheelAxis::Vertical ? MOUSEEVENTF_WHEEL : MOUSEEVENTF_HWHEEL, 0, 0,
                static_cast<DWORD>(delta), kOwnInput);
}

int WheelStep() { return 1; }

void SendButton(MouseButton button, bool down) {
  button = Swapped(button);
  DWORD flags = 0;
  DWORD data = 0;
  switch (button) {
    case MouseButton::Left:
      flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
      break;
    case MouseButton::Right:
      flags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
      break;
    case MouseButton::Middle:
      flags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
      break;
    case MouseButton::X1:
    case MouseButton::X2:
      flags = down ? MOUSEEVENTF_XDOWN : MOUSEEVENTF_XUP;
      data = button == MouseButton::X1 ? XBUTTON1 : XBUTTON2;
      break;
    case MouseButton::None:
      return;
  }
  ::mouse_event(flags, 0, 0, data, kOwnInput);
}

void SendKey(int vk, bool down) {
  if (vk < 1 || vk > 255) return;
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(vk);
  // With the scan code, applications that read scan codes (games, remote desktops) see the key.
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  in.ki.dwExtraInfo = kOwnInput;
  switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_SNAPSHOT:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
      in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;  // the keys beside the main block
      break;
    default:
      break;
  }
  SendInput(1, &in, sizeof in);
}

// The keyboard hook takes the keys: RegisterHotKey, under Wine, lost about one press in four of
// a key it had taken.
void TakeHotkeys(const std::vector<int>& vks) {
  Hooks& h = Hook();
  h.taken.fill(false);
  for (const int vk : vks)
    if (vk > 0 && vk < 256) h.taken[static_cast<size_t>(vk)] = true;
  if (!vks.empty()) HookKeyboard();
}

bool OnHotkeyChange(std::function<void()> pressed) {
  Hook().on_taken_change = std::move(pressed);
  return HookKeyboard();
}

KeyState QueryKey(int vk) {
  if (ButtonsSwapped() && (vk == VK_LBUTTON || vk == VK_RBUTTON))
    vk = vk == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON;
  const auto state = static_cast<std::uint16_t>(::GetAsyncKeyState(vk));
  KeyState key{(state & 0x8000) != 0, (state & 1) != 0};
  // With the hook, a key's presses are its own (a key it kept from the windows never reaches
  // the key state). The hook sees the keys of either side only.
  Hooks& h = Hook();
  if (h.keyboard != nullptr && vk >= VK_BACK && vk < 256 && vk != VK_SHIFT && vk != VK_CONTROL &&
      vk != VK_MENU) {
    key.down = key.down || h.held[static_cast<size_t>(vk)];
    key.pressed_since = std::exchange(h.pressed[static_cast<size_t>(vk)], false);
  }
  return key;
}

Rect PrimaryMonitor() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

namespace {

// DPI of the primary monitor: shcore's per-monitor value where it exists (Windows 8.1 on),
// else the system DPI.
UINT PrimaryDpi(bool vertical) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static GetDpiForMonitorFn get_dpi = [] {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  if (get_dpi) {
    HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT x = 0, y = 0;
    if (SUCCEEDED(get_dpi(primary, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x && y)
      return vertical ? y : x;
  }
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, vertical ? LOGPIXELSY : LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

double TwipsPerPixelX() { return 1440.0 / PrimaryDpi(false); }
double TwipsPerPixelY() { return 1440.0 / PrimaryDpi(true); }

}  // namespace platform
