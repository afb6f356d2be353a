// The looks of a recording: at each press, the screen around the pointer as it was just before
// it (never the application's answer to the press) and the window pressed in. While the pointer
// rests, where a press is about to come, a picture a little larger than a look is kept fresh
// around it, and a press takes its look from the latest one read before it. A moving pointer is
// not followed: reading the screen then would hold back the path's own samples (under Wine a
// read every 20 ms took a recorded path from 0.3 to 3 px RMS), and a press made on the move
// reads the screen at once.
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
  // The pointer rests when it stays within kMargin of a point for kRestUs; resting, the picture
  // around it is read again every kEveryUs, and holds a whole look as long as it stays there.
  static constexpr std::int64_t kRestUs = 20'000;
  static constexpr std::int64_t kEveryUs = 50'000;
  static constexpr int kMargin = 8;

  void Reset();
  // At each tick of a recording, with the pointer and the moment.
  void Watch(platform::Point pointer, std::int64_t now_us);
  // The look of a press at `at` that happened at time_us, on sample `sample`, from `screen` when
  // the press brought it (a look's square); none where the screen cannot be read or shows mostly
  // this program's own windows.
  std::optional<model::Look> Take(std::int32_t sample, platform::Point at, std::int64_t time_us,
                                  const std::vector<std::uint32_t>& screen = {});

 private:
  struct Shot {
    std::int64_t time_us = -1;  // -1: none
    platform::Rect area;
    std::vector<std::uint32_t> pixels;
  };
  std::array<Shot, 4> shots_;  // the latest few, so that one read before the press is there
  std::size_t next_ = 0;
  std::int64_t last_us_ = -1;  // when the picture was read last; -1: not since the pointer moved
  platform::Point rest_at_;    // where the pointer rests, or went last
  std::int64_t rest_since_us_ = -1;
};

// The screen's look around p now, in a look's square.
bool LookAround(platform::Point p, std::vector<std::uint32_t>& pixels);

}  // namespace engine
