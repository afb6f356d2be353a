// The common open and save dialogs. The program's strings are UTF-8: where the process code
// page is UTF-8 (the manifest asks for it; Windows 10 1903 on) the ANSI calls take them as they
// are, elsewhere the wide calls do and the answer is converted back.
#include <algorithm>
#include <string_view>
#include <utility>

#include "win32.h"

namespace platform {
namespace {

// The dialog's path buffer, spaces and the NUL: room for the longest path Windows knows, so that
// a name the files cannot use is told by the save or the load rather than lost here.
constexpr DWORD kPathBuffer = 32768;

// Name and pattern, each with its NUL, and the empty string that closes the list.
std::string FilterList(const FileRequest& r) {
  if (r.filter_pattern.empty()) return {};
  return r.filter_name + '\0' + r.filter_pattern + '\0' + '\0';
}

// The dialog opens where the system puts it, often at the top-left corner under the strip that
// owns it: as it first activates, it moves to the middle of the owner's monitor, below the owner
// if that still covers it.
thread_local HWND placing_owner = nullptr;
thread_local HHOOK placing_hook = nullptr;

void PlaceClearOfOwner(HWND dialog) {
  RECT d{}, o{};
  if (!GetWindowRect(dialog, &d) || !GetWindowRect(placing_owner, &o)) return;
  MONITORINFO m{};
  m.cbSize = sizeof m;
  if (!GetMonitorInfoW(MonitorFromWindow(placing_owner, MONITOR_DEFAULTTOPRIMARY), &m)) return;
  const RECT& work = m.rcWork;
  const LONG width = d.right - d.left, height = d.bottom - d.top;
  LONG x = work.left + std::max(0L, (work.right - work.left - width) / 2);
  LONG y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
  const bool covered = x < o.right && o.left < x + width && y < o.bottom && o.top < y + height;
  if (covered) y = std::min(o.bottom, std::max(work.top, work.bottom - height));
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK PlaceDialog(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_ACTIVATE && placing_hook != nullptr) {
    const HWND window = reinterpret_cast<HWND>(w);
    wchar_t kind[16] = L"";
    GetClassNameW(window, kind, 16);
    if (std::wstring_view(kind) == L"#32770") {
      PlaceClearOfOwner(window);
      const HHOOK hook = std::exchange(placing_hook, nullptr);
      const LRESULT next = CallNextHookEx(hook, code, w, l);
      UnhookWindowsHookEx(hook);
      return next;
    }
  }
  return CallNextHookEx(placing_hook, code, w, l);
}

// Places the next dialog of this thread for the time it lives.
class DialogPlacement {
 public:
  explicit DialogPlacement(HWND owner) {
    if (owner == nullptr) return;
    placing_owner = owner;
    placing_hook = SetWindowsHookExW(WH_CBT, PlaceDialog, nullptr, GetCurrentThreadId());
  }
  ~DialogPlacement() {
    if (placing_hook != nullptr) UnhookWindowsHookEx(std::exchange(placing_hook, nullptr));
  }
  DialogPlacement(const DialogPlacement&) = delete;
  DialogPlacement& operator=(const DialogPlacement&) = delete;
};

// A save asks before it replaces a file; an open takes only a file that is there, and offers no
// read-only box, which would mean nothing to a load.
DWORD DialogFlags(const FileRequest& r) {
  return r.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
}

template <typename Char>
const Char* OrNull(const std::basic_string<Char>& s) {
  return s.empty() ? nullptr : s.c_str();
}

std::optional<std::string> RunAnsi(const FileRequest& r) {
  const std::string filter = FilterList(r);
  std::string file(kPathBuffer - 1, ' ');
  OPENFILENAMEA o{};
  // The record without the Windows 2000 fields, as the program has always asked for it.
  o.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  o.hwndOwner = win32::ToHwnd(r.owner);
  o.hInstance = GetModuleHandleW(nullptr);
  o.lpstrFilter = OrNull(filter);
  o.lpstrFile = file.data();
  o.nMaxFile = kPathBuffer;
  o.lpstrInitialDir = OrNull(r.start_folder);
  o.lpstrTitle = OrNull(r.title);
  o.lpstrDefExt = OrNull(r.default_extension);
  o.Flags = DialogFlags(r);
  if (!(r.save ? GetSaveFileNameA(&o) : GetOpenFileNameA(&o))) return std::nullopt;
  return std::string(file.c_str());
}

std::optional<std::string> RunWide(const FileRequest& r) {
  const std::wstring filter = win32::Widen(FilterList(r));
  const std::wstring start_folder = win32::Widen(r.start_folder);
  const std::wstring title = win32::Widen(r.title);
  const std::wstring default_extension = win32::Widen(r.default_extension);
  std::wstring file(kPathBuffer - 1, L' ');
  OPENFILENAMEW w{};
  w.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  w.hwndOwner = win32::ToHwnd(r.owner);
  w.hInstance = GetModuleHandleW(nullptr);
  w.lpstrFilter = OrNull(filter);
  w.lpstrFile = file.data();
  w.nMaxFile = kPathBuffer;  // characters here; the UTF-8 answer must still fit in bytes
  w.lpstrInitialDir = OrNull(start_folder);
  w.lpstrTitle = OrNull(title);
  w.lpstrDefExt = OrNull(default_extension);
  w.Flags = DialogFlags(r);
  if (!(r.save ? GetSaveFileNameW(&w) : GetOpenFileNameW(&w))) return std::nullopt;
  return win32::Narrow(file.c_str());
}

}  // namespace

std::optional<std::string> ChooseFile(const FileRequest& request) {
  win32::EnsureUiThreadInit();
  const DialogPlacement placement(win32::ToHwnd(request.owner));
  return GetACP() == CP_UTF8 ? RunAnsi(request) : RunWide(request);
}

}  // namespace platform
