// The process and its environment: language, end requests, one running copy and the channel to
// it, the time of day, the program's folders.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// ---------------------------------------------------------------------------------------------
// Process and environment.

// The English name of the user's language as the system gives it ("Spanish"); "" when it
// cannot tell.
std::string UserLanguageName();
// A Wayland desktop, where the program runs through XWayland and reaches only X11 applications.
bool OnWaylandDesktop();

// The exit code of a program that has no display to work on, or lost it.
inline constexpr int kExitNoDisplay = 6;

// Called first, before any thread starts: Ctrl+C, a logout or a kill then reach the message
// loop as a close request, whichever thread the system would have given them to.
void TakeEndRequests();

// True when another copy of the program already runs. Made before any window exists; the
// answer holds for the life of the process.
bool AnotherInstanceRunning();
// The channel between copies: a later copy hands the running one a message and waits for its
// answer, however long that takes once the copy has taken the message; nullopt when no copy took
// it within a few seconds (none runs, or it is stopped). Asked to end meanwhile (Ctrl+C), the
// later copy tells the running one it gave up, and waits a moment more for the answer to that.
std::optional<std::string> SendToRunningCopy(const std::string& message);
// In the running copy: `heard` runs on the UI thread with each message of a later copy and the
// function that answers it, once, at once or later. It returns what to do should the later copy
// give up before its answer (it was stopped, or it ended), or nothing.
using CopyAnswer = std::function<void(const std::string& answer)>;
using CopyMessageHandler =
    std::function<std::function<void()>(const std::string& message, const CopyAnswer& answer)>;
void ListenToLaterCopies(CopyMessageHandler heard);
// The path from the current folder when it is relative, so that another process finds it too.
std::string AbsolutePath(const std::string& path);

struct TimeOfDay {
  int hour = 0;  // 0-23, local time
  int minute = 0;
  int second = 0;
};
TimeOfDay LocalTimeOfDay();

// Local wall-clock time: seconds since 1970-01-01 00:00 in local time. It steps with the clock
// (a correction, summer time, a change by hand), which the one-second timers must notice.
std::int64_t LocalClockSeconds();

// Folder of the program's executable, without a trailing separator.
std::string AppFolder();
// Where the file dialogs start before the user has chosen a file: the home folder (Linux), the
// program's folder (Windows, where the program lives in a folder of its own).
std::string RecordingsFolder();
// The settings file: $XDG_CONFIG_HOME/tapwright/tapwright.conf (else ~/.config/...) on Linux,
// %APPDATA%\Tapwright\tapwright.ini on Windows; "" where there is none.
std::string SettingsPath();

}  // namespace platform
