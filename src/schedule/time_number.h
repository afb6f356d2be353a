// Times of day as the timers compare them: h * 10000 + m * 100 + s.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace schedule {

std::int32_t TimeNumber(const platform::TimeOfDay& t);

// The number of a time set in two fields, at second 00: "14" and "30" give 143000.
std::int32_t SetTimeNumber(const std::string& hours, const std::string& minutes);

// Two digits at least, with a leading zero: 7 gives "07".
std::string TwoDigits(int value);

}  // namespace schedule
