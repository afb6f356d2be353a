#include "ui/opacity.h"

#include <algorithm>
#include <cmath>

#include "platform/display.h"
#include "ui/form.h"

namespace ui {

std::uint8_t AlphaForPercent(std::uint8_t percent) {
  // 8-bit alpha cannot hold more than full opacity.
  const double alpha = std::min<int>(percent, 100) * 255.0 / 100.0;
  return static_cast<std::uint8_t>(std::nearbyint(alpha));  // default rounding: half to even
}

void SetOpacityPercent(Form& window, std::uint8_t percent) {
  platform::SetOpacity(window.Handle(), AlphaForPercent(percent));
}

}  // namespace ui
