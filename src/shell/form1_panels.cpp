// The four panels: one at a time opens in place of the status strip and the window grows to
// show it. A panel is open exactly when its top is the status strip's top.
#include "shell/form1.h"

namespace tapwright {
namespace {

constexpr int kParkedTop = 5000;

}  // namespace

void Form1::ClosePanels() {
  for (ui::Frame* p : {&FrInfo, &FrTempo, &frOptions, &frSec}) p->SetTop(kParkedTop);
  SetHeight(CollapsedHeight);
}

void Form1::TogglePanel(ui::Frame& panel, std::initializer_list<ui::Frame*> others) {
  if (panel.Top() != FrControl.Top()) {
    panel.SetTop(FrControl.Top());
    SetHeight(panel.Height() + panel.Top() + 20);
  } else {
    panel.SetTop(kParkedTop);
    SetHeight(CollapsedHeight);
  }
  for (ui::Frame* p : others) p->SetTop(kParkedTop);
}

void Form1::ImInfo_Click() { TogglePanel(FrInfo, {&FrTempo, &frOptions, &frSec}); }

void Form1::ImOp_Click() { TogglePanel(frOptions, {&FrTempo, &FrInfo, &frSec}); }

void Form1::ImSec_Click(int /*index*/) {
  if (ScheduleArmed) return;
  TogglePanel(frSec, {&FrInfo, &frOptions, &FrTempo});
}

void Form1::ImTempo_Click(int /*index*/) {
  if (SequenceOn) return;
  TogglePanel(FrTempo, {&FrInfo, &frOptions, &frSec});
}

}  // namespace tapwright
