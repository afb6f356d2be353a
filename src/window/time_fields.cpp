// The two-digit time fields: a press steps once at release, a hold steps ten times a second
// from the fifth tick on.
#include <climits>

#include "window/main_window.h"
#include "window/two_digits.h"

namespace window {

namespace {

void ShowTime(TimeRow& row, model::HourMinute t) {
  row.hour.SetCaption(TwoDigits(t.hour));
  row.minute.SetCaption(TwoDigits(t.minute));
}

}  // namespace

void MainWindow::ShowTimeFields() {
  const engine::SingleTimer& timer = engine_.single_timer;
  ShowTime(timer_panel_.start, timer.StartTime());
  ShowTime(timer_panel_.end, timer.EndTime());
  ShowTime(sequence_panel_.entry, entry_time_);
}

void MainWindow::StepTimeField(TimeField field, int button) {
  const int delta = button == 1 ? 1 : -1;
  const auto step = [&](model::HourMinute t) {
    return field.hour ? model::StepHour(t, delta) : model::StepMinute(t, delta);
  };
  engine::SingleTimer& timer = engine_.single_timer;
  switch (field.kind) {
    case TimeKind::TimerStart:
      timer.SetStartTime(step(timer.StartTime()));
      break;
    case TimeKind::TimerEnd:
      timer.SetEndTime(step(timer.EndTime()));
      break;
    case TimeKind::Entry:
      entry_time_ = step(entry_time_);
      break;
  }
  ShowTimeFields();
  Refresh();  // visible while the button is still held
}

void MainWindow::TimeFieldDown(TimeField field, int button) {
  held_field_ = field;
  held_button_ = button;
  step_timer_.Start();
}

void MainWindow::StepHeldField() {
  // Only reaching 5 matters; the count stops short of overflowing on an hour-long hold.
  if (held_ticks_ < INT_MAX) ++held_ticks_;
  if (held_ticks_ >= 5) StepTimeField(held_field_, held_button_);
}

void MainWindow::TimeFieldUp(TimeField field) {
  step_timer_.Stop();
  held_ticks_ = 0;
  StepTimeField(held_field_, held_button_);
  // Right after an add no line is selected: the time then belongs to no entry.
  const int selected = sequence_panel_.list.Selected();
  if (field.kind == TimeKind::Entry && selected >= 0)
    engine_.sequence.SetStartTime(selected, entry_time_);
}

}  // namespace window
