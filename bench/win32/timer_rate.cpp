// How often a 1 ms timer of the Win32 backend really ticks, next to what SetTimer gives for the
// same request. Run it under Wine or on Windows: timer_rate [SECONDS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/loop.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kPi = 3.14159265358979323846;

struct Stats {
  double per_second = 0, median = 0, p99 = 0, longest = 0;
  double spread = 0;  // ms between the 10th and 90th percentiles of the ticks' place in the grid
};

Stats Summarise(std::vector<Clock::time_point> at, double seconds, Clock::time_point grid) {
  Stats s;
  s.per_second = at.size() / seconds;
  // A replay shows each sample from its tick to the next, so the spread of the ticks around their
  // millisecond grid is its jitter. The grid's phase is the ticks' own (mean on the circle).
  std::vector<double> phase;
  double sin_sum = 0, cos_sum = 0;
  for (const Clock::time_point t : at) {
    const double ms = std::chrono::duration<double, std::milli>(t - grid).count();
    phase.push_back(ms - std::floor(ms));
    sin_sum += std::sin(2 * kPi * phase.back());
    cos_sum += std::cos(2 * kPi * phase.back());
  }
  if (!phase.empty()) {
    const double mean = std::atan2(sin_sum, cos_sum) / (2 * kPi);
    std::vector<double> off;
    for (const double p : phase) off.push_back(p - mean - std::round(p - mean));
    std::sort(off.begin(), off.end());
    s.spread = off[off.size() * 9 / 10] - off[off.size() / 10];
  }
  std::vector<double> gaps;
  for (size_t i = 1; i < at.size(); ++i)
    gaps.push_back(std::chrono::duration<double, std::milli>(at[i] - at[i - 1]).count());
  if (gaps.empty()) return s;
  std::sort(gaps.begin(), gaps.end());
  s.median = gaps[gaps.size() / 2];
  s.p99 = gaps[gaps.size() * 99 / 100];
  s.longest = gaps.back();
  return s;
}

void Print(const char* name, const Stats& s, bool grid) {
  std::printf("%-28s %7.0f ticks/s   interval median %.2f ms, p99 %.2f ms, longest %.2f ms\n", name,
              s.per_second, s.median, s.p99, s.longest);
  if (grid)
    std::printf("%-28s %7s           spread around the millisecond grid (p10-p90) %.2f ms\n", "",
                "", s.spread);
}

void RunLoopFor(double seconds) {
  auto end = Clock::now() + std::chrono::duration<double>(seconds);
  MSG msg;
  while (Clock::now() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

std::vector<Clock::time_point>* set_timer_ticks = nullptr;
void CALLBACK OnSetTimer(HWND, UINT, UINT_PTR, DWORD) { set_timer_ticks->push_back(Clock::now()); }

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  if (seconds <= 0) seconds = 3.0;

  std::vector<Clock::time_point> ours;
  ours.reserve(static_cast<size_t>(seconds * 2000));
  const Clock::time_point grid = Clock::now();
  platform::TimerId id = platform::StartTimer(1, [&] { ours.push_back(Clock::now()); });
  RunLoopFor(seconds);
  platform::StopTimer(id);
  Print("StartTimer(1)", Summarise(ours, seconds, grid), true);

  std::vector<Clock::time_point> classic;
  set_timer_ticks = &classic;
  UINT_PTR t = SetTimer(nullptr, 0, 1, OnSetTimer);
  RunLoopFor(seconds);
  KillTimer(nullptr, t);
  Print("SetTimer(1), for comparison", Summarise(classic, seconds, grid), false);
  return 0;
}
