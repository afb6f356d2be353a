// Borderless top-level windows for the forms, their mouse input, and the user32 calls on
// placement and style that the program makes by name.
#include <windowsx.h>

#include <atomic>

#include "win32.h"

namespace platform {
namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"Tapwright.Form";

// Read from the thread the console's end requests come on.
std::atomic<HWND> first_form{nullptr};

struct FormData {
  WindowListener* listener = nullptr;
  Color background = 0;
  CursorShape cursor = CursorShape::Arrow;
  bool drops = false;
};

FormData* DataOf(HWND h) {
  return reinterpret_cast<FormData*>(GetWindowLongPtrW(h, GWLP_USERDATA));
}

int ButtonsHeld(WPARAM w) {
  return ((w & MK_LBUTTON) ? 1 : 0) | ((w & MK_RBUTTON) ? 2 : 0) | ((w & MK_MBUTTON) ? 4 : 0);
}

MouseEvent MakeMouseEvent(MouseEvent::Kind kind, MouseButton button, WPARAM w, LPARAM l) {
  MouseEvent e;
  e.kind = kind;
  e.button = button;
  e.buttons = ButtonsHeld(w);
  e.shift =
      ((w & MK_SHIFT) ? 1 : 0) | ((w & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  e.x = GET_X_LPARAM(l);
  e.y = GET_Y_LPARAM(l);
  return e;
}

bool MouseMessage(HWND h, FormData* d, UINT m, WPARAM w, LPARAM l) {
  using K = MouseEvent::Kind;
  K kind;
  MouseButton button = MouseButton::None;
  switch (m) {
    case WM_MOUSEMOVE:
      kind = K::Move;
      break;
    case WM_LBUTTONDOWN:
      kind = K::Down;
      button = MouseButton::Left;
      break;
    case WM_RBUTTONDOWN:
      kind = K::Down;
      button = MouseButton::Right;
      break;
    case WM_MBUTTONDOWN:
      kind = K::Down;
      button = MouseButton::Middle;
      break;
    case WM_LBUTTONUP:
      kind = K::Up;
      button = MouseButton::Left;
      break;
    case WM_RBUTTONUP:
      kind = K::Up;
      button = MouseButton::Right;
      break;
    case WM_MBUTTONUP:
      kind = K::Up;
      button = MouseButton::Middle;
      break;
    case WM_LBUTTONDBLCLK:
      kind = K::DoubleClick;
      button = MouseButton::Left;
      break;
    case WM_RBUTTONDBLCLK:
      kind = K::DoubleClick;
      button = MouseButton::Right;
      break;
    case WM_MBUTTONDBLCLK:
      kind = K::DoubleClick;
      button = MouseButton::Middle;
      break;
    default:
      return false;
  }
  // Capture from the first press to the last release, so the Up reaches the window it belongs to.
  if (kind == K::Down || kind == K::DoubleClick) SetCapture(h);
  if (kind == K::Up && ButtonsHeld(w) == 0 && GetCapture() == h) ReleaseCapture();
  d->listener->OnMouse(MakeMouseEvent(kind, button, w, l));
  return true;
}

LRESULT CALLBACK FormProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  FormData* d = DataOf(h);
  if (!d || !d->listener) return DefWindowProcW(h, m, w, l);

  if (MouseMessage(h, d, m, w, l)) return 0;
  switch (m) {
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
      ForgetDpi();
      break;
    case WM_PAINT:
      PaintWindow(h, d->listener, d->background);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_SETCURSOR:
      if (LOWORD(l) == HTCLIENT) {
        SetCursor(d->cursor == CursorShape::Hand ? HandCursor() : LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
      d->listener->OnKeyDown(static_cast<int>(w));
      return 0;
    case WM_CLOSE:
      d->listener->OnCloseRequest();
      return 0;
    case WM_DESTROY:
      if (d->drops) RevokeDropTarget(h);
      break;
    case WM_NCDESTROY: {
      HWND first = h;  // a copy: a failed exchange writes the first window into it
      first_form.compare_exchange_strong(first, nullptr);
      SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      delete d;
      return DefWindowProcW(h, m, w, l);
    }
  }
  return DefWindowProcW(h, m, w, l);
}

void RegisterFormClass() {
  static bool done = false;
  if (done) return;
  done = true;
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = inst;
  wc.hIcon =
      static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  wc.hIconSm = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

}  // namespace

HWND FirstFormWindow() { return first_form.load(); }

}  // namespace win32

using win32::ToHwnd;

WindowHandle CreateFormWindow(const WindowDesc& desc, WindowListener* listener) {
  win32::EnsureUiThreadInit();
  win32::RegisterFormClass();
  auto* d = new win32::FormData{listener, desc.background, CursorShape::Arrow, desc.accept_drops};
  DWORD ex = desc.task_bar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  HWND h = CreateWindowExW(ex, win32::kClassName, win32::Widen(desc.title).c_str(),
                           WS_POPUP | WS_CLIPCHILDREN, desc.bounds.left, desc.bounds.top,
                           desc.bounds.width, desc.bounds.height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), d);
  if (!h) {
    delete d;
    return 0;
  }
  if (desc.accept_drops) win32::RegisterDropTarget(h, listener);
  HWND none = nullptr;
  win32::first_form.compare_exchange_strong(none, h);
  return win32::FromHwnd(h);
}

void DestroyWindow(WindowHandle w) { ::DestroyWindow(ToHwnd(w)); }

void ShowWindow(WindowHandle w, bool visible) {
  HWND h = ToHwnd(w);
  // Tool windows (the click indicator) must not take the focus from the user's application.
  bool tool = (::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  ::ShowWindow(h, !visible ? SW_HIDE : tool ? SW_SHOWNOACTIVATE : SW_SHOW);
}

bool IsWindowVisible(WindowHandle w) { return ::IsWindowVisible(ToHwnd(w)) != 0; }

void SetWindowBounds(WindowHandle w, const Rect& b) {
  ::SetWindowPos(ToHwnd(w), nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

Rect GetWindowBounds(WindowHandle w) {
  RECT r{};
  ::GetWindowRect(ToHwnd(w), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void SetWindowCursor(WindowHandle w, CursorShape shape) {
  HWND h = ToHwnd(w);
  if (auto* d = win32::DataOf(h)) d->cursor = shape;
  // Show the change at once when the pointer is already over the window.
  POINT pt;
  if (::GetCursorPos(&pt) && WindowFromPoint(pt) == h)
    SetCursor(shape == CursorShape::Hand ? win32::HandCursor() : LoadCursorW(nullptr, IDC_ARROW));
}

void InvalidateWindow(WindowHandle w) { InvalidateRect(ToHwnd(w), nullptr, FALSE); }

void RepaintNow(WindowHandle w) {
  HWND h = ToHwnd(w);
  InvalidateRect(h, nullptr, FALSE);
  UpdateWindow(h);
}

// The executable's own icon resource, drawn from the same pictures at build time, serves.
void SetProgramIcon(const std::vector<Picture>&) {}

void SetTopmost(WindowHandle w, bool topmost) {
  HWND hw = ToHwnd(w);
  // The key poller puts the window on top ten times a second; when it is there already, the
  // call would only cost the system a round of messages.
  if (topmost && (::GetWindowLongW(hw, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
      ::GetWindow(hw, GW_HWNDPREV) == nullptr)
    return;
  ::SetWindowPos(hw, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetOpacity(WindowHandle w, std::uint8_t alpha) {
  HWND hw = ToHwnd(w);
  const LONG style = ::GetWindowLongW(hw, GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) ::SetWindowLongW(hw, GWL_EXSTYLE, style | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(hw, 0, alpha, LWA_ALPHA);
}

// A class style: it holds for every window of the class, the program's form windows.
void SetDropShadow(WindowHandle w, bool on) {
  HWND hw = ToHwnd(w);
  const ULONG_PTR style = ::GetClassLongPtrW(hw, GCL_STYLE);
  ::SetClassLongPtrW(hw, GCL_STYLE,
                     static_cast<LONG_PTR>(on ? style | CS_DROPSHADOW : style & ~CS_DROPSHADOW));
}

}  // namespace platform
