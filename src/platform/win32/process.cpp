// Locale, single instance, clock and what the program knows about its own executable.
#include <thread>
#include <vector>

#include "win32.h"

namespace platform {

std::string UserLanguageName() {
  char name[256];
  const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name);
  return n > 0 ? std::string(name, static_cast<size_t>(n - 1)) : std::string();
}

bool AnotherInstanceRunning() {
  // The mutex is never closed: it marks this process as the running copy until it ends.
  static const bool running = [] {
    HANDLE m = CreateMutexW(nullptr, FALSE, L"Local\\Tapwright.SingleInstance");
    return m != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  }();
  return running;
}

TimeOfDay LocalTimeOfDay() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wHour, t.wMinute, t.wSecond};
}

std::int64_t LocalClockSeconds() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  FILETIME ft;  // the local time read as if it were UTC: 100 ns steps since 1601
  if (!SystemTimeToFileTime(&t, &ft)) return 0;
  const std::int64_t ticks = static_cast<std::int64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
  return ticks / 10'000'000 - 11'644'473'600;
}

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

Version AppVersion() {
  static const Version version = [] {
    Version v;
    std::wstring path = ModulePath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return v;
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT info_len = 0;
    if (GetFileVersionInfoW(path.c_str(), 0, size, data.data()) &&
        VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &info_len) && info &&
        info_len >= sizeof(VS_FIXEDFILEINFO)) {
      // File version 1.0.8.0 is the program's 1.0.8: the build number is not shown.
      v.major = HIWORD(info->dwFileVersionMS);
      v.minor = LOWORD(info->dwFileVersionMS);
      v.revision = HIWORD(info->dwFileVersionLS);
    }
    return v;
  }();
  return version;
}

std::string AppFolder() {
  std::wstring path = ModulePath();
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  return win32::Narrow(std::wstring_view(path).substr(0, slash));
}

void RunInBackground(std::function<void()> work) {
  std::thread([work = std::move(work)] {
    // Below the UI thread, so that on a busy machine the window and the timers go first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    work();
  }).detach();
}

}  // namespace platform
