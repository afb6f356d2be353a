#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace modGeneral {

// Puts the window on top of the topmost group when topmost is exactly true (-1); any other value
// takes it out of that group.
void SetTopmost(platform::WindowHandle window, std::int16_t topmost);

}  // namespace modGeneral
