#include "window/about_window.h"

#include <string>

#include "model/version.h"
#include "platform/display.h"
#include "platform/geometry.h"
#include "ui/pictures.h"

namespace window {

AboutWindow::AboutWindow() : ui::Form("Tapwright", 4245, 2550, ui::kBlack, /*task_bar=*/false) {
  picture = &ui::pictures::AboutPicture(ui::TwipsToPixelsX(4245), ui::TwipsToPixelsY(2550));
  hand = true;
  version_.Move(2520, 2280, 1455, 255);
  version_.SetForeColor(ui::kDarkGrey);
  version_.alignment = platform::TextAlign::Right;
  version_.hand = true;
  version_.on_click = [this] { Unload(); };
  Add(version_);
  version_.SetCaption("v" + model::VersionText());
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  Move(screen.left + (screen.width - Width()) / 2, screen.top + (screen.height - Height()) / 2);
}

}  // namespace window
