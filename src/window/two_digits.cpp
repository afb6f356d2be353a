#include "window/two_digits.h"

#include <cstdio>

namespace window {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace window
