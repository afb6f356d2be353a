// What the screen shows, through GDI and the window tree.
#include "platform/screen.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "win32.h"

namespace platform {
namespace win32 {
namespace {

// The executable's file name of a process; "" where the system does not say.
std::string ProgramOf(DWORD pid) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  std::wstring path(MAX_PATH, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  const bool read = QueryFullProcessImageNameW(process, 0, path.data(), &size) != 0;
  CloseHandle(process);
  if (!read) return {};
  path.resize(size);
  return Narrow(std::wstring_view(path).substr(path.find_last_of(L"\\/") + 1));
}

// A top-level window as a user knows it; false for this program's own. `programs` keeps the
// file names found so far, by process: a process has many windows, and asking costs.
bool Describe(HWND top, TopWindow& window, std::map<DWORD, std::string>& programs) {
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  if (pid == GetCurrentProcessId()) return false;
  TopWindow found;
  wchar_t class_name[256] = {};
  GetClassNameW(top, class_name, 256);
  found.window_class = Narrow(class_name);
  std::wstring title(static_cast<size_t>(GetWindowTextLengthW(top)) + 1, L'\0');
  title.resize(
      static_cast<size_t>(GetWindowTextW(top, title.data(), static_cast<int>(title.size()))));
  found.title = Narrow(title);
  const auto known = programs.find(pid);
  found.program = known != programs.end() ? known->second : programs[pid] = ProgramOf(pid);
  RECT r{};
  if (!GetWindowRect(top, &r)) return false;
  found.bounds = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  window = std::move(found);
  return true;
}

// The visible top-level windows, the topmost first.
std::vector<HWND> VisibleTopLevel() {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND w, LPARAM into) -> BOOL {
        if (IsWindowVisible(w) && !IsIconic(w))
          reinterpret_cast<std::vector<HWND>*>(into)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// What the program's own windows cover reads as hidden.
std::atomic<DWORD> ui_thread{0};

// The program's windows all belong to the UI thread: listing that thread's alone costs a few
// calls, where every window of the desktop costs 1.6 ms under Wine.
void HideOwnWindows(const Rect& area, std::vector<std::uint32_t>& pixels) {
  std::vector<HWND> own;
  const DWORD thread = ui_thread.load();
  EnumThreadWindows(
      thread != 0 ? thread : GetCurrentThreadId(),
      [](HWND w, LPARAM into) -> BOOL {
        if (IsWindowVisible(w) && !IsIconic(w))
          reinterpret_cast<std::vector<HWND>*>(into)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&own));
  for (const HWND w : own) {
    RECT b{};
    if (!GetWindowRect(w, &b)) continue;
    for (LONG y = std::max<LONG>(b.top, area.top);
         y < std::min<LONG>(b.bottom, area.top + area.height); ++y)
      for (LONG x = std::max<LONG>(b.left, area.left);
           x < std::min<LONG>(b.right, area.left + area.width); ++x)
        pixels[static_cast<size_t>(y - area.top) * static_cast<size_t>(area.width) +
               static_cast<size_t>(x - area.left)] = kHiddenPixel;
  }
}

}  // namespace

void NoteUiThread() { ui_thread = GetCurrentThreadId(); }

}  // namespace win32

bool CaptureScreen(const Rect& area, std::vector<std::uint32_t>& pixels) {
  if (area.width < 0 || area.height < 0) return false;
  std::vector<std::uint32_t> read(
      static_cast<size_t>(area.width) * static_cast<size_t>(area.height), 0);
  if (read.empty()) {
    pixels.clear();
    return true;
  }
  const HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = area.width;
  bi.bmiHeader.biHeight = -area.height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = memory && bitmap && bits;
  if (ok) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    // Beyond every monitor the copy is black, as the bitmap starts.
    ok = BitBlt(memory, 0, 0, area.width, area.height, screen, area.left, area.top,
                SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(memory, old);
    GdiFlush();
    const auto* from = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; ok && i < read.size(); ++i) read[i] = from[i] & 0x00FFFFFF;  // BGRX
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (ok) {
    win32::HideOwnWindows(area, read);
    pixels = std::move(read);
  }
  return ok;
}

bool TopWindowAt(Point p, TopWindow& window) {
  const HWND under = WindowFromPoint(POINT{p.x, p.y});
  const HWND top = under ? GetAncestor(under, GA_ROOT) : nullptr;
  std::map<DWORD, std::string> programs;
  return top && win32::Describe(top, window, programs);
}

std::vector<TopWindow> TopWindows() {
  std::vector<TopWindow> found;
  std::map<DWORD, std::string> programs;
  for (const HWND w : win32::VisibleTopLevel()) {
    TopWindow window;
    if (win32::Describe(w, window, programs)) found.push_back(std::move(window));
  }
  return found;
}

}  // namespace platform
