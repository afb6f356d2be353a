// The window's place while idle: where the user drags it by its title row, kept in the settings,
// and back there after each recording or playback.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "window/main_window.h"

namespace window {
namespace {

// A press that moves less than this is a click (twips: 4 pixels at 96 DPI).
constexpr int kDragSlack = 60;

}  // namespace

platform::Point MainWindow::HomeSize() const {
  return {ui::TwipsToPixelsX(Width()), ui::TwipsToPixelsY(collapsed_height_)};
}

void MainWindow::MoveHome() {
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  const platform::Rect monitor = platform::PrimaryMonitor();
  const auto [x, y] = engine_.settings.StripPlace();
  // A place the primary monitor does not hold whole (it became smaller) is not kept.
  if (x >= 0 && y >= 0 && x + HomeSize().x <= monitor.width && y + HomeSize().y <= monitor.height)
    return Move(screen.left + ui::PixelsToTwipsX(x), screen.top + ui::PixelsToTwipsY(y));
  Move(screen.left, screen.top);
}

void MainWindow::OnBackgroundDown(int button, int, int x, int y) {
  if (y < status_strip_.frame.Top()) DragDown(button, {x, y});
}

void MainWindow::OnBackgroundUp(int, int, int, int) { DragUp(); }

void MainWindow::DragDown(int button, platform::Point at) {
  drag_pressed_ = button == 1 && engine_.session.GetState() == engine::State::Idle;
  dragged_ = false;
  drag_window_ = {Left(), Top()};
  // Where the press was, not where the pointer is by the time it is heard of.
  drag_cursor_ = {drag_window_.x + at.x, drag_window_.y + at.y};
}

void MainWindow::DragMove(int buttons) {
  if (!drag_pressed_ || (buttons & 1) == 0) return;
  const platform::Point at = ui::CursorTwips();
  const int dx = at.x - drag_cursor_.x, dy = at.y - drag_cursor_.y;
  if (!dragged_ && std::abs(dx) < kDragSlack && std::abs(dy) < kDragSlack) return;
  dragged_ = true;
  drag_to_ = {drag_window_.x + dx, drag_window_.y + dy};
  Move(drag_to_.x, drag_to_.y);
}

void MainWindow::DragUp() {
  if (!std::exchange(drag_pressed_, false) || !dragged_) return;
  // Where the drag put it (not what the window system reports back meanwhile), kept in pixels
  // from the primary monitor's corner, all of it on that monitor, so that a scale that changes
  // keeps the place.
  const platform::Rect monitor = platform::PrimaryMonitor();
  const int x = ui::TwipsToPixelsX(drag_to_.x) - monitor.left;
  const int y = ui::TwipsToPixelsY(drag_to_.y) - monitor.top;
  engine_.settings.SetStripPlace({std::clamp(x, 0, std::max(0, monitor.width - HomeSize().x)),
                                  std::clamp(y, 0, std::max(0, monitor.height - HomeSize().y))});
  MoveHome();
}

}  // namespace window
