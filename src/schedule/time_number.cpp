#include "schedule/time_number.h"

#include <cstdio>

namespace schedule {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace schedule
