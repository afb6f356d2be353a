// The short confirmation under the state word after a save or a load, for about six seconds.
#include "shell/form1.h"
#include "shell/modlang.h"

namespace tapwright {

void Form1::ShowStatus(const std::string& kind, const std::string& name) {
  ShowStatusLine(modLang::LangText(kind == "s" ? 9 : 8, LanguageName) + name, ui::kGrey);
}

void Form1::ShowStatusFailed(const std::string& kind, const std::string& name) {
  ShowStatusLine(modLang::FailedText(kind == "s", LanguageName) + name, ui::kLightRed);
}

void Form1::ShowStatusLine(const std::string& text, ui::Color color) {
  StatusText = text;
  LBMsg.SetCaption(StatusText);
  LBMsg.SetForeColor(color);
  LBMsg.FitCaption();  // a file's name is longer than the design caption
  LBMsg.SetVisible(true);
  StatusTicks = 0;
  tmrInfo.SetEnabled(true);
}

void Form1::tmrInfo_Timer() {
  if (StatusTicks == 5) {
    StatusTicks = 0;
    tmrInfo.SetEnabled(false);
    LBMsg.SetVisible(false);
    LBMsg.SetForeColor(ui::kGrey);
  } else {
    ++StatusTicks;
  }
}

}  // namespace tapwright
