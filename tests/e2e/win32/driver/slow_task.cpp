// A three-step task in a small application whose answers take their time, placed where asked:
// Open shows a dialog after the delay, its OK closes it and shows Done after the delay again.
// Every press it receives is printed as the live button it hit ("open", "ok", "done") or as
// "miss X Y", so that a replay that presses on the wrong thing is seen.
// Usage: slow_task X Y DELAY_MS
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Button {
  int x, y, w, h;
  COLORREF colour;
  const wchar_t* label;
  bool Hit(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

const Button kOpen{20, 20, 90, 30, RGB(0xD0, 0x50, 0x30), L"Open"};
const Button kOk{60, 50, 80, 30, RGB(0x40, 0xA0, 0x30), L"OK"};
const Button kDone{20, 140, 90, 30, RGB(0x20, 0x80, 0xE0), L"Done"};

enum class Step { Open, DialogComing, Dialog, DoneComing, Done, Finished };
Step step = Step::Open;
HWND main_window = nullptr, dialog = nullptr;
int delay_ms = 150;
int left = 100, top = 100;

void Draw(HDC dc, const Button& b) {
  const HBRUSH brush = CreateSolidBrush(b.colour);
  const RECT r{b.x, b.y, b.x + b.w, b.y + b.h};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, b.x + 10, b.y + 8, b.label, static_cast<int>(wcslen(b.label)));
}

void Say(const char* what, LPARAM at, HWND w) {
  POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  ClientToScreen(w, &p);
  if (what)
    std::printf("%s\n", what);
  else
    std::printf("miss %ld %ld\n", p.x, p.y);
}

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(w, &ps);
      if (w == main_window) {
        Draw(dc, kOpen);
        if (step == Step::Done || step == Step::Finished) Draw(dc, kDone);
      } else {
        Draw(dc, kOk);
      }
      EndPaint(w, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
      const char* what = nullptr;
      if (w == main_window && step == Step::Open && kOpen.Hit(x, y)) {
        what = "open";
        step = Step::DialogComing;
        SetTimer(main_window, 1, static_cast<UINT>(delay_ms), nullptr);
      } else if (w == dialog && step == Step::Dialog && kOk.Hit(x, y)) {
        what = "ok";
        ShowWindow(dialog, SW_HIDE);
        step = Step::DoneComing;
        SetTimer(main_window, 1, static_cast<UINT>(delay_ms), nullptr);
      } else if (w == main_window && step == Step::Done && kDone.Hit(x, y)) {
        what = "done";
        step = Step::Finished;
      }
      Say(what, lp, w);
      return 0;
    }
    case WM_TIMER:
      KillTimer(main_window, 1);
      if (step == Step::DialogComing) {
        step = Step::Dialog;
        ShowWindow(dialog, SW_SHOW);
      } else if (step == Step::DoneComing) {
        step = Step::Done;
        InvalidateRect(main_window, nullptr, TRUE);
      }
      return 0;
    case WM_DESTROY:
      if (w == main_window) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(w, msg, wp, lp);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc != 4) {
    std::fprintf(stderr, "usage: slow_task X Y DELAY_MS\n");
    return 2;
  }
  left = std::atoi(argv[1]);
  top = std::atoi(argv[2]);
  delay_ms = std::atoi(argv[3]);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = CreateSolidBrush(RGB(0xC8, 0xC8, 0xC8));
  wc.lpszClassName = L"SlowTask";
  RegisterClassW(&wc);
  wc.hbrBackground = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
  wc.lpszClassName = L"SlowTaskDialog";
  RegisterClassW(&wc);
  main_window = CreateWindowExW(0, L"SlowTask", L"Slow task", WS_POPUP | WS_VISIBLE, left, top, 300,
                                200, nullptr, nullptr, wc.hInstance, nullptr);
  dialog = CreateWindowExW(0, L"SlowTaskDialog", L"Confirm", WS_POPUP, left + 60, top + 60, 200,
                           100, main_window, nullptr, wc.hInstance, nullptr);
  std::printf("ready\n");
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
