// The single timer: plays the recording at a set time of day, once, or repeated until an end
// time.
#include "model/due_watch.h"
#include "shell/form1.h"

namespace tapwright {

void Form1::ToggleSchedule(bool closePanel) {
  if (ScheduleArmed) {
    ScheduleArmed = false;
  } else {
    if (CurrentRecording.UBound() == 0) return;
    if (ImRepetir[1].Visible() && std::stoi(LBHora[0].Caption() + LBHora[2].Caption()) ==
                                      std::stoi(LBHora[1].Caption() + LBHora[3].Caption()))
      return;
    ScheduleArmed = true;
    ScheduleWatch.Start(platform::LocalClockSeconds());
  }
  ImTempo[1].SetVisible(ScheduleArmed);
  if (closePanel) ImTempo_Click(0);
  tmrAuto.SetEnabled(ScheduleArmed);
}

void Form1::tmrAuto_Timer() {
  ScheduleWatch.Take(platform::LocalClockSeconds());
  const std::int32_t start = std::stoi(LBHora[0].Caption() + LBHora[2].Caption());
  const std::int32_t end = std::stoi(LBHora[1].Caption() + LBHora[3].Caption());
  if (!ScheduleArmed) return;
  const bool repeat = ImRepetir[1].Visible();
  if (ScheduleWatch.IsDue(schedule::DueSecond(start))) {
    // The start time means "be playing": a playback already running goes on; a new one plays
    // from the first sample, wherever an earlier one was stopped.
    if (!tmrPLAY.Enabled()) {
      PlayPosition = 0;
      TogglePlayback();
    }
    if (!repeat) ToggleSchedule(false);
  }
  if (ScheduleArmed && ScheduleWatch.IsDue(schedule::DueSecond(end))) {
    // The end time means "be stopped": nothing starts as the timer disarms.
    if (repeat && tmrPLAY.Enabled()) TogglePlayback();
    ToggleSchedule(false);
  }
}

}  // namespace tapwright
