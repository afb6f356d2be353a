// How fast a 1 ms timer really ticks on the X11 backend, and how far its ticks stray from the
// grid. Needs a display: with_xvfb.sh starts a private Xvfb.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "frame_count_window.h"
#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"

namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

// Runs a 1 ms timer for `seconds` inside the blocking message loop (a modal loop on a small
// window, which ends when a second timer destroys it); `each_tick` runs inside every tick.
void Measure(const char* name, double seconds, const std::function<void(WindowHandle)>& each_tick) {
  FrameCountWindow listener;
  WindowHandle w = CreateFormWindow({"bench", {0, 0, 178, 66}, 0}, &listener);
  std::vector<double> at;  // ms since the timer started
  at.reserve(static_cast<size_t>(seconds * 1200));
  auto start = Clock::now();
  auto ms = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
  TimerId t = StartTimer(1, [&] {
    at.push_back(ms());
    each_tick(w);
  });
  TimerId stop = StartTimer(static_cast<int>(seconds * 1000), [w] { DestroyWindow(w); });
  RunModal(w, 0);
  StopTimer(t);
  StopTimer(stop);

  std::vector<double> gaps, lateness;
  for (size_t i = 1; i < at.size(); ++i) gaps.push_back(at[i] - at[i - 1]);
  for (double a : at) lateness.push_back(a - static_cast<long>(a));  // past its grid point
  std::printf(
      "%-30s %5.0f ticks/s  interval ms: p50 %.3f p99 %.3f max %.3f  late ms: p50 %.3f "
      "p99 %.3f\n",
      name, at.size() / seconds, Percentile(gaps, 0.5), Percentile(gaps, 0.99),
      gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end()), Percentile(lateness, 0.5),
      Percentile(lateness, 0.99));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  if (seconds <= 0) seconds = 3.0;
  Measure("1 ms timer, idle window", seconds, [](WindowHandle) {});
  Measure("1 ms timer, repaint every tick", seconds, [](WindowHandle w) { InvalidateWindow(w); });
  Point p;
  Measure("1 ms timer, cursor read", seconds, [&p](WindowHandle) { CursorPosition(p); });
  EndProgram(0);
}
