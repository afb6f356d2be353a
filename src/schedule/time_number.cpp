#include "schedule/time_number.h"

#include <cstdio>

namespace schedule {

std::int32_t TimeNumber(const platform::TimeOfDay& t) {
  return t.hour * 10000 + t.minute * 100 + t.second;
}

std::int32_t SetTimeNumber(const std::string& hours, const std::string& minutes) {
  // The fields hold only the two-digit numbers the program wrote.
  return std::stoi(hours + minutes) * 100;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace schedule
