// The looks of a recording: at each press, the screen around the pointer as it was just before
// it (never the application's answer to the press) and the window pressed in. A picture a little
// larger than a look is kept fresh while the pointer moves, and a press takes its look from the
// latest one read before it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/look.h"
#include "platform/geometry.h"

namespace engine {

class LookTaker {
 public:
  // How often the picture around the pointer is read, and how far the pointer may go from where
  // it was read while it still holds a whole look.
  static constexpr std::int64_t kEveryUs = 20'000;
  static constexpr int kMargin = 8;

  void Reset();
  // At each tick of a recording, with the pointer and the moment.
  void Watch(platform::Point pointer, std::int64_t now_us);
  // The look of a press at `at` that happened at time_us, on sample `sample`; none where the
  // screen cannot be read or shows mostly this program's own windows.
  std::optional<model::Look> Take(std::int32_t sample, platform::Point at, std::int64_t time_us);

 private:
  struct Shot {
    std::int64_t time_us = -1;  // -1: none
    platform::Rect area;
    std::vector<std::uint32_t> pixels;
  };
  std::array<Shot, 4> shots_;  // the latest few, so that one read before the press is there
  std::size_t next_ = 0;
  std::int64_t last_us_ = -1;
};

// The screen's look around p now, in a look's square.
bool LookAround(platform::Point p, std::vector<std::uint32_t>& pixels);

}  // namespace engine
