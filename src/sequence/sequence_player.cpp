// The sequence player: loads and plays each entry of the list at its time, in list order.
#include "schedule/time_number.h"
#include "ui/form1.h"

namespace tapwright {

void Form1::ImSecOnOff_Click() {
  if (Lista.ListCount() == 0 || ScheduleArmed) return;
  SequenceOn = !SequenceOn;
  SequencePos = 0;
  tmrSec.SetEnabled(SequenceOn);
  ImSec[1].SetVisible(SequenceOn);
  ImSec_Click(0);
}

void Form1::tmrSec_Timer() {
  const std::int32_t now = schedule::TimeNumber(platform::LocalTimeOfDay());
  const bool valid =
      SequencePos >= 0 && SequencePos < static_cast<std::int32_t>(SequenceItems.size());
  if (SequenceOn && valid && !ItemPlaying &&
      SequenceItems[static_cast<size_t>(SequencePos)].StartTime * 100 == now) {
    ItemPlaying = true;
    LoadRecording(SequenceItems[static_cast<size_t>(SequencePos)].Path);
    TogglePlayback();
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
