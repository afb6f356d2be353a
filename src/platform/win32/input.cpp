// Cursor, synthetic mouse input, global key state and the screen's metrics. The manifest makes
// the process per-monitor DPI aware, so all of these are physical pixels on every monitor.
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

}  // namespace

void SendButton(MouseButton button, bool down) {
  if (ButtonsSwapped() && (button == MouseButton::Left || button == MouseButton::Right))
    button = button == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
  DWORD flags = 0;
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
    case MouseButton::None:
      return;
  }
  ::mouse_event(flags, 0, 0, 0, 0);
}

void SendKey(int vk, bool down) {
  if (vk < 1 || vk > 255) return;
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(vk);
  // With the scan code, applications that read scan codes (games, remote desktops) see the key.
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
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
