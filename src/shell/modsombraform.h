#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace modSombraForm {

// Gives the window's class a drop shadow when on is exactly true (-1); any other value takes it
// away again.
void SetDropShadow(platform::WindowHandle window, std::int16_t on);

}  // namespace modSombraForm
