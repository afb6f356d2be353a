#pragma once

#include <string>

#include "model/time_of_day.h"

namespace model {

// One entry of the sequence: a recording file and the time of day it plays at.
struct SequenceEntry {
  std::string path;
  HourMinute start;  // 12:00 for a new entry
};

}  // namespace model
