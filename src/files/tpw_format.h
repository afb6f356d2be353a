// The recording file: text, one sample a line, "x,y,code" and CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/recording.h"

namespace tpw {

// The lines of samples 1 to UBound(); element 0 is not written.
std::string Format(const engine::Recording& r);

// The samples of a file's text. Values are signed 32-bit decimals separated by commas or line
// breaks, three to a sample. nullopt when any value is malformed or the last sample is short.
std::optional<engine::Recording> Parse(std::string_view text);

}  // namespace tpw
