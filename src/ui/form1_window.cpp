// Start-up, resizing and closing of the main window.
#include "engine/modtrans.h"
#include "ui/form1.h"
#include "ui/modlang.h"
#include "ui/modsombraform.h"

namespace tapwright {

void Form1::ConnectHandlers() {
  ImCerrar.Click = [this] { ImCerrar_Click(); };
  ImInfo.Click = [this] { ImInfo_Click(); };
  ImOp.Click = [this] { ImOp_Click(); };
  for (int i = 0; i < 2; ++i) {
    ImSec[i].Click = [this, i] { ImSec_Click(i); };
    ImTempo[i].Click = [this, i] { ImTempo_Click(i); };
    ImRepetir[i].Click = [this, i] { ImRepetir_Click(i); };
    ImSimular[i].Click = [this, i] { ImSimular_Click(i); };
  }
  tmrKeys.Tick = [this] { tmrKeys_Timer(); };
  TmrRaton.Tick = [this] { TmrRaton_Timer(); };
  tmrPLAY.Tick = [this] { tmrPLAY_Timer(); };
  TmrCrono.Tick = [this] { TmrCrono_Timer(); };
  tmrInfo.Tick = [this] { tmrInfo_Timer(); };
}

void Form1::Form_Load() {
  LanguageName = modLang::LocaleLanguageName(platform::LOCALE_SENGLANGUAGE);
  ApplyLanguage();
  modSombraForm::SetDropShadow(hWnd(), -1);
  modTrans::SetTransparency(*this, 93);
  CurrentRecording = engine::Recording();
  IsRecording = false;
  CollapsedHeight = FrControl.Height() + FrControl.Top() + 20;
  SetHeight(CollapsedHeight);
  SetLeft(0);
  SetTop(0);
  Shape1.SetHeight(Height());
  Shape1.SetWidth(Width());
}

void Form1::Form_Resize() {
  Shape1.Move(0, 0, Width(), Height());
  const int screen_height = ui::PixelsToTwipsY(platform::ScreenHeightPixels());
  if (Height() + Top() > screen_height) SetTop(screen_height - Height());
}

void Form1::ImCerrar_Click() { platform::EndProgram(0); }

}  // namespace tapwright
