// The key poller: every 100 ms it turns the global key state into commands, records the mouse
// buttons during a recording and keeps the window on top.
#include "hotkeys/modgeneral_topmost.h"
#include "ui/form1.h"

namespace tapwright {

void Form1::tmrKeys_Timer() {
  using namespace platform;
  if (ScheduleArmed) {
    if (keys_.Pressed(VK_ESCAPE)) {
      if (ImMenu[1].Visible()) TogglePlayback();
      ToggleSchedule(false);
    }
    return;
  }
  // Each test sees the state the earlier ones left.
  if (keys_.Pressed(VK_F8)) ToggleRecording();
  if (keys_.Pressed(VK_F10)) TogglePlayback();
  if (keys_.Pressed(VK_ESCAPE)) {
    if (IsRecording) {
      ToggleRecording();
    } else if (ImMenu[1].Visible()) {
      TogglePlayback();
    }
  }
  const bool load = keys_.Pressed(VK_F5);
  if (LBInfo.Caption() == "Stop" && load) LoadRecording("");
  const bool save = keys_.Pressed(VK_F6);
  if (LBInfo.Caption() == "Stop" && save) SaveRecording();
  // Buttons are sampled at every poll: a button held across polls gives a sample each time.
  if (IsRecording) {
    if (GetAsyncKeyState(VK_LBUTTON) != 0) AddSample(engine::kLeft);
    if (GetAsyncKeyState(VK_MBUTTON) != 0) AddSample(engine::kMiddle);
    if (GetAsyncKeyState(VK_RBUTTON) != 0) AddSample(engine::kRight);
  }
  modGeneral::SetTopmost(hWnd(), -1);
}

}  // namespace tapwright
