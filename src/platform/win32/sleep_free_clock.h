// A clock that stops while the machine sleeps, made from one that does not (the performance
// counter) and a coarse one that does (the unbiased interrupt time, in steps of up to 16 ms).
// Only jumps well beyond the coarse clock's step count as sleep. Plain arithmetic, so that it is
// tested on every platform.
#pragma once

#include <algorithm>
#include <cstdint>

namespace platform::win32 {

class SleepFreeClock {
 public:
  // How far the counter may run ahead of the coarse clock without having slept: its steps, and a
  // late reading of either.
  static constexpr std::int64_t kJitterMicros = 50'000;

  // Both readings in microseconds, taken together; the answer never goes back.
  std::int64_t Read(std::int64_t counter, std::int64_t coarse) {
    if (!started_) {
      started_ = true;
      offset_ = counter - coarse;
    }
    const std::int64_t ahead = counter - coarse - offset_;
    if (ahead > slept_ + kJitterMicros) slept_ = ahead;
    last_ = std::max(last_, counter - slept_);
    return last_;
  }

 private:
  bool started_ = false;
  std::int64_t offset_ = 0;
  std::int64_t slept_ = 0;
  std::int64_t last_ = INT64_MIN;
};

}  // namespace platform::win32
