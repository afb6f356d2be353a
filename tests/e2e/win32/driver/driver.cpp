// Test driver that runs beside tapwright.exe in the same Wine prefix. Keys and clicks go in
// with SendInput: X events sent from outside do not reach GetAsyncKeyState of an unfocused
// Wine program, input from a process of the same prefix does.
//
//   driver window CLASS [--effects]   checks the main window's placement and styles
//   driver key NAME...                presses and releases keys (F5 F6 F8 F10 ESC or hex codes),
//                                     printing the GetTickCount64 of each press
//   driver click X Y [left|right|middle|x1|x2]   printing the GetTickCount64 of the press
//   driver wheel X Y DELTA [h]        turns the wheel by DELTA (120 a notch) at X Y; h: sideways
//   driver hold X Y MS                presses the left button at X Y for MS milliseconds
//   driver sweep X Y X2 Y2 MS [REST]  presses the left button at X Y, rests REST milliseconds
//                                     (100 unless given), moves it to X2 Y2 in MS milliseconds
//                                     and releases it there
//   driver move X Y                   moves the pointer without clicking
//   driver cursor                     prints the pointer's position
//   driver cursor-at X Y SECONDS      waits until the pointer is at X Y, printing when it got there
//   driver target X Y W H SECONDS     a window that prints every press, release and move with a
//                                     button held that it receives, each turn of the wheel
//                                     ("wheel -120", "hwheel 120") and each character typed
//                                     into it ("char h"), and each function key or Esc
//                                     it receives, in hex ("keydown 77" for F8)
//   driver answer TITLE PATH SECONDS  types PATH into the file dialog TITLE and confirms it;
//                                     prints where the dialog was and its owner's title
//   driver reply TITLE yes|no|cancel SECONDS   presses that button in the enabled dialog TITLE
//                                     (a question over a file dialog has its title), printing
//                                     the question's text
//   driver icon EXE SIZE              loads EXE's icon at SIZE pixels as Explorer does; prints
//                                     the image's size and how many of its pixels are opaque
//   driver drag X Y EFFECTS FILE...   an OLE drag of the files (CF_HDROP) offering EFFECTS,
//                                     dropped at screen X Y; prints what DoDragDrop returned
//   driver stall MS                   keeps the Tapwright window's thread from running for MS
//                                     milliseconds, printing when it stopped and went on
//   driver end                        ends the program that owns the Tapwright window
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// After windows.h, which lean-and-mean leaves without them.
#include <ole2.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

HWND WaitForWindow(const wchar_t* cls, const wchar_t* title, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (HWND h = FindWindowW(cls, title)) return h;
    Sleep(100);
  }
  return nullptr;
}

int CheckWindow(const char* class_name, bool effects) {
  std::wstring cls(class_name, class_name + std::strlen(class_name));
  HWND h = WaitForWindow(cls.c_str(), L"Tapwright", 30);
  Check(h != nullptr, "a top-level window of that class with the text \"Tapwright\" exists");
  if (!h) return 1;
  Sleep(500);  // let the start-up finish placing it
  RECT r;
  GetWindowRect(h, &r);
  std::printf("rect %ld,%ld %ldx%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  Check(r.left == 0 && r.top == 0, "at (0, 0)");
  Check(r.right - r.left == 178 && r.bottom - r.top == 66, "178 x 66 pixels");
  RECT c;
  GetClientRect(h, &c);
  Check(c.right == r.right - r.left && c.bottom == r.bottom - r.top, "client area is the window");
  LONG style = GetWindowLongW(h, GWL_STYLE);
  LONG ex = GetWindowLongW(h, GWL_EXSTYLE);
  std::printf("style 0x%08lx exstyle 0x%08lx\n", style, ex);
  Check((style & WS_POPUP) && !(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU)),
        "popup without caption, border or system menu");
  Check(!(ex & (WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE)),
        "no edge styles");
  Check(IsWindowVisible(h), "visible");
  wchar_t text[64] = {};
  GetWindowTextW(h, text, 64);
  Check(std::wcscmp(text, L"Tapwright") == 0, "window text \"Tapwright\"");
  wchar_t got_class[64] = {};
  GetClassNameW(h, got_class, 64);
  Check(cls == got_class, "class name");
  if (effects) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    bool layered = (ex & WS_EX_LAYERED) && GetLayeredWindowAttributes(h, &key, &alpha, &flags);
    std::printf("layered %d alpha %u flags %lu\n", layered, alpha, flags);
    Check(layered && alpha == 237 && (flags & LWA_ALPHA), "layered with alpha 237");
    Check((GetClassLongPtrW(h, GCL_STYLE) & CS_DROPSHADOW) != 0, "class has CS_DROPSHADOW");
    Check((ex & WS_EX_TOPMOST) != 0, "topmost");
  }
  return failures ? 1 : 0;
}

WORD KeyCode(const char* name) {
  struct {
    const char* name;
    WORD vk;
  } const keys[] = {{"F5", VK_F5},      {"F6", VK_F6}, {"F8", VK_F8},    {"F10", VK_F10},
                    {"ESC", VK_ESCAPE}, {"UP", VK_UP}, {"DOWN", VK_DOWN}};
  for (auto& k : keys)
    if (_stricmp(name, k.name) == 0) return k.vk;
  return static_cast<WORD>(std::strtoul(name, nullptr, 16));
}

void SendKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

void SendClick(int x, int y, const char* button) {
  DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
  if (button && std::strcmp(button, "right") == 0)
    down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
  if (button && std::strcmp(button, "middle") == 0)
    down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
  DWORD side = 0;
  if (button && (std::strcmp(button, "x1") == 0 || std::strcmp(button, "x2") == 0)) {
    down = MOUSEEVENTF_XDOWN, up = MOUSEEVENTF_XUP;
    side = button[1] == '1' ? XBUTTON1 : XBUTTON2;
  }
  SetCursorPos(x, y);
  Sleep(50);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = down;
  in[1].mi.dwFlags = up;
  in[0].mi.mouseData = in[1].mi.mouseData = side;
  std::printf("click at %llu ms\n", GetTickCount64());
  SendInput(2, in, sizeof(INPUT));
}

void SendWheel(int x, int y, int delta, bool sideways) {
  SetCursorPos(x, y);
  Sleep(20);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = sideways ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL;
  in.mi.mouseData = static_cast<DWORD>(delta);
  SendInput(1, &in, sizeof(INPUT));
}

// A press held for `ms` in place, or dragged to (x2, y2) in five steps: in one process, so the
// timing is the driver's and not Wine's start-up.
void SendHeld(int x, int y, int x2, int y2, int ms, int rest = 100) {
  SetCursorPos(x, y);
  Sleep(50);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &in, sizeof(INPUT));
  // A hand rests a moment on the press before it drags.
  if (x2 != x || y2 != y) Sleep(static_cast<DWORD>(rest));
  for (int step = 1; step <= 5; ++step) {
    Sleep(static_cast<DWORD>(ms / 5));
    SetCursorPos(x + (x2 - x) * step / 5, y + (y2 - y) * step / 5);
  }
  Sleep(30);
  in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof(INPUT));
}

void PrintCursor() {
  POINT p{};
  GetCursorPos(&p);
  std::printf("%ld %ld\n", p.x, p.y);
}

// Polls in-process: a Wine start per poll would blur the arrival time by hundreds of ms.
int CursorAt(int x, int y, int seconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  POINT p{};
  do {
    GetCursorPos(&p);
    if (p.x == x && p.y == y) {
      std::printf("cursor at %d %d at %llu ms\n", x, y, GetTickCount64());
      return 0;
    }
    Sleep(5);
  } while (GetTickCount64() < deadline);
  std::printf("FAIL cursor at %ld %ld, not %d %d, after %d s\n", p.x, p.y, x, y, seconds);
  return 1;
}

LRESULT CALLBACK TargetProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  const char* side = HIWORD(w) == XBUTTON1 ? "x1" : "x2";
  const char* what = m == WM_LBUTTONDOWN   ? "left"
                     : m == WM_RBUTTONDOWN ? "right"
                     : m == WM_MBUTTONDOWN ? "middle"
                     : m == WM_XBUTTONDOWN ? side
                                           : nullptr;
  const char* released = m == WM_LBUTTONUP   ? "left"
                         : m == WM_RBUTTONUP ? "right"
                         : m == WM_MBUTTONUP ? "middle"
                         : m == WM_XBUTTONUP ? side
                                             : nullptr;
  if (m == WM_MOUSEWHEEL || m == WM_MOUSEHWHEEL) {
    std::printf("%s %d\n", m == WM_MOUSEWHEEL ? "wheel" : "hwheel", static_cast<short>(HIWORD(w)));
    std::fflush(stdout);
    return 0;
  }
  const bool drag = m == WM_MOUSEMOVE && (w & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
  if (what || released || drag) {
    POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    ClientToScreen(h, &p);
    if (drag) {
      std::printf("drag %ld %ld\n", p.x, p.y);
    } else {
      std::printf("%s %s %ld %ld\n", what ? "click" : "release", what ? what : released, p.x, p.y);
    }
    std::fflush(stdout);
    return m == WM_XBUTTONDOWN || m == WM_XBUTTONUP ? TRUE : 0;
  }
  if (m == WM_CHAR) {
    const wchar_t typed = static_cast<wchar_t>(w);
    char utf8[8] = {};
    WideCharToMultiByte(CP_UTF8, 0, &typed, 1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    std::printf("char %s\n", utf8);
    std::fflush(stdout);
    return 0;
  }
  // Keys that type nothing, by their virtual key in hex: F8 is "keydown 77".
  if ((m == WM_KEYDOWN || m == WM_SYSKEYDOWN) && ((w >= VK_F1 && w <= VK_F24) || w == VK_ESCAPE)) {
    std::printf("keydown %x\n", static_cast<unsigned>(w));
    std::fflush(stdout);
  }
  if (m == WM_TIMER) PostQuitMessage(0);
  return DefWindowProcW(h, m, w, l);
}

int Target(int x, int y, int width, int height, int seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"Tapwright.TestTarget";
  RegisterClassW(&wc);
  HWND h = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Click target", WS_POPUP | WS_VISIBLE,
                           x, y, width, height, nullptr, nullptr, wc.hInstance, nullptr);
  SetTimer(h, 1, static_cast<UINT>(seconds) * 1000, nullptr);
  std::printf("target ready\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);  // key presses become characters, as in any text field
    DispatchMessageW(&msg);
  }
  return 0;
}

int Answer(const char* title, const char* path, int seconds) {
  std::wstring t(title, title + std::strlen(title));
  HWND dlg = WaitForWindow(L"#32770", t.c_str(), seconds);
  if (!dlg) {
    std::printf("FAIL no dialog titled %s\n", title);
    return 1;
  }
  Sleep(300);
  std::wstring p(path, path + std::strlen(path));
  // Explorer-style dialogs keep the name in a combo box (cmb13), old-style ones in edt1.
  HWND name = GetDlgItem(dlg, 0x47c);
  if (!name) name = GetDlgItem(dlg, 0x480);
  if (!name) {
    std::printf("FAIL the dialog has no file name field\n");
    return 1;
  }
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p.c_str()));
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
  RECT at{};
  GetWindowRect(dlg, &at);
  wchar_t owner[64] = L"";
  if (HWND o = GetWindow(dlg, GW_OWNER)) GetWindowTextW(o, owner, 64);
  std::printf("answered %s at %ld %ld %ld %ld owner %ls\n", title, at.left, at.top,
              at.right - at.left, at.bottom - at.top, owner);
  return 0;
}

struct Reply {
  std::wstring title;
  int button = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindReply(HWND h, LPARAM l) {
  auto* r = reinterpret_cast<Reply*>(l);
  wchar_t cls[16] = L"", title[256] = L"";
  GetClassNameW(h, cls, 16);
  GetWindowTextW(h, title, 256);
  if (std::wstring(cls) == L"#32770" && r->title == title && IsWindowVisible(h) &&
      IsWindowEnabled(h) && GetDlgItem(h, r->button) != nullptr) {
    r->found = h;
    return FALSE;
  }
  return TRUE;
}

int ReplyTo(const char* title, const std::string& button, int seconds) {
  Reply r{std::wstring(title, title + std::strlen(title)), button == "yes"  ? IDYES
                                                           : button == "no" ? IDNO
                                                                            : IDCANCEL};
  for (int i = 0; i < seconds * 10 && !r.found; ++i) {
    EnumWindows(FindReply, reinterpret_cast<LPARAM>(&r));
    if (!r.found) Sleep(100);
  }
  if (!r.found) {
    std::printf("FAIL no dialog titled %s with a %s button\n", title, button.c_str());
    return 1;
  }
  Sleep(300);
  wchar_t text[512] = L"";
  GetDlgItemTextW(r.found, 0xFFFF, text, 512);  // a message box's text
  std::printf("question: %ls\n", text);
  PostMessageW(r.found, WM_COMMAND, MAKEWPARAM(r.button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(r.found, r.button)));
  return 0;
}

int Icon(const char* exe, int size) {
  const std::wstring path(exe, exe + std::strlen(exe));
  HMODULE m = LoadLibraryExW(path.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HICON icon = m ? static_cast<HICON>(
                       LoadImageW(m, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR))
                 : nullptr;
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) {
    std::printf("FAIL no icon of %d pixels in %s\n", size, exe);
    return 1;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::string pixels(static_cast<size_t>(size) * size * 4, '\0');
  HDC dc = GetDC(nullptr);
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  const int rows = GetDIBits(dc, info.hbmColor, 0, size, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  int opaque = 0;
  for (size_t i = 3; i < pixels.size(); i += 4) opaque += pixels[i] != 0;
  std::printf("icon %ldx%ld rows %d opaque %d\n", bm.bmWidth, bm.bmHeight, rows, opaque);
  return rows == size ? 0 : 1;
}

int End() {
  HWND h = FindWindowW(nullptr, L"Tapwright");
  if (!h) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!process) return 1;
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  return 0;
}

// As a swapping machine or a debugger would: the thread's message loop serves nothing meanwhile.
int Stall(int ms) {
  HWND h = WaitForWindow(L"Tapwright.Form", L"Tapwright", 10);
  HANDLE thread =
      h ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(h, nullptr)) : nullptr;
  if (!thread || SuspendThread(thread) == static_cast<DWORD>(-1)) {
    std::printf("FAIL cannot stall the Tapwright window's thread\n");
    return 1;
  }
  std::printf("stalled at %llu ms\n", GetTickCount64());
  Sleep(static_cast<DWORD>(ms));
  ResumeThread(thread);
  CloseHandle(thread);
  std::printf("resumed at %llu ms\n", GetTickCount64());
  return 0;
}

// The smallest data object a shell drag carries: one CF_HDROP block, handed out as copies.
class FileData final : public IDataObject {
 public:
  explicit FileData(HGLOBAL drop) : drop_(drop) {}
  ~FileData() { GlobalFree(drop_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fmt, STGMEDIUM* medium) override {
    HRESULT hr = QueryGetData(fmt);
    if (hr != S_OK) return hr;
    SIZE_T size = GlobalSize(drop_);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(copy), GlobalLock(drop_), size);
    GlobalUnlock(drop_);
    GlobalUnlock(copy);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fmt) override {
    if (!fmt || fmt->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    if (!(fmt->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return fmt->dwAspect == DVASPECT_CONTENT ? S_OK : DV_E_DVASPECT;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC fmt{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &fmt, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  LONG refs_ = 1;
  HGLOBAL drop_;
};

// Drops when the left button comes up, as Explorer does; gives up after a while so that a
// drag the input never ends cannot hang the test.
class ButtonSource final : public IDropSource {
 public:
  explicit ButtonSource(HANDLE held) : held_(held) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    ++polls;
    if (keys & MK_LBUTTON) {
      ++held;
      SetEvent(held_);
    }
    if (escape || GetTickCount64() > deadline_) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  int polls = 0, held = 0;

 private:
  HANDLE held_;
  ULONGLONG deadline_ = GetTickCount64() + 15000;
};

HGLOBAL FileList(int count, char** names) {
  std::wstring list;
  for (int i = 0; i < count; ++i) {
    int n = MultiByteToWideChar(CP_ACP, 0, names[i], -1, nullptr, 0);
    std::wstring name(static_cast<size_t>(n), L'\0');  // keeps the NUL that ends each name
    MultiByteToWideChar(CP_ACP, 0, names[i], -1, name.data(), n);
    list += name;
  }
  list += L'\0';
  SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* df = static_cast<DROPFILES*>(GlobalLock(h));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  std::memcpy(df + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(h);
  return h;
}

struct Drag {
  int x, y;  // where it ends, on the screen
  DWORD effects;
  IDataObject* data;
  ButtonSource* source;
  HANDLE held;
  HRESULT result = E_FAIL;
  DWORD effect = DROPEFFECT_NONE;
};
Drag* drag = nullptr;

// OLE follows the real pointer and buttons, so the drag's path and end come as input while
// DoDragDrop runs its loop on the main thread.
DWORD WINAPI MoveAndRelease(void*) {
  if (WaitForSingleObject(drag->held, 5000) != WAIT_OBJECT_0)
    std::printf("the drag never saw the button held\n");
  POINT from{};
  GetCursorPos(&from);
  for (int i = 1; i <= 8; ++i) {
    SetCursorPos(from.x + (drag->x - from.x) * i / 8, from.y + (drag->y - from.y) * i / 8);
    Sleep(40);
  }
  Sleep(200);
  INPUT up{};
  up.type = INPUT_MOUSE;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &up, sizeof(INPUT));
  return 0;
}

// As in Explorer, the drag starts when the button goes down on the source's window: the
// button state OLE polls is that of the thread that got the press.
LRESULT CALLBACK SourceProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_LBUTTONDOWN && drag->result == E_FAIL) {
    HANDLE thread = CreateThread(nullptr, 0, MoveAndRelease, nullptr, 0, nullptr);
    drag->result = DoDragDrop(drag->data, drag->source, drag->effects, &drag->effect);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    PostQuitMessage(0);
    return 0;
  }
  if (m == WM_TIMER) PostQuitMessage(0);
  return DefWindowProcW(h, m, w, l);
}

int DragFiles(int x, int y, DWORD effects, int count, char** names) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto* data = new FileData(FileList(count, names));
  ButtonSource source(held);
  Drag d{x, y, effects, data, &source, held};
  drag = &d;
  WNDCLASSW wc{};
  wc.lpfnWndProc = SourceProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = L"Tapwright.TestDragSource";
  RegisterClassW(&wc);
  // Beside the drop point, so the drag crosses into the target before it ends.
  const int size = 32;
  int left = x >= 2 * size ? x - 2 * size : x + size;
  HWND h = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Drag source", WS_POPUP | WS_VISIBLE,
                           left, y - size / 2, size, size, nullptr, nullptr, wc.hInstance, nullptr);
  SetTimer(h, 1, 20000, nullptr);
  SetCursorPos(left + size / 2, y);
  Sleep(100);
  INPUT down{};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &down, sizeof(INPUT));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  DestroyWindow(h);
  CloseHandle(held);
  data->Release();
  const char* what = d.result == DRAGDROP_S_DROP     ? "dropped"
                     : d.result == DRAGDROP_S_CANCEL ? "cancelled"
                                                     : "failed";
  std::printf("dodragdrop %s 0x%08lx effect %lu, polls %d with the button held %d\n", what,
              static_cast<unsigned long>(d.result), d.effect, source.polls, source.held);
  OleUninitialize();
  // A drop without the button ever held would not have been a drag.
  return d.result == DRAGDROP_S_DROP && source.held > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "window" && argc >= 3)
    return CheckWindow(argv[2], argc >= 4 && std::strcmp(argv[3], "--effects") == 0);
  if (cmd == "key" && argc >= 3) {
    for (int i = 2; i < argc; ++i) {
      SendKey(KeyCode(argv[i]));
      std::printf("key %s at %llu ms\n", argv[i], GetTickCount64());
      Sleep(150);  // longer than one poll of the program's 100 ms key timer
    }
    return 0;
  }
  if (cmd == "click" && argc >= 4) {
    SendClick(std::atoi(argv[2]), std::atoi(argv[3]), argc >= 5 ? argv[4] : "left");
    return 0;
  }
  if (cmd == "hold" && argc >= 5) {
    SendHeld(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[2]), std::atoi(argv[3]),
             std::atoi(argv[4]));
    return 0;
  }
  if (cmd == "sweep" && argc >= 7) {
    SendHeld(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
             std::atoi(argv[6]), argc >= 8 ? std::atoi(argv[7]) : 100);
    return 0;
  }
  if (cmd == "wheel" && argc >= 5) {
    SendWheel(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
              argc >= 6 && argv[5][0] == 'h');
    return 0;
  }
  if (cmd == "move" && argc >= 4)
    return SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3])) ? 0 : 1;
  if (cmd == "cursor") {
    PrintCursor();
    return 0;
  }
  if (cmd == "cursor-at" && argc >= 5)
    return CursorAt(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  if (cmd == "target" && argc >= 7)
    return Target(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                  std::atoi(argv[6]));
  if (cmd == "answer" && argc >= 5) return Answer(argv[2], argv[3], std::atoi(argv[4]));
  if (cmd == "drag" && argc >= 6)
    return DragFiles(std::atoi(argv[2]), std::atoi(argv[3]), std::strtoul(argv[4], nullptr, 10),
                     argc - 5, argv + 5);
  if (cmd == "stall" && argc >= 3) return Stall(std::atoi(argv[2]));
  if (cmd == "reply" && argc >= 5) return ReplyTo(argv[2], argv[3], std::atoi(argv[4]));
  if (cmd == "icon" && argc >= 4) return Icon(argv[2], std::atoi(argv[3]));
  if (cmd == "end") return End();
  std::fprintf(stderr, "usage: see the top of driver.cpp\n");
  return 2;
}
