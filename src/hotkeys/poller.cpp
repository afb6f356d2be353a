// The key poller: every 100 ms it turns the global key state into commands and keeps the window
// on top.
#include "hotkeys/modgeneral_topmost.h"
#include "shell/form1.h"

namespace tapwright {

void Form1::tmrKeys_Timer() {
  using namespace platform;
  // Every key is read at every poll, so a press made while it may not act is spent, not kept
  // for later.
  const bool rec = keys_.Pressed(vk::kF8), play = keys_.Pressed(vk::kF10);
  const bool esc = keys_.Pressed(vk::kEscape);
  if (ScheduleArmed) {
    keys_.Pressed(vk::kF5);
    keys_.Pressed(vk::kF6);
    if (esc) {
      if (ImMenu[1].Visible()) TogglePlayback();
      ToggleSchedule(false);
    }
    return;
  }
  // Each test sees the state the earlier ones left.
  if (rec) ToggleRecording();
  if (play) TogglePlayback();
  if (esc) {
    if (IsRecording) {
      ToggleRecording();
    } else if (ImMenu[1].Visible()) {
      TogglePlayback();
    }
  }
  const bool load = keys_.Pressed(vk::kF5);
  if (LBInfo.Caption() == "Stop" && load) LoadRecording("");
  const bool save = keys_.Pressed(vk::kF6);
  if (LBInfo.Caption() == "Stop" && save) SaveRecording();
  modGeneral::SetTopmost(hWnd(), -1);
}

}  // namespace tapwright
