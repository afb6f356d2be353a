// The two-digit time fields: a press steps once at release, a hold steps ten times a second
// from the fifth tick on.
#include <climits>

#include "window/main_window.h"
#include "window/two_digits.h"

namespace window {

void MainWindow::ShowTimeFields() {
  const engine::SingleTimer& timer = session_.GetSingleTimer();
  const model::HourMinute times[] = {timer.StartTime(), timer.EndTime(), entry_time_};
  for (int row = 0; row < 3; ++row) {
    // Hours are fields 0, 1 and 4; their minutes 2, 3 and 5.
    const int hour = row < 2 ? row : 4, minute = row < 2 ? row + 2 : 5;
    time_fields_[hour].SetCaption(TwoDigits(times[row].hour));
    time_fields_[minute].SetCaption(TwoDigits(times[row].minute));
  }
}

void MainWindow::StepTimeField(int index, int button) {
  const int delta = button == 1 ? 1 : -1;
  const bool hour = index == 0 || index == 1 || index == 4;
  const auto step = [&](model::HourMinute t) {
    return hour ? model::StepHour(t, delta) : model::StepMinute(t, delta);
  };
  engine::SingleTimer& timer = session_.GetSingleTimer();
  if (index == 0 || index == 2) {
    timer.SetStartTime(step(timer.StartTime()));
  } else if (index == 1 || index == 3) {
    timer.SetEndTime(step(timer.EndTime()));
  } else {
    entry_time_ = step(entry_time_);
  }
  ShowTimeFields();
  Refresh();  // visible while the button is still held
}

void MainWindow::TimeFieldDown(int index, int button) {
  held_field_ = index;
  held_button_ = button;
  step_timer_.Start();
}

void MainWindow::StepHeldField() {
  // Only reaching 5 matters; the count stops short of overflowing on an hour-long hold.
  if (held_ticks_ < INT_MAX) ++held_ticks_;
  if (held_ticks_ >= 5) StepTimeField(held_field_, held_button_);
}

void MainWindow::TimeFieldUp(int index) {
  step_timer_.Stop();
  held_ticks_ = 0;
  StepTimeField(held_field_, held_button_);
  // Right after an add no line is selected: the time then belongs to no entry.
  if (index >= 4 && sequence_list_.Selected() >= 0)
    session_.GetSequence().SetStartTime(sequence_list_.Selected(), entry_time_);
}

}  // namespace window
