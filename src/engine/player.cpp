// The player: one sample per 1 ms tick, at the pace the sampler recorded them.
#include "engine/modgeneral_play.h"
#include "ui/form1.h"

namespace modGeneral {

void PlaySample(std::int32_t x, std::int32_t y, std::int32_t code) {
  using namespace platform;
  SetCursorPos(x, y);
  DoEvents();
  std::uint32_t down = 0, up = 0;
  switch (code) {
    case engine::kLeft:
      down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
      break;
    case engine::kRight:
      down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
      break;
    case engine::kMiddle:
      down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
      break;
    default:
      return;
  }
  mouse_event(down, 0, 0, 0, 0);
  mouse_event(up, 0, 0, 0, 0);
}

}  // namespace modGeneral

namespace tapwright {

void Form1::tmrPLAY_Timer() {
  ++PlayPosition;
  if (PlayPosition > CurrentRecording.UBound()) {
    PlayPosition = 0;
    if (!ImRepetir[1].Visible()) {
      tmrPLAY.SetEnabled(false);
      ShowIdle();
      Move(0, 0);
      return;
    }
    RestartChronometer();
  }
  if (PlayPosition != 0) {
    // A copy: the recording may be replaced while the sample plays.
    const engine::Sample s = CurrentRecording[PlayPosition];
    modGeneral::PlaySample(s.x, s.y, s.code);
  }
}

void Form1::ImRepetir_Click(int /*index*/) {
  if (ScheduleArmed) return;
  ImRepetir[1].SetVisible(!ImRepetir[1].Visible());
  FrFinalizar.SetVisible(ImRepetir[1].Visible());
}

}  // namespace tapwright
