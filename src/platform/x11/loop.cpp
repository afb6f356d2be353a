// The message loop: X events, timers on CLOCK_MONOTONIC deadlines, idle repaints.
#include "platform/loop.h"

#include <poll.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <map>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "platform/process.h"
#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

Nanos Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<Nanos>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// Runs each timer that is due once. A timer whose tick is still running further up the stack
// (its handler yielded to a nested loop) is left alone.
void RunDueTimers() {
  std::vector<std::pair<TimerId, std::shared_ptr<Timer>>> due;
  Nanos now = Now();
  for (auto& [id, t] : State().timers)
    if (!t->running && t->next <= now) due.emplace_back(id, t);
  for (auto& [id, t] : due) {
    if (State().timers.count(id) == 0 || t->running) continue;  // stopped by an earlier tick
    now = Now();
    if (t->next > now) continue;
    // Skip to the first grid point after now: a late loop gets one tick, not a burst.
    t->next += ((now - t->next) / t->interval + 1) * t->interval;
    t->running = true;
    std::function<void()> tick = t->tick;  // the handler may stop or restart its own timer
    tick();
    t->running = false;
  }
}

Nanos NextDeadline() {
  Nanos next = -1;
  for (auto& [id, t] : State().timers)
    if (!t->running && (next < 0 || t->next < next)) next = t->next;
  return next;
}

// Handles the events that are there now; those that handlers cause wait for the next round, so
// that a stream of events cannot hold the timers up.
void HandlePendingEvents() {
  Display* d = Dpy();
  // A handler's own RunPendingEvents may take some of them first: never wait here for more.
  for (int budget = XEventsQueued(d, QueuedAfterFlush);
       budget > 0 && XEventsQueued(d, QueuedAlready) > 0; --budget) {
    XEvent ev;
    XNextEvent(d, &ev);
    DispatchEvent(ev);
  }
}

void HandleEndRequest() {
  signalfd_siginfo info;
  if (read(EndRequestFd(), &info, sizeof info) != sizeof info) return;
  const auto windows = AllWindows();
  if (!windows.empty() && windows.front()->listener) windows.front()->listener->OnCloseRequest();
  EndProgram(0);  // nobody took it
}

// Waits, and gives the watched descriptors that became readable.
std::vector<int> WaitForWork() {
  Display* d = Dpy();
  XFlush(d);
  if (XPending(d) > 0) return {};
  // ppoll skips a negative descriptor.
  std::vector<pollfd> fds = {{EndRequestFd(), POLLIN, 0},
                             {ConnectionNumber(d), POLLIN, 0},
                             {KeyWatchFd(), POLLIN, 0},
                             {State().extra_fd, POLLIN, 0}};
  const size_t fixed = fds.size();
  for (const auto& [fd, readable] : State().watched_fds) fds.push_back({fd, POLLIN, 0});
  Nanos deadline = NextDeadline();
  timespec timeout{};
  timespec* timeout_ptr = nullptr;
  if (deadline >= 0) {
    Nanos wait = std::max<Nanos>(0, deadline - Now());
    timeout.tv_sec = wait / 1'000'000'000;
    timeout.tv_nsec = wait % 1'000'000'000;
    timeout_ptr = &timeout;
  }
  ppoll(fds.data(), fds.size(), timeout_ptr, nullptr);
  if (fds[0].revents & POLLIN) HandleEndRequest();
  std::vector<int> ready;
  for (size_t i = fixed; i < fds.size(); ++i)
    if (fds[i].revents != 0) ready.push_back(fds[i].fd);
  return ready;
}

void RunWatched(const std::vector<int>& ready) {
  for (const int fd : ready) {
    const auto it = State().watched_fds.find(fd);
    if (it == State().watched_fds.end()) continue;  // an earlier one let it go
    const std::function<void()> readable = it->second;
    readable();
  }
}

}  // namespace

// Asked to end from outside (Ctrl+C in a terminal, a logout), the program ends its own way, as
// for a close request to its first window: a replay lets go of the buttons it holds first.
int EndRequestFd() {
  static const int kEndRequestFd = [] {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, sig);
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
    const int made = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (made < 0) pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    return made;
  }();
  return kEndRequestFd;
}

// One round of the loop; `block` waits for an event or the next timer first.
void LoopOnce(bool block) {
  static const bool kSlackSet = [] {
    // The default 50 us of slack would make every 1 ms wake-up late by that much.
    prctl(PR_SET_TIMERSLACK, 1000ul, 0, 0, 0);
    return true;
  }();
  (void)kSlackSet;
  OpenKeyWatch();
  const std::vector<int> ready = block && State().soon.empty() ? WaitForWork() : std::vector<int>{};
  DrainKeyEvents();
  TellHotkeyChange();
  RunWatched(ready);
  HandlePendingEvents();
  RunDueTimers();
  // Only what was asked before this round: what these ask runs in the next.
  for (const auto& fn : std::exchange(State().soon, {})) fn();
  // Each look at the connection is a system call or two: none while nothing waits to be drawn.
  if (AnyWindowDirty() && XPending(Dpy()) == 0) PaintDirtyWindows();
  if (!block) XFlush(Dpy());  // else the wait to come sends what is queued
}

}  // namespace platform::x11

namespace platform {
using namespace platform::x11;

TimerId StartTimer(int interval_ms, std::function<void()> tick) {
  if (!tick) return 0;
  auto t = std::make_shared<Timer>();
  t->interval = static_cast<Nanos>(std::max(1, interval_ms)) * 1'000'000;
  t->next = Now() + t->interval;
  t->tick = std::move(tick);
  TimerId id = State().next_timer++;
  State().timers[id] = std::move(t);
  return id;
}

void StopTimer(TimerId id) { State().timers.erase(id); }

std::int64_t MonotonicMicros() { return Now() / 1000; }

void x11::SetExtraWakeFd(int fd) { State().extra_fd = fd; }

void x11::WatchFd(int fd, std::function<void()> readable) {
  State().watched_fds[fd] = std::move(readable);
}

void x11::UnwatchFd(int fd) { State().watched_fds.erase(fd); }

void RunSoon(std::function<void()> fn) { State().soon.push_back(std::move(fn)); }

void RunPendingEvents() { LoopOnce(false); }

int RunMessageLoop() {
  Dpy();
  for (;;) LoopOnce(true);
  return 0;
}

void RunModal(WindowHandle w, WindowHandle owner) {
  auto modal = FindWindow(w);
  if (!modal) return;
  auto owner_state = FindWindow(owner);
  if (owner_state) {
    ++owner_state->input_blocked;
    XSetTransientForHint(Dpy(), modal->xid, owner_state->xid);
  }
  ShowWindow(w, true);
  while (FindWindow(w)) LoopOnce(true);
  if (owner_state) --owner_state->input_blocked;
}

void TakeEndRequests() { EndRequestFd(); }

void EndProgram(int exit_code) {
  if (State().chooser > 0) kill(State().chooser, SIGTERM);
  std::fflush(stdout);
  std::fflush(stderr);
  if (Display* d = OpenedDisplay()) XCloseDisplay(d);
  // No destructors or exit handlers: the program ends at once, as on Windows.
  _exit(exit_code);
}

}  // namespace platform
