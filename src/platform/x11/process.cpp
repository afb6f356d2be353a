// Process and environment: locale, single instance, clock, paths, version.
#include "platform/process.h"

#include <poll.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/copy_message.h"
#include "platform/loop.h"
#include "platform/x11/locale_name.h"
#include "platform/x11/single_instance.h"
#include "platform/x11/x11.h"

namespace platform {
namespace {

// The running copy's side of the channel: the socket that holds the name, and the connections of
// later copies whose message is not all there yet.
struct CopyChannel {
  std::string name;
  int holder = -1;
  struct Connection {
    int fd;
    std::string received;
    std::int64_t since_us;
  };
  std::vector<Connection> connections;
  CopyMessageHandler heard;
  bool listening = false;
  TimerId timer = 0;         // gives up silent senders while any is connected
  TimerId resume_timer = 0;  // out of descriptors: takes new connections again a moment later
};

CopyChannel& Channel() {
  static CopyChannel channel;
  return channel;
}

// A sender that says nothing for this long is given up; so is a copy that does not take a
// message in this time.
constexpr std::int64_t kSilentSenderUs = 5'000'000;
// More senders than this at once are hostile or broken: the newest is turned away.
constexpr size_t kMaxConnections = 64;

void SendAll(int fd, std::string_view data) {
  for (size_t sent = 0; sent < data.size();) {
    const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
}

// A later copy that waits for its answer, and what to do should it give up first.
struct Asker {
  int fd = -1;
  bool answered = false;
  std::function<void()> gone;
};

void Answer(const std::shared_ptr<Asker>& asker, const std::string& answer) {
  if (std::exchange(asker->answered, true)) return;
  x11::UnwatchFd(asker->fd);
  SendAll(asker->fd, answer);
  close(asker->fd);
}

// The asker's end closed (or it shut its side): it gave up.
void HearAsker(const std::shared_ptr<Asker>& asker) {
  char buffer[256];
  const ssize_t n = read(asker->fd, buffer, sizeof buffer);
  if (n > 0 || (n < 0 && (errno == EAGAIN || errno == EINTR))) return;
  x11::UnwatchFd(asker->fd);
  if (const std::function<void()> gone = std::exchange(asker->gone, nullptr)) gone();
  if (!std::exchange(asker->answered, true)) close(asker->fd);
}

void Take(int fd, const std::string& message) {
  CopyChannel& c = Channel();
  // At once, so that the sender knows the copy runs; the outcome may be a playback away.
  SendAll(fd, std::string(1, copies::kTaken));
  auto asker = std::make_shared<Asker>();
  asker->fd = fd;
  std::function<void()> gone =
      c.heard(message, [asker](const std::string& answer) { Answer(asker, answer); });
  if (asker->answered) return;
  asker->gone = std::move(gone);
  x11::WatchFd(fd, [asker] { HearAsker(asker); });
}

void PollCopies();

void AcceptCopies() {
  CopyChannel& c = Channel();
  for (;;) {
    const int fd = accept4(c.holder, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      // With no descriptor free the name stays readable: a loop would spin until one is.
      if (errno == EMFILE || errno == ENFILE) {
        x11::UnwatchFd(c.holder);
        if (c.resume_timer == 0)
          c.resume_timer = StartTimer(100, [] {
            StopTimer(std::exchange(Channel().resume_timer, 0));
            x11::WatchFd(Channel().holder, PollCopies);
          });
      }
      return;
    }
    if (c.connections.size() < kMaxConnections && x11::PeerIsUs(fd)) {
      c.connections.push_back({fd, {}, MonotonicMicros()});
      x11::WatchFd(fd, PollCopies);
    } else {
      close(fd);
    }
  }
}

// Takes new connections and what they sent, without waiting on any.
void PollCopies() {
  CopyChannel& c = Channel();
  AcceptCopies();
  for (size_t i = 0; i < c.connections.size();) {
    CopyChannel::Connection& k = c.connections[i];
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(k.fd, buffer, sizeof buffer)) > 0 &&
           k.received.size() <= copies::kMaxMessage + 16)
      k.received.append(buffer, static_cast<size_t>(n));
    std::string message;
    const copies::Frame frame = copies::Unframe(k.received, message);
    const bool ended = n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
    if (frame == copies::Frame::Incomplete && !ended &&
        MonotonicMicros() - k.since_us < kSilentSenderUs) {
      ++i;
      continue;
    }
    const int fd = k.fd;
    x11::UnwatchFd(fd);
    c.connections.erase(c.connections.begin() + static_cast<std::ptrdiff_t>(i));
    if (frame != copies::Frame::Whole) {
      close(fd);
      continue;
    }
    Take(fd, message);
  }
  if (c.connections.empty() != (c.timer == 0)) {
    if (c.timer == 0) {
      c.timer = StartTimer(1000, PollCopies);
    } else {
      StopTimer(std::exchange(c.timer, 0));
    }
  }
}

}  // namespace

std::string UserLanguageName() {
  return x11::EnglishLanguageName(x11::MessagesLocale(std::getenv));
}

bool OnWaylandDesktop() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* session = std::getenv("XDG_SESSION_TYPE");
  return (wayland != nullptr && *wayland != '\0') ||
         (session != nullptr && std::string_view(session) == "wayland");
}

bool AnotherInstanceRunning() {
  static const bool kRunning = [] {
    CopyChannel& c = Channel();
    const char* display = std::getenv("DISPLAY");
    const std::string name = x11::InstanceName(getuid(), display ? display : "");
    c.name = name;
    x11::InstanceClaim claim = x11::ClaimInstanceName(c.name, &c.holder);
    if (claim != x11::InstanceClaim::HeldByStranger) return claim == x11::InstanceClaim::HeldByUs;
    // Another user took the name first: the user's own folder holds one nobody else can take.
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    if (x11::PrivateFolder(folder)) {
      c.name = std::string(folder) + "/" + name + ".socket";
      claim = x11::ClaimInstanceName(c.name, &c.holder);
    }
    std::fprintf(stderr, "tapwright: another user holds the name %s; %s\n", name.c_str(),
                 c.name[0] == '/' ? ("this user's is " + c.name).c_str()
                                  : "this copy runs without looking for another");
    return claim == x11::InstanceClaim::HeldByUs;
  }();
  return kRunning;
}

std::optional<std::string> SendToRunningCopy(const std::string& message) {
  if (!AnotherInstanceRunning()) return std::nullopt;
  const int fd = x11::ConnectToInstance(Channel().name, true);
  if (fd < 0) return std::nullopt;
  SendAll(fd, copies::Framed(message));
  // The copy takes the message at once, unless it is stopped or gone; the answer may then wait
  // for a whole playback. Asked to end meanwhile, this copy shuts its side, which stops that
  // playback, and hears how it ended.
  std::string answer;
  bool taken = false, gave_up = false;
  std::int64_t deadline = MonotonicMicros() + kSilentSenderUs;
  for (;;) {
    pollfd fds[] = {{fd, POLLIN, 0}, {x11::EndRequestFd(), POLLIN, 0}};
    const std::int64_t left_us = deadline - MonotonicMicros();
    const bool waits_for_ever = taken && !gave_up;
    if (!waits_for_ever && left_us <= 0) break;
    const int ready = poll(fds, 2, waits_for_ever ? -1 : static_cast<int>(left_us / 1000 + 1));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    if ((fds[1].revents & POLLIN) != 0) {
      signalfd_siginfo info;
      (void)!read(fds[1].fd, &info, sizeof info);
      if (!std::exchange(gave_up, true)) {
        shutdown(fd, SHUT_WR);
        deadline = MonotonicMicros() + kSilentSenderUs;
      }
    }
    if (fds[0].revents == 0) continue;
    char buffer[512];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    answer.append(buffer, static_cast<size_t>(n));
    if (!taken && answer[0] == copies::kTaken) {
      taken = true;
      answer.erase(0, 1);
    }
  }
  close(fd);
  if (answer.empty()) return std::nullopt;
  return answer;
}

void ListenToLaterCopies(CopyMessageHandler heard) {
  AnotherInstanceRunning();
  CopyChannel& c = Channel();
  if (c.holder < 0 || std::exchange(c.listening, true)) return;
  c.heard = std::move(heard);
  x11::WatchFd(c.holder, PollCopies);
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  std::string folder(4096, '\0');
  while (getcwd(folder.data(), folder.size()) == nullptr) {
    if (errno != ERANGE) return path;
    folder.resize(folder.size() * 2);
  }
  folder.resize(folder.find('\0'));
  return folder + (folder.back() == '/' ? "" : "/") + path;
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

std::string AppFolder() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string RecordingsFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* user = getpwuid(getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

std::string SettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  // A relative value is to be ignored, as the XDG base directory rules say.
  const std::string folder =
      config != nullptr && config[0] == '/' ? config : RecordingsFolder() + "/.config";
  return folder + "/tapwright/tapwright.conf";
}

void RunInBackground(std::function<void()> work) {
  std::thread([work = std::move(work)] {
    // Below the UI thread, so that on a busy machine the window and the timers go first.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + 5);
    work();
  }).detach();
}

}  // namespace platform
