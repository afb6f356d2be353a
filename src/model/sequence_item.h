#pragma once

#include <cstdint>
#include <string>

namespace sequence {

// One entry of the sequence list: a recording file and the time of day it plays at.
struct SequenceItem {
  std::string Path;
  std::int32_t StartTime = 1200;  // hour * 100 + minute
};

}  // namespace sequence
