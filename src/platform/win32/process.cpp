// Locale, single instance, clock and what the program knows about its own executable.
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/copy_message.h"
#include "win32.h"
// After windows.h, which it needs.
#include <shlobj.h>

namespace platform {
namespace {

// The channel between copies: a named pipe of this user's session. The running copy's thread
// waits for each later copy and hands its message to the UI thread, which answers.
std::wstring PipeName() {
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  return L"\\\\.\\pipe\\Tapwright.Copies." + std::to_wstring(session);
}

struct Heard {
  std::string message;
  HANDLE pipe;
};

// A later copy waiting for its answer, and what to do should it give up first.
struct Asker {
  HANDLE pipe = INVALID_HANDLE_VALUE;
  bool answered = false;
  std::function<void()> gone;
};

struct CopyChannel {
  std::mutex lock;
  std::deque<Heard> heard;  // taken by the UI thread
  CopyMessageHandler handler;
  bool listening = false;
  // On the UI thread: the askers still waiting, looked at now and then to see whether they gave
  // up (a pipe whose other end closed says so at once).
  std::vector<std::shared_ptr<Asker>> waiting;
  TimerId watch_timer = 0;
};

CopyChannel& Channel() {
  static CopyChannel channel;
  return channel;
}

bool WriteAll(HANDLE pipe, const std::string& data) {
  for (size_t sent = 0; sent < data.size();) {
    DWORD n = 0;
    if (!WriteFile(pipe, data.data() + sent, static_cast<DWORD>(data.size() - sent), &n, nullptr) ||
        n == 0)
      return false;
    sent += n;
  }
  return true;
}

void TakeHeard();

void ServeCopies() {
  const std::wstring name = PipeName();
  for (bool first = true;; first = false) {
    // The first instance proves the name ours: a pipe of that name made earlier by another
    // program would make this call fail.
    HANDLE pipe = CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
        PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return;
    if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) {
      CloseHandle(pipe);
      continue;
    }
    std::string received, message;
    copies::Frame frame = copies::Frame::Incomplete;
    char buffer[4096];
    DWORD n = 0;
    while (frame == copies::Frame::Incomplete &&
           ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) {
      received.append(buffer, n);
      frame = copies::Unframe(received, message);
    }
    if (frame != copies::Frame::Whole) {
      DisconnectNamedPipe(pipe);
      CloseHandle(pipe);
      continue;
    }
    // At once, so that the sender knows the copy runs; the outcome may be a playback away.
    WriteAll(pipe, std::string(1, copies::kTaken));
    CopyChannel& c = Channel();
    {
      std::lock_guard<std::mutex> hold(c.lock);
      c.heard.push_back({std::move(message), pipe});
    }
    win32::RunOnUiThread(TakeHeard);
  }
}

void Answer(Asker& asker, const std::string& answer) {
  if (std::exchange(asker.answered, true)) return;
  WriteAll(asker.pipe, answer);
  FlushFileBuffers(asker.pipe);
  DisconnectNamedPipe(asker.pipe);
  CloseHandle(asker.pipe);
}

void WatchAskers() {
  CopyChannel& c = Channel();
  const std::vector<std::shared_ptr<Asker>> waiting = c.waiting;
  for (const std::shared_ptr<Asker>& a : waiting) {
    if (a->answered || PeekNamedPipe(a->pipe, nullptr, 0, nullptr, nullptr, nullptr)) continue;
    if (const std::function<void()> gone = std::exchange(a->gone, nullptr)) gone();
    if (!std::exchange(a->answered, true)) {
      DisconnectNamedPipe(a->pipe);
      CloseHandle(a->pipe);
    }
  }
  std::erase_if(c.waiting, [](const std::shared_ptr<Asker>& a) { return a->answered; });
  if (c.waiting.empty()) StopTimer(std::exchange(c.watch_timer, 0));
}

void TakeHeard() {
  CopyChannel& c = Channel();
  for (;;) {
    Heard h;
    {
      std::lock_guard<std::mutex> hold(c.lock);
      if (c.heard.empty()) return;
      h = std::move(c.heard.front());
      c.heard.pop_front();
    }
    auto asker = std::make_shared<Asker>();
    asker->pipe = h.pipe;
    std::function<void()> gone =
        c.handler(h.message, [asker](const std::string& answer) { Answer(*asker, answer); });
    if (asker->answered) continue;
    asker->gone = std::move(gone);
    c.waiting.push_back(asker);
    if (c.watch_timer == 0) c.watch_timer = StartTimer(250, WatchAskers);
  }
}

// Ctrl+C, Ctrl+Break or the closing of the console the program attached to: it ends its own way,
// as for a close request to its first window (a replay lets go of what it holds first). Without
// a window yet there is nothing to let go of, and the system's ending will do.
BOOL WINAPI EndRequested(DWORD event) {
  const HWND first = win32::FirstFormWindow();
  if (first == nullptr || !PostMessageW(first, WM_CLOSE, 0, 0)) return FALSE;
  // The system ends the process as soon as this returns from a closing console.
  if (event == CTRL_CLOSE_EVENT) Sleep(INFINITE);
  return TRUE;
}

}  // namespace

bool OnWaylandDesktop() { return false; }

std::string UserLanguageName() {
  char name[256];
  const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name);
  return n > 0 ? std::string(name, static_cast<size_t>(n - 1)) : std::string();
}

void TakeEndRequests() { SetConsoleCtrlHandler(EndRequested, TRUE); }

bool AnotherInstanceRunning() {
  // The mutex is never closed: it marks this process as the running copy until it ends.
  static const bool running = [] {
    HANDLE m = CreateMutexW(nullptr, FALSE, L"Local\\Tapwright.SingleInstance");
    return m != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  }();
  return running;
}

std::optional<std::string> SendToRunningCopy(const std::string& message) {
  const std::wstring name = PipeName();
  HANDLE pipe = INVALID_HANDLE_VALUE;
  // The running copy may be starting still, or busy with another copy's message.
  for (int tries = 0; tries < 100 && pipe == INVALID_HANDLE_VALUE; ++tries) {
    pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    if (pipe == INVALID_HANDLE_VALUE && !WaitNamedPipeW(name.c_str(), 100)) Sleep(50);
  }
  if (pipe == INVALID_HANDLE_VALUE) return std::nullopt;
  if (!WriteAll(pipe, copies::Framed(message))) {
    CloseHandle(pipe);
    return std::nullopt;
  }
  // The copy takes the message at once, unless it is stopped or gone; the answer may then wait
  // for a whole playback, and ends where the pipe does.
  DWORD available = 0;
  for (int waited_ms = 0; waited_ms < 5000; waited_ms += 20) {
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available > 0) break;
    Sleep(20);
  }
  std::string answer;
  char buffer[512];
  DWORD n = 0;
  if (available > 0)
    while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) answer.append(buffer, n);
  CloseHandle(pipe);
  if (!answer.empty() && answer[0] == copies::kTaken) answer.erase(0, 1);
  if (answer.empty()) return std::nullopt;
  return answer;
}

void ListenToLaterCopies(CopyMessageHandler heard) {
  CopyChannel& c = Channel();
  if (std::exchange(c.listening, true)) return;
  c.handler = std::move(heard);
  win32::RunOnUiThread([] {});  // the UI thread's own window takes the calls
  std::thread(ServeCopies).detach();
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  const std::wstring wide = win32::Widen(path);
  const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
  if (written == 0 || written >= n) return path;
  full.resize(written);
  return win32::Narrow(full);
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

std::string AppFolder() {
  std::wstring path = ModulePath();
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  return win32::Narrow(std::wstring_view(path).substr(0, slash));
}

std::string RecordingsFolder() { return AppFolder(); }

std::string SettingsPath() {
  wchar_t folder[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
    return "";
  return win32::Narrow(folder) + "\\Tapwright\\tapwright.ini";
}

void RunInBackground(std::function<void()> work) {
  std::thread([work = std::move(work)] {
    // Below the UI thread, so that on a busy machine the window and the timers go first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    work();
  }).detach();
}

}  // namespace platform
