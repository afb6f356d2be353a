// Points and rectangles in screen pixels.
#pragma once

#include <cstdint>

namespace platform {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
};

}  // namespace platform
