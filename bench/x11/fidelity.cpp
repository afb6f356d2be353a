// Replay fidelity, measured from outside the recorder: a known pointer path with three clicks,
// driven with XTest at 1 kHz, and a probe that samples the pointer at 2 kHz while a recorder
// plays it back. run_fidelity_bench.sh runs the whole comparison.
//
//   fidelity start                    puts the pointer at the path's first point
//   fidelity drive LOG                drives the path, logging each move as it was made
//   fidelity probe SECONDS LOG        a window over the path that counts the clicks it gets;
//                                     samples the pointer into LOG meanwhile
//   fidelity analyze LOG DRIVE_LOG    pace and position error of one replay against the moves
//                                     the driver made
//   fidelity span LOG                 milliseconds from the first to the last move in LOG
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kPathMs = 3000;
constexpr double kClicksAt[] = {800, 1600, 2400};
constexpr double kClickHoldMs = 20;
constexpr double kPi = 3.14159265358979323846;

struct Point {
  int x, y;
  bool operator==(const Point&) const = default;
};

// Smooth, fast (up to 1.3 px a millisecond) and never still, so every millisecond counts.
void Path(double ms, double& x, double& y) {
  x = 640 + 300 * std::sin(2 * kPi * ms / 1500);
  y = 512 + 200 * std::sin(2 * kPi * ms / 1000 + 0.5);
}

Point PathPoint(double ms) {
  double x, y;
  Path(ms, x, y);
  return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

std::int64_t NowUs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

void SleepUntilUs(std::int64_t us) {
  timespec ts{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
}

Display* Open() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "no display\n");
    std::exit(2);
  }
  return d;
}

void MoveTo(Display* d, Point p) {
  XTestFakeMotionEvent(d, DefaultScreen(d), p.x, p.y, CurrentTime);
  XFlush(d);
}

int Start() {
  Display* d = Open();
  MoveTo(d, PathPoint(0));
  XCloseDisplay(d);
  return 0;
}

int Drive(const char* log_path) {
  Display* d = Open();
  FILE* log = std::fopen(log_path, "w");
  if (!log) return 2;
  const std::int64_t start = NowUs();
  size_t next_click = 0;
  bool held = false;
  double released_at = 0;
  for (std::int64_t k = 1;; ++k) {
    SleepUntilUs(start + k * 1000);
    const std::int64_t t = NowUs() - start;
    const double ms = std::min(kPathMs, static_cast<double>(t) / 1000);
    const Point p = PathPoint(ms);
    MoveTo(d, p);
    std::fprintf(log, "%lld %d %d\n", static_cast<long long>(t), p.x, p.y);
    if (!held && next_click < std::size(kClicksAt) && ms >= kClicksAt[next_click]) {
      XTestFakeButtonEvent(d, 1, True, CurrentTime);
      held = true;
      released_at = kClicksAt[next_click++] + kClickHoldMs;
    } else if (held && ms >= released_at) {
      XTestFakeButtonEvent(d, 1, False, CurrentTime);
      held = false;
    }
    XFlush(d);
    if (ms >= kPathMs) break;
  }
  XCloseDisplay(d);
  std::fclose(log);
  return 0;
}

int Probe(double seconds, const char* log_path) {
  Display* d = Open();
  // Over the whole path, clear of the recorder's strip in the top-left corner.
  XSetWindowAttributes a{};
  a.override_redirect = True;
  a.background_pixel = 0x303030;
  a.event_mask = ButtonPressMask;
  Window w =
      XCreateWindow(d, DefaultRootWindow(d), 300, 280, 680, 460, 0, CopyFromParent, InputOutput,
                    CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &a);
  XMapRaised(d, w);
  XSync(d, False);
  FILE* log = std::fopen(log_path, "w");
  if (!log) return 2;
  std::printf("ready\n");
  std::fflush(stdout);
  int clicks = 0;
  const std::int64_t start = NowUs();
  const std::int64_t end = start + static_cast<std::int64_t>(seconds * 1e6);
  for (std::int64_t k = 1; start + k * 500 < end; ++k) {
    SleepUntilUs(start + k * 500);
    Window root, child;
    int x, y, wx, wy;
    unsigned mask;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
    std::fprintf(log, "%lld %d %d\n", static_cast<long long>(NowUs() - start), x, y);
    while (XPending(d) > 0) {
      XEvent ev;
      XNextEvent(d, &ev);
      if (ev.type == ButtonPress) ++clicks;
    }
  }
  std::fclose(log);
  XCloseDisplay(d);
  std::printf("clicks %d\n", clicks);
  return 0;
}

struct Reading {
  std::int64_t us;
  Point p;
};

std::vector<Reading> ReadLog(const char* path) {
  std::vector<Reading> r;
  FILE* log = std::fopen(path, "r");
  if (!log) return r;
  long long us;
  int x, y;
  while (std::fscanf(log, "%lld %d %d", &us, &x, &y) == 3) r.push_back({us, {x, y}});
  std::fclose(log);
  return r;
}

// Where the driver had put the pointer at `us`.
Point DrivenAt(const std::vector<Reading>& drive, double us) {
  auto it = std::upper_bound(drive.begin(), drive.end(), us, [](double t, const Reading& m) {
    return t < static_cast<double>(m.us);
  });
  return it == drive.begin() ? PathPoint(0) : std::prev(it)->p;
}

// Finds the replayed path in the probe's log by its first move away from the first point, and
// compares it with where the driver had the pointer at the same elapsed time.
int Analyze(const char* log_path, const char* drive_path) {
  const std::vector<Reading> r = ReadLog(log_path), drive = ReadLog(drive_path);
  if (drive.size() < 2) {
    std::printf("no drive log\n");
    return 1;
  }
  const Point start = PathPoint(0);
  size_t i = 0;
  while (i < r.size() && !(r[i].p == start)) ++i;
  while (i < r.size() && r[i].p == start) ++i;
  if (i >= r.size()) {
    std::printf("the path never started\n");
    return 1;
  }
  size_t last_change = i;
  for (size_t j = i + 1; j < r.size(); ++j)
    if (!(r[j].p == r[j - 1].p)) last_change = j;
  const std::int64_t t0 = r[i].us, t1 = r[last_change].us;
  const std::int64_t first_us = drive.front().us, last_us = drive.back().us;
  // Finding the start by the first move can be off by a sample or two of either log, and a
  // recorder may lag the pointer throughout: the best offset within 50 ms is taken and shown.
  std::vector<double> errors;
  double best_rms = 1e9, best_offset = 0;
  for (double offset = -50; offset <= 50; offset += 0.1) {
    std::vector<double> e;
    double sum = 0;
    for (size_t j = i; j <= last_change; ++j) {
      const Point p = DrivenAt(drive, static_cast<double>(r[j].us - t0 + first_us) + offset * 1000);
      e.push_back(std::hypot(r[j].p.x - p.x, r[j].p.y - p.y));
      sum += e.back() * e.back();
    }
    const double rms = std::sqrt(sum / static_cast<double>(e.size()));
    if (rms < best_rms) best_rms = rms, best_offset = offset, errors = std::move(e);
  }
  int updates = 0;
  for (size_t j = i + 1; j <= last_change; ++j) updates += !(r[j].p == r[j - 1].p);
  std::sort(errors.begin(), errors.end());
  const double replay_ms = static_cast<double>(t1 - t0) / 1000;
  const double path_ms = static_cast<double>(last_us - first_us) / 1000;
  const auto at = [&](double q) { return errors[static_cast<size_t>(q * (errors.size() - 1))]; };
  std::printf(
      "length %.0f ms of %.0f ms  pace %.4f  rms %.2f px  p95 %.2f  p99 %.2f  max %.2f px (at "
      "%+.2f ms)  %.0f updates/s\n",
      replay_ms, path_ms, replay_ms / path_ms, best_rms, at(0.95), at(0.99), errors.back(),
      best_offset, updates / (replay_ms / 1000));
  return 0;
}

int Span(const char* log_path) {
  const std::vector<Reading> r = ReadLog(log_path);
  std::int64_t first = -1, last = -1;
  for (size_t j = 1; j < r.size(); ++j) {
    if (r[j].p == r[j - 1].p) continue;
    if (first < 0) first = r[j].us;
    last = r[j].us;
  }
  if (first < 0) {
    std::printf("nothing moved\n");
    return 1;
  }
  std::printf("%.1f ms\n", static_cast<double>(last - first) / 1000);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "start") return Start();
  if (cmd == "drive" && argc == 3) return Drive(argv[2]);
  if (cmd == "probe" && argc == 4) return Probe(std::atof(argv[2]), argv[3]);
  if (cmd == "analyze" && argc == 4) return Analyze(argv[2], argv[3]);
  if (cmd == "span" && argc == 3) return Span(argv[2]);
  std::fprintf(stderr, "usage: see the top of fidelity.cpp\n");
  return 2;
}
