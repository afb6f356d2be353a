// Cursor, synthetic mouse input, global key state and the screen's metrics. The manifest makes
// the process per-monitor DPI aware, so all of these are physical pixels on every monitor.
#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/screen.h"
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

// The low-level hooks run on a thread of their own: Windows stops calling (and, from Windows 7
// on, silently removes) a hook whose thread keeps it waiting past LowLevelHooksTimeout, and the
// UI thread stalls at times (a long paint, a swapping machine). That thread only stamps and
// queues the events and keeps the taken keys from the windows; it never waits on the UI thread,
// which drains the queue and hears of taken keys through its own loop.
//
// What both threads touch, each for a few steps under the lock.
struct Shared {
  std::mutex lock;
  bool watching = false;
  std::vector<InputEvent> events;
  // The keys taken, those whose press was kept from every window (their release is kept too),
  // the keys a hand holds, and the presses QueryKey has yet to tell (never a key's repeats, as
  // the key state's "pressed since" may be).
  std::array<bool, 256> taken{};
  std::array<bool, 256> held{};
  std::array<bool, 256> down{};
  std::array<bool, 256> pressed{};
  bool listening = false;  // the UI thread is to hear of the taken keys' changes
  bool telling = false;    // a call to tell it waits in its queue
  int screen_side = 0;     // the square of screen each press carries; 0: none
};

Shared& Hooked() {
  static Shared* shared = new Shared();  // the hook thread may use it until the process ends
  return *shared;
}

// The UI thread's own: which hooks are in (the mouse's while the recorder watches, the
// keyboard's from the first key taken or watched on) and whom to tell of taken keys.
struct UiSide {
  bool mouse = false;
  bool keyboard = false;
  std::function<void()> on_taken_change;
};

UiSide& Ui() {
  static UiSide ui;
  return ui;
}

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM data);
LRESULT CALLBACK OnKeyboard(int code, WPARAM message, LPARAM data);

// A hook runs on the thread that set it, so this thread sets and removes them too.
class HookThread {
 public:
  static HookThread& Get() {
    static HookThread* thread = new HookThread();  // runs until the process ends
    return *thread;
  }

  // From the UI thread only. The wait is short: the hook thread never waits on this one.
  bool Hook(int id, bool on) {
    if (!PostThreadMessageW(thread_id_, kHookMessage, static_cast<WPARAM>(id), on ? 1 : 0))
      return false;
    WaitForSingleObject(answered_, INFINITE);
    return answer_;
  }

 private:
  static constexpr UINT kHookMessage = WM_APP + 1;

  HookThread() {
    answered_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread = CreateThread(
        nullptr, 0, [](void* self) -> DWORD { return static_cast<HookThread*>(self)->Run(); }, this,
        0, &thread_id_);
    if (thread == nullptr) return;
    // Every press and click of the desktop waits for these hooks.
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    CloseHandle(thread);
    WaitForSingleObject(answered_, INFINITE);  // until its queue is there to post to
  }

  DWORD Run() {
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(answered_);
    // The hooks are called from inside GetMessageW.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message != kHookMessage) continue;
      const bool mouse = msg.wParam == WH_MOUSE_LL;
      const bool on = msg.lParam != 0;
      HHOOK& hook = mouse ? mouse_ : keyboard_;
      if (on && hook == nullptr)
        hook = SetWindowsHookExW(mouse ? WH_MOUSE_LL : WH_KEYBOARD_LL, mouse ? OnMouse : OnKeyboard,
                                 GetModuleHandleW(nullptr), 0);
      if (!on && hook != nullptr && UnhookWindowsHookEx(hook)) hook = nullptr;
      answer_ = (hook != nullptr) == on;
      SetEvent(answered_);
    }
    return 0;
  }

  DWORD thread_id_ = 0;
  HANDLE answered_ = nullptr;
  bool answer_ = false;  // written before answered_ is set, read after the wait for it
  HHOOK mouse_ = nullptr;
  HHOOK keyboard_ = nullptr;
};

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
  Shared& h = Hooked();
  int side = 0;
  {
    const std::lock_guard<std::mutex> hold(h.lock);
    if (!h.watching) return;
    side = h.screen_side;
  }
  // Read here, the press has yet to reach any window: the screen shows nothing of its answer.
  if (side > 0 && e.kind != InputEvent::Kind::ButtonUp)
    CaptureScreen({m.pt.x - side / 2, m.pt.y - side / 2, side, side}, e.screen);
  const std::lock_guard<std::mutex> hold(h.lock);
  if (h.watching) h.events.push_back(std::move(e));
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

// The program hears of a taken key's change from its own loop, a moment later: the hook thread
// does not wait for it.
void TellTakenChange() {
  win32::RunOnUiThread([] {
    {
      Shared& h = Hooked();
      const std::lock_guard<std::mutex> hold(h.lock);
      h.telling = false;
    }
    if (const std::function<void()> tell = Ui().on_taken_change) tell();
  });
}

// Returns true to keep the key from every window; `tell` is set when the UI thread is to hear
// of it. The caller holds the lock, so a key is judged by one whole set of taken keys.
bool OnKey(Shared& h, WPARAM message, const KBDLLHOOKSTRUCT& k, bool& tell) {
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
    tell = true;
    return true;
  }
  if (!std::exchange(h.down[vk], true)) h.pressed[vk] = true;
  if (!h.taken[vk] || (!h.held[vk] && ModifierHeld())) return false;
  // A held key repeats: each repeat is kept from the windows too.
  if (!std::exchange(h.held[vk], true)) tell = true;
  return true;
}

LRESULT CALLBACK OnKeyboard(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (k.dwExtraInfo != kOwnInput) {
      Shared& h = Hooked();
      bool tell = false;
      bool kept = false;
      {
        const std::lock_guard<std::mutex> hold(h.lock);
        kept = OnKey(h, message, k, tell);
        tell = tell && h.listening && !std::exchange(h.telling, true);
      }
      if (tell) TellTakenChange();
      if (kept) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

bool HookKeyboard() {
  UiSide& ui = Ui();
  if (!ui.keyboard) ui.keyboard = HookThread::Get().Hook(WH_KEYBOARD_LL, true);
  return ui.keyboard;
}

}  // namespace

bool WatchInputEvents(bool on) {
  UiSide& ui = Ui();
  if (on != ui.mouse && HookThread::Get().Hook(WH_MOUSE_LL, on)) ui.mouse = on;
  const bool given = ui.mouse && HookKeyboard();
  Shared& h = Hooked();
  const std::lock_guard<std::mutex> hold(h.lock);
  h.events.clear();
  h.watching = on && given;
  return !on || given;
}

bool ShowScreenWithPresses(int side) {
  win32::NoteUiThread();  // whose windows a read of the screen leaves out
  Shared& h = Hooked();
  const std::lock_guard<std::mutex> hold(h.lock);
  h.screen_side = std::max(0, side);
  return true;
}

std::vector<InputEvent> TakeInputEvents() {
  std::vector<InputEvent> events;
  Shared& h = Hooked();
  const std::lock_guard<std::mutex> hold(h.lock);
  events.swap(h.events);
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
  Shared& h = Hooked();
  {
    const std::lock_guard<std::mutex> hold(h.lock);
    h.taken.fill(false);
    for (const int vk : vks)
      if (vk > 0 && vk < 256) h.taken[static_cast<size_t>(vk)] = true;
  }
  if (!vks.empty()) HookKeyboard();
}

bool OnHotkeyChange(std::function<void()> pressed) {
  // The hook thread tells the UI thread through a window of the UI thread's, made here.
  if (pressed) win32::RunOnUiThread([] {});
  const bool listening = static_cast<bool>(pressed);
  Ui().on_taken_change = std::move(pressed);
  Shared& h = Hooked();
  {
    const std::lock_guard<std::mutex> hold(h.lock);
    h.listening = listening;
  }
  return HookKeyboard();
}

KeyState QueryKey(int vk) {
  if (ButtonsSwapped() && (vk == VK_LBUTTON || vk == VK_RBUTTON))
    vk = vk == VK_LBUTTON ? VK_RBUTTON : VK_LBUTTON;
  const auto state = static_cast<std::uint16_t>(::GetAsyncKeyState(vk));
  KeyState key{(state & 0x8000) != 0, (state & 1) != 0};
  // With the hook, a key's presses are its own (a key it kept from the windows never reaches
  // the key state). The hook sees the keys of either side only.
  if (Ui().keyboard && vk >= VK_BACK && vk < 256 && vk != VK_SHIFT && vk != VK_CONTROL &&
      vk != VK_MENU) {
    Shared& h = Hooked();
    const std::lock_guard<std::mutex> hold(h.lock);
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
UINT ReadPrimaryDpi(bool vertical) {
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

// Read again only after the system tells of a change: a paint converts a few hundred lengths,
// and under Wine each reading costs some 25 us, which held the UI thread, and with it a replay's
// moves, for 6-10 ms at every repaint.
std::atomic<UINT> dpi_x{0};
std::atomic<UINT> dpi_y{0};

UINT PrimaryDpi(bool vertical) {
  std::atomic<UINT>& kept = vertical ? dpi_y : dpi_x;
  UINT dpi = kept.load(std::memory_order_relaxed);
  if (dpi == 0) {
    dpi = ReadPrimaryDpi(vertical);
    kept.store(dpi, std::memory_order_relaxed);
  }
  return dpi;
}

}  // namespace

namespace win32 {

void ForgetDpi() {
  dpi_x.store(0, std::memory_order_relaxed);
  dpi_y.store(0, std::memory_order_relaxed);
}

}  // namespace win32

double TwipsPerPixelX() { return 1440.0 / PrimaryDpi(false); }
double TwipsPerPixelY() { return 1440.0 / PrimaryDpi(true); }

}  // namespace platform
