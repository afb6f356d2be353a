// Cursor, synthetic mouse input, global key state and the screen's metrics. The manifest makes
// the process per-monitor DPI aware, so all of these are physical pixels on every monitor.
#include <algorithm>
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

// The low-level mouse hook, on the UI thread while the recorder watches.
struct MouseHook {
  HHOOK hook = nullptr;
  std::vector<InputEvent> events;
};

MouseHook& Hook() {
  static MouseHook hook;
  return hook;
}

// GetTickCount moves in steps of up to 16 ms: only a lateness beyond that is believed.
constexpr LONG kTickStepMs = 16;

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
  const auto late_ms = static_cast<LONG>(GetTickCount() - m.time);
  e.time_us = MonotonicMicros() - std::int64_t{std::max<LONG>(0, late_ms - kTickStepMs)} * 1000;
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

}  // namespace

bool WatchInputEvents(bool on) {
  MouseHook& h = Hook();
  h.events.clear();
  if (on && h.hook == nullptr)
    h.hook = SetWindowsHookExW(WH_MOUSE_LL, OnMouse, GetModuleHandleW(nullptr), 0);
  if (!on && h.hook != nullptr) {
    UnhookWindowsHookEx(h.hook);
    h.hook = nullptr;
  }
  return !on || h.hook != nullptr;
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

// The keys are not taken from other applications here yet: under Wine, RegisterHotKey lost about
// one press in four of a key it had taken (the key state never showed it, nor did WM_HOTKEY).
void TakeHotkeys(const std::vector<int>&) {}

KeyState QueryKey(int vk) {
  if (ButtonsSwapped() && (vk == VK_LBUTTON || vk == VK_RBUTTON))
    vk = vk == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON;
  const auto state = static_cast<std::uint16_t>(::GetAsyncKeyState(vk));
  return {(state & 0x8000) != 0, (state & 1) != 0};
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
