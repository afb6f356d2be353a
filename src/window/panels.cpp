// The four panels: one at a time opens in place of the status strip and the window grows to
// show it. While busy, the window hops from corner to corner out of the pointer's way.
#include <utility>

#include "platform/geometry.h"
#include "window/main_window.h"

namespace window {
namespace {

constexpr int kParkedTop = 5000;

}  // namespace

void MainWindow::ClosePanels() {
  open_panel_ = Panel::None;
  PlacePanels();
}

void MainWindow::TogglePanel(Panel panel) {
  open_panel_ = open_panel_ == panel ? Panel::None : panel;
  PlacePanels();
}

void MainWindow::PlacePanels() {
  const std::pair<Panel, PanelControls*> panels[] = {{Panel::Hotkeys, &hotkey_panel_},
                                                     {Panel::Options, &options_panel_},
                                                     {Panel::Timer, &timer_panel_},
                                                     {Panel::Sequence, &sequence_panel_}};
  const int open_top = status_strip_.frame.Top();
  int height = collapsed_height_;
  for (const auto& [panel, controls] : panels) {
    const bool open = panel == open_panel_;
    controls->frame.SetTop(open ? open_top : kParkedTop);
    if (open) height = controls->frame.Height() + open_top + 20;
  }
  SetHeight(height);
}

void MainWindow::ToggleSequencePanel() {
  if (engine_.single_timer.Armed()) return;
  TogglePanel(Panel::Sequence);
}

void MainWindow::ToggleTimerPanel() {
  if (engine_.sequence.On()) return;
  TogglePanel(Panel::Timer);
}

void MainWindow::OnBackgroundMove(int buttons, int, int, int) {
  if (engine_.session.GetState() == engine::State::Idle) return DragMove(buttons);
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  const int left = screen.left, right = screen.left + screen.width - Width();
  const int top = screen.top, bottom = screen.top + screen.height - Height() - 500;
  // Compared in whole pixels, as a hop places the window, so a hop's corner is always recognised.
  if (StandsAt(left, top)) {
    SetLeft(right);
  } else if (StandsAt(right, top)) {
    SetTop(bottom);
  } else if (StandsAt(right, bottom)) {
    SetLeft(left);
  } else {
    Move(left, top);
  }
}

}  // namespace window
