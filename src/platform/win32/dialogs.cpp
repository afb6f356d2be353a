// The common open and save dialogs. The program's strings are UTF-8: where the process code
// page is UTF-8 (the manifest asks for it; Windows 10 1903 on) the ANSI calls take them as they
// are, elsewhere the wide calls do and the answer is converted back.
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
  if (!(r.save ? GetSaveFileNameW(&w) : GetOpenFileNameW(&w))) return std::nullopt;
  return win32::Narrow(file.c_str());
}

}  // namespace

std::optional<std::string> ChooseFile(const FileRequest& request) {
  win32::EnsureUiThreadInit();
  return GetACP() == CP_UTF8 ? RunAnsi(request) : RunWide(request);
}

}  // namespace platform
