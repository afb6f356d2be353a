// The "Simulate mouse clicks" option and the indicator window that serves it.
#include "engine/form_click.h"
#include "shell/form1.h"

namespace tapwright {

void Form1::ImSimular_Click(int /*index*/) {
  SimulateClicks = !SimulateClicks;
  ImSimular[1].SetVisible(SimulateClicks);
}

void Form1::MoveClickIndicator() {
  platform::Point p{0, 0};
  platform::CursorPosition(p);
  if (!FormClick_) FormClick_.reset(new FormClick());
  // The square's height serves both axes, so the cursor lands on its centre.
  const int h = FormClick_->Height();
  FormClick_->Move(ui::PixelsToTwipsX(p.x) - h / 2, ui::PixelsToTwipsY(p.y) - h / 2);
}

void Form1::ShowClickIndicator() {
  if (!FormClick_) FormClick_.reset(new FormClick());
  FormClick_->Show();
}

void Form1::CloseClickIndicator() { FormClick_.reset(); }

void Form1::CloseFormClick::operator()(FormClick* f) const { delete f; }

}  // namespace tapwright
