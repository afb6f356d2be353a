// The texts of the time fields.
#pragma once

#include <string>

namespace window {

// Two digits at least, with a leading zero: 7 gives "07".
std::string TwoDigits(int value);

}  // namespace window
