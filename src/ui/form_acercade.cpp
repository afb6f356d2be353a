#include "ui/form_acercade.h"

#include "ui/pictures.h"

namespace tapwright {

FormAcercade::FormAcercade() : ui::Form("Tapwright", 4245, 2550, ui::kBlack, /*task_bar=*/false) {
  picture = &ui::pictures::AboutPicture();
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
  const int screen_w = ui::PixelsToTwipsX(platform::ScreenWidthPixels());
  const int screen_h = ui::PixelsToTwipsY(platform::ScreenHeightPixels());
  Move((screen_w - Width()) / 2, (screen_h - Height()) / 2);
}

}  // namespace tapwright
