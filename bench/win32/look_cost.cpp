// What waiting for the screen costs the Windows build: a picture around the pointer (as recording
// reads one every 20 ms), the window at a point (a press's look) and every window (following a
// moved one), each timed over many calls. Run it under Wine or on Windows: look_cost [CALLS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/screen.h"

namespace {

using Clock = std::chrono::steady_clock;

void Time(const char* what, int calls, const std::function<void(int)>& call, const char* goal) {
  std::vector<double> ms;
  for (int i = 0; i < calls; ++i) {
    const auto start = Clock::now();
    call(i);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (const double m : ms) sum += m;
  std::printf("%-44s mean %6.3f ms  p99 %6.3f ms   (goal: %s)\n", what, sum / calls,
              ms[static_cast<std::size_t>(0.99 * (calls - 1))], goal);
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
  std::vector<std::uint32_t> pixels;
  platform::TopWindow window;
  Time(
      "a picture 48 x 48 around the pointer", calls,
      [&](int i) {
        platform::CaptureScreen({100 + i % 200, 100 + i % 150, 48, 48}, pixels);
      },
      "a look under 1 ms");
  Time(
      "the window at a point", calls,
      [&](int i) {
        platform::TopWindowAt({150 + i % 200, 150 + i % 150}, window);
      },
      "with the picture, under 1 ms");
  Time(
      "a check: a picture 32 x 32", calls,
      [&](int i) {
        platform::CaptureScreen({100 + i % 200, 100 + i % 150, 32, 32}, pixels);
      },
      "under 2 ms");
  Time(
      "every window (a moved one found)", calls / 5, [&](int) { platform::TopWindows(); },
      "under 2 ms");
  return 0;
}
