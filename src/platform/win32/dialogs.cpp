// The common open and save dialogs. The program's strings are UTF-8: where the process code
// page is UTF-8 (the manifest asks for it; Windows 10 1903 on) the ANSI calls take them as they
// are, elsewhere the record is carried over to the wide calls and back.
#include <algorithm>
#include <cstring>

#include "win32.h"

namespace {
// The real size: 76 in a 32-bit build, 136 in a 64-bit one.
const DWORD kSizeVersion400A = OPENFILENAME_SIZE_VERSION_400A;
}  // namespace
#undef OPENFILENAME_SIZE_VERSION_400A

namespace platform {

const std::uint32_t OPENFILENAME_SIZE_VERSION_400A = kSizeVersion400A;

namespace {

// Filter pairs end with an empty string: the list ends at the first double NUL.
std::wstring WidenFilter(const char* filter) {
  if (!filter) return {};
  const char* end = filter;
  while (*end || end[1]) ++end;
  return win32::Widen(std::string_view(filter, static_cast<size_t>(end - filter) + 2));
}

std::wstring WidenOrEmpty(const char* s) { return s ? win32::Widen(s) : std::wstring(); }

// Copies a UTF-8 result into the caller's buffer; false when it does not fit.
bool CopyOut(const std::wstring& text, char* buf, std::uint32_t size) {
  std::string utf8 = win32::Narrow(text);
  if (!buf || utf8.size() + 1 > size) return false;
  std::memcpy(buf, utf8.c_str(), utf8.size() + 1);
  return true;
}

std::wstring UpToNul(const wchar_t* s, size_t max) {
  size_t n = 0;
  while (n < max && s[n]) ++n;
  return std::wstring(s, n);
}

::OPENFILENAMEA ToAnsi(const OPENFILENAMEA& o) {
  ::OPENFILENAMEA r{};
  r.lStructSize = o.lStructSize;
  r.hwndOwner = win32::ToHwnd(o.hwndOwner);
  r.hInstance = reinterpret_cast<HINSTANCE>(o.hInstance);
  r.lpstrFilter = o.lpstrFilter;
  r.lpstrFile = o.lpstrFile;
  r.nMaxFile = o.nMaxFile;
  r.lpstrFileTitle = o.lpstrFileTitle;
  r.nMaxFileTitle = o.nMaxFileTitle;
  r.lpstrInitialDir = o.lpstrInitialDir;
  r.lpstrTitle = o.lpstrTitle;
  r.Flags = o.Flags;
  r.lpstrDefExt = o.lpstrDefExt;
  return r;
}

int RunWide(OPENFILENAMEA* o, bool save) {
  // Buffers are counted in characters on the wide side; the UTF-8 result must still fit the
  // caller's byte counts, which CopyOut checks.
  std::wstring filter = WidenFilter(o->lpstrFilter);
  std::wstring initial_dir = WidenOrEmpty(o->lpstrInitialDir);
  std::wstring title = WidenOrEmpty(o->lpstrTitle);
  std::wstring def_ext = WidenOrEmpty(o->lpstrDefExt);
  std::wstring file(o->nMaxFile, L'\0');
  if (o->lpstrFile && o->nMaxFile) {
    std::wstring in =
        win32::Widen(std::string_view(o->lpstrFile, strnlen(o->lpstrFile, o->nMaxFile)));
    in.resize(std::min<size_t>(in.size(), o->nMaxFile - 1));
    std::copy(in.begin(), in.end(), file.begin());
  }
  std::wstring file_title(o->nMaxFileTitle, L'\0');

  OPENFILENAMEW w{};
  // Same layout rule on the wide side: the record without the Windows 2000 fields.
  w.lStructSize = o->lStructSize == OPENFILENAME_SIZE_VERSION_400A ? OPENFILENAME_SIZE_VERSION_400W
                                                                   : o->lStructSize;
  w.hwndOwner = win32::ToHwnd(o->hwndOwner);
  w.hInstance = reinterpret_cast<HINSTANCE>(o->hInstance);
  w.lpstrFilter = o->lpstrFilter ? filter.c_str() : nullptr;
  w.lpstrFile = o->lpstrFile ? file.data() : nullptr;
  w.nMaxFile = o->nMaxFile;
  w.lpstrFileTitle = o->lpstrFileTitle ? file_title.data() : nullptr;
  w.nMaxFileTitle = o->nMaxFileTitle;
  w.lpstrInitialDir = o->lpstrInitialDir ? initial_dir.c_str() : nullptr;
  w.lpstrTitle = o->lpstrTitle ? title.c_str() : nullptr;
  w.Flags = o->Flags;
  w.lpstrDefExt = o->lpstrDefExt ? def_ext.c_str() : nullptr;
  if (!(save ? GetSaveFileNameW(&w) : GetOpenFileNameW(&w))) return 0;
  if (!CopyOut(UpToNul(file.data(), file.size()), o->lpstrFile, o->nMaxFile)) return 0;
  if (o->lpstrFileTitle)
    CopyOut(UpToNul(file_title.data(), file_title.size()), o->lpstrFileTitle, o->nMaxFileTitle);
  return 1;
}

int Run(OPENFILENAMEA* o, bool save) {
  if (!o) return 0;
  win32::EnsureUiThreadInit();
  if (GetACP() != CP_UTF8) return RunWide(o, save);
  ::OPENFILENAMEA a = ToAnsi(*o);
  return save ? ::GetSaveFileNameA(&a) : ::GetOpenFileNameA(&a);
}

}  // namespace

int GetOpenFileNameA(OPENFILENAMEA* ofn) { return Run(ofn, false); }
int GetSaveFileNameA(OPENFILENAMEA* ofn) { return Run(ofn, true); }

}  // namespace platform
