#pragma once

#include <cstdint>

namespace ui {

class Form;

// Draws the form `percent` % opaque.
void SetOpacityPercent(Form& form, std::uint8_t percent);

// The alpha for an opacity in percent, rounded half to even; above 100 counts as 100.
std::uint8_t AlphaForPercent(std::uint8_t percent);

}  // namespace ui
