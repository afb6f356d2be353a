// The sequence player: loads and plays each entry of the list at its time, in list order.
#include "model/due_watch.h"
#include "shell/form1.h"

namespace tapwright {

void Form1::ImSecOnOff_Click() {
  if (Lista.ListCount() == 0 || ScheduleArmed) return;
  SequenceOn = !SequenceOn;
  SequencePos = 0;
  SequenceWatch.Start(platform::LocalClockSeconds());
  tmrSec.SetEnabled(SequenceOn);
  ImSec[1].SetVisible(SequenceOn);
  ImSec_Click(0);
}

void Form1::tmrSec_Timer() {
  SequenceWatch.Take(platform::LocalClockSeconds());
  const bool valid =
      SequencePos >= 0 && SequencePos < static_cast<std::int32_t>(SequenceItems.size());
  if (SequenceOn && valid && !ItemPlaying &&
      SequenceWatch.IsDue(
          schedule::DueSecond(SequenceItems[static_cast<size_t>(SequencePos)].StartTime))) {
    ItemPlaying = true;
    // An entry whose file does not load is passed over, not played with another's recording.
    if (LoadRecording(SequenceItems[static_cast<size_t>(SequencePos)].Path)) TogglePlayback();
    ++SequencePos;
    if (SequencePos > static_cast<std::int32_t>(SequenceItems.size()) - 1) {
      if (!ImRepetir[1].Visible()) {
        tmrSec.SetEnabled(false);
        SequenceOn = false;
        ImSec[1].SetVisible(false);
      }
      SequencePos = 0;
    }
  }
  ItemPlaying = ItemPlaying && tmrPLAY.Enabled();
}

}  // namespace tapwright
