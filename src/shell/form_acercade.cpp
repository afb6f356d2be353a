#include "shell/form_acercade.h"

#include "ui/pictures.h"

namespace tapwright {

FormAcercade::FormAcercade() : ui::Form("Tapwright", 4245, 2550, ui::kBlack, /*task_bar=*/false) {
  picture = &ui::pictures::AboutPicture(ui::TwipsToPixelsX(4245), ui::TwipsToPixelsY(2550));
  hand = true;
  LBVer.name = "LBVer";
  LBVer.Move(2520, 2280, 1455, 255);
  LBVer.SetCaption("versión");
  LBVer.SetForeColor(ui::kDarkGrey);
  LBVer.alignment = platform::TextAlign::Right;
  LBVer.hand = true;
  LBVer.Click = [this] { Unload(); };
  Add(LBVer);
}

void FormAcercade::Form_Load() {
  const platform::Version v = platform::AppVersion();
  LBVer.SetCaption("v" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                   std::to_string(v.revision));
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  Move(screen.left + (screen.width - Width()) / 2, screen.top + (screen.height - Height()) / 2);
}

}  // namespace tapwright
