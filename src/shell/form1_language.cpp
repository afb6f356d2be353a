#include "shell/form1.h"
#include "shell/modlang.h"

namespace tapwright {

void Form1::ApplyLanguage() {
  using modLang::LangText;
  LBTit[0].SetCaption(LangText(10, LanguageName));
  LBTit[1].SetCaption(LangText(5, LanguageName));
  LBTit[2].SetCaption(LangText(0, LanguageName));
  LBTit[3].SetCaption(LangText(6, LanguageName));
  LB[2].SetCaption(LangText(1, LanguageName));
  LB[3].SetCaption(LangText(2, LanguageName));
  for (int i = 0; i < 4; ++i) LBOp[i].SetCaption(LangText(i + 3, LanguageName));
  LBOp[4].SetCaption(modLang::LaterText(modLang::Later::RecordKeyboard, LanguageName));
  ShowKeyboardOption();
  ShowSpeed();
  LBTiempo[0].SetCaption(LangText(7, LanguageName));
  LBTiempo[7].SetCaption(LangText(7, LanguageName));

  // Several Spanish captions are longer than their design labels.
  for (ui::Label* l : {&LBTit[0], &LBTit[1], &LBTit[2], &LBTit[3], &LB[2], &LB[3], &LBOp[0],
                       &LBOp[1], &LBOp[2], &LBOp[3], &LBOp[4], &LBTiempo[0], &LBTiempo[7]}) {
    l->FitCaption();
  }
}

void Form1::ShowKeyboardOption() {
  using modLang::Later;
  LBTeclas.SetCaption(modLang::LaterText(
      RecordKeyboard ? Later::KeysRecorded : Later::KeysNotRecorded, LanguageName));
  ImTeclado[0].Invalidate();
}

void Form1::ShowSpeed() {
  LBVelocidad.SetCaption(modLang::SpeedText(SpeedStep, LanguageName));
  LBVelocidad.FitCaption();
}

}  // namespace tapwright
