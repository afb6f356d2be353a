#pragma once

#include <cstdint>

namespace modGeneral {

// Puts the cursor at (x, y), lets pending messages run once, then clicks the sample's button
// there (down and up at once); codes other than 1, 2 and 4 only move.
void PlaySample(std::int32_t x, std::int32_t y, std::int32_t code);

}  // namespace modGeneral
