// The four panels: one at a time opens in place of the status strip and the window grows to
// show it. A panel is open exactly when its top is the status strip's top. While busy, the
// window hops from corner to corner out of the pointer's way.
#include "window/main_window.h"

namespace window {
namespace {

constexpr int kParkedTop = 5000;

}  // namespace

void MainWindow::ClosePanels() {
  for (ui::Frame* p : {&hotkey_panel_, &timer_panel_, &options_panel_, &sequence_panel_})
    p->SetTop(kParkedTop);
  SetHeight(collapsed_height_);
}

void MainWindow::TogglePanel(ui::Frame& panel, std::initializer_list<ui::Frame*> others) {
  if (panel.Top() != status_strip_.Top()) {
    panel.SetTop(status_strip_.Top());
    SetHeight(panel.Height() + panel.Top() + 20);
  } else {
    panel.SetTop(kParkedTop);
    SetHeight(collapsed_height_);
  }
  for (ui::Frame* p : others) p->SetTop(kParkedTop);
}

void MainWindow::ToggleSequencePanel() {
  if (session_.GetSingleTimer().Armed()) return;
  TogglePanel(sequence_panel_, {&hotkey_panel_, &options_panel_, &timer_panel_});
}

void MainWindow::ToggleTimerPanel() {
  if (session_.GetSequence().On()) return;
  TogglePanel(timer_panel_, {&hotkey_panel_, &options_panel_, &sequence_panel_});
}

void MainWindow::OnBackgroundMove(int, int, int, int) {
  if (session_.GetState() == engine::State::Idle) return;
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

void MainWindow::MoveHome() {
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  Move(screen.left, screen.top);
}

}  // namespace window
