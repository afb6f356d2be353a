// Process and environment: locale, single instance, clock, paths, version.
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "platform/platform.h"
#include "platform/x11/locale_name.h"
#include "platform/x11/single_instance.h"

namespace platform {

std::string UserLanguageName() {
  return x11::EnglishLanguageName(x11::MessagesLocale(std::getenv));
}

bool AnotherInstanceRunning() {
  static const bool kRunning = [] {
    const char* display = std::getenv("DISPLAY");
    return x11::ClaimInstanceName(x11::InstanceName(getuid(), display ? display : "")) ==
           x11::InstanceClaim::HeldByUs;
  }();
  return kRunning;
}

TimeOfDay LocalTimeOfDay() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::int64_t LocalClockSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<std::int64_t>(now) + local.tm_gmtoff;
}

Version AppVersion() {
  return {TAPWRIGHT_VERSION_MAJOR, TAPWRIGHT_VERSION_MINOR, TAPWRIGHT_VERSION_REVISION};
}

std::string AppFolder() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

void RunInBackground(std::function<void()> work) {
  std::thread([work = std::move(work)] {
    // Below the UI thread, so that on a busy machine the window and the timers go first.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + 5);
    work();
  }).detach();
}

}  // namespace platform
