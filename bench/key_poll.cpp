// What one poll of the keyboard costs the sampler while a recording takes the keys: the watch's
// reading of every recordable key, on whichever backend this is linked with. key_poll [POLLS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/watches.h"

int main(int argc, char** argv) {
  const int polls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  const engine::HotkeySet hotkeys;
  engine::KeyboardWatch watch(hotkeys);
  watch.Start();
  std::vector<double> us;
  us.reserve(static_cast<size_t>(polls));
  for (int i = 0; i < polls; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    watch.Poll();
    us.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(us.begin(), us.end());
  std::printf("keyboard poll: median %.1f us, 99th percentile %.1f us (%d polls)\n",
              us[us.size() / 2], us[us.size() * 99 / 100], polls);
}
