// The single timer: plays the recording at a set time of day.
#include "ui/form1.h"

namespace tapwright {

// Only the disarming half exists so far: nothing arms the scheduler yet.
void Form1::ToggleSchedule(bool closePanel) {
  if (!ScheduleArmed) return;
  ScheduleArmed = false;
  ImTempo[1].SetVisible(false);
  if (closePanel) ImTempo_Click(0);
  tmrAuto.SetEnabled(false);
}

}  // namespace tapwright
