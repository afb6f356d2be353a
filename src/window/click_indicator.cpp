#include "window/click_indicator.h"

#include "platform/geometry.h"
#include "ui/opacity.h"

namespace window {

ClickIndicator::ClickIndicator()
    : ui::Form("Tapwright", 300, 300, ui::kLightRed, /*task_bar=*/false) {
  ui::SetOpacityPercent(*this, 50);
}

void ClickIndicator::CentreOnCursor() {
  const platform::Point p = ui::CursorTwips();
  // The square's height serves both axes, so the cursor lands on its centre.
  const int h = Height();
  Move(p.x - h / 2, p.y - h / 2);
}

// It flashes light blue while a button is down on it.
void ClickIndicator::OnBackgroundDown(int, int, int, int) { SetBackColor(ui::kLightBlue); }
void ClickIndicator::OnBackgroundUp(int, int, int, int) { SetBackColor(ui::kLightRed); }
void ClickIndicator::OnBackgroundDoubleClick() { SetBackColor(ui::kLightBlue); }

}  // namespace window
