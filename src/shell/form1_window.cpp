// Start-up, resizing and closing of the main window.
#include "shell/form1.h"
#include "shell/form_acercade.h"
#include "shell/modlang.h"
#include "shell/modsombraform.h"
#include "ui/modtrans.h"

namespace tapwright {

void Form1::ConnectHandlers() {
  ImCerrar.Click = [this] { ImCerrar_Click(); };
  LBTitulo.Click = [this] { LBTitulo_Click(); };
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
  tmrSec.Tick = [this] { tmrSec_Timer(); };
  tmrAuto.Tick = [this] { tmrAuto_Timer(); };
  tmrPulsador.Tick = [this] { tmrPulsador_Timer(); };
  for (int i = 0; i < static_cast<int>(LBHora.size()); ++i) {
    LBHora[i].MouseDown = [this, i](int button, int, int, int) { LBHora_MouseDown(i, button); };
    LBHora[i].MouseUp = [this, i](int, int, int, int) { LBHora_MouseUp(i); };
  }
  ImTempoOnOff.Click = [this] { ToggleSchedule(true); };
  imAdd.Click = [this] { imAdd_Click(); };
  imDel.Click = [this] { imDel_Click(); };
  Lista.Click = [this] { Lista_Click(); };
  Lista.OLEDragDrop = [this](const platform::DropEvent& e) { Lista_OLEDragDrop(e); };
  FrControl.OLEDragDrop = [this](const platform::DropEvent& e) { FrControl_OLEDragDrop(e); };
  ImSecOnOff.Click = [this] { ImSecOnOff_Click(); };
  ImTeclado[0].Click = [this] { ImTeclado_Click(0); };
  for (ui::Control* c :
       {static_cast<ui::Control*>(&ImVelocidad), static_cast<ui::Control*>(&LBVelocidad)})
    c->MouseDown = [this](int button, int, int, int) { Speed_MouseDown(button); };
}

void Form1::Form_Load() {
  LanguageName = modLang::LocaleLanguageName();
  ApplyLanguage();
  modSombraForm::SetDropShadow(hWnd(), -1);
  modTrans::SetTransparency(*this, 93);
  CurrentRecording = engine::Recording();
  IsRecording = false;
  CollapsedHeight = FrControl.Height() + FrControl.Top() + 20;
  SetHeight(CollapsedHeight);
  MoveHome();
  Shape1.SetHeight(Height());
  Shape1.SetWidth(Width());
}

void Form1::Form_Resize() {
  Shape1.Move(0, 0, Width(), Height());
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  const int screen_bottom = screen.top + screen.height;
  if (Height() + Top() > screen_bottom) SetTop(screen_bottom - Height());
}

void Form1::ImCerrar_Click() {
  replay_held_.Release();
  platform::EndProgram(0);
}

void Form1::LBTitulo_Click() {
  // Created for each showing, destroyed by the click that closes it.
  FormAcercade about;
  about.Form_Load();
  about.ShowModal(*this);
}

void Form1::Form_MouseMove(int, int, int, int) {
  if (!IsRecording && !tmrPLAY.Enabled()) return;
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  const int left = screen.left, right = screen.left + screen.width - Width();
  const int top = screen.top, bottom = screen.top + screen.height - Height() - 500;
  // Compared in whole pixels, as a hop places the window, so a hop's corner is always recognised.
  const auto at_x = [&](int twips) {
    return ui::TwipsToPixelsX(Left()) == ui::TwipsToPixelsX(twips);
  };
  const auto at_y = [&](int twips) {
    return ui::TwipsToPixelsY(Top()) == ui::TwipsToPixelsY(twips);
  };
  if (at_x(left) && at_y(top)) {
    SetLeft(right);
  } else if (at_y(top) && at_x(right)) {
    SetTop(bottom);
  } else if (at_y(bottom) && at_x(right)) {
    SetLeft(left);
  } else {
    MoveHome();
  }
}

void Form1::MoveHome() {
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  Move(screen.left, screen.top);
}

}  // namespace tapwright
