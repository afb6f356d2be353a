// Rec/Play: the two toggles that switch the engine between idle, recording and playing, the state
// display and the chronometer.
#include <cstdint>
#include <cstdio>

#include "engine/buttons.h"
#include "shell/form1.h"

namespace tapwright {

void Form1::ToggleRecording() {
  if (tmrPLAY.Enabled()) return;
  ClosePanels();
  IsRecording = !IsRecording;
  if (IsRecording) {
    record_start_ = platform::MonotonicMicros();
    record_origin_ = {};
    platform::CursorPosition(record_origin_);
    buttons_.Start();
    if (RecordKeyboard) keyboard_.Start();
    TmrRaton.SetEnabled(true);
    LBInfo.SetCaption("Rec");
    LBInfo.SetForeColor(ui::kLightRed);
    ShowStateIcon(0);
    SampleCount = 0;
    CurrentRecording = engine::Recording();
    PlayPosition = 0;
    LBTempo.SetCaption("00m 00s");
    LBTempo.SetForeColor(ui::kLightRed);
    RestartChronometer();
    if (SimulateClicks) ShowClickIndicator();
  } else {
    FinishRecording();
    CloseClickIndicator();
    ShowIdle();
  }
}

void Form1::TogglePlayback() {
  ClosePanels();
  if (!tmrPLAY.Enabled() && CurrentRecording.UBound() == 0) {
    // Nothing to play: the engine stays idle (a recording that had no millisecond yet ends).
    if (IsRecording) ToggleRecording();
    return;
  }
  tmrPLAY.SetEnabled(!tmrPLAY.Enabled());
  if (!tmrPLAY.Enabled()) {
    SampleCount = 0;
    replay_held_.Release();
    ShowIdle();
  } else {
    if (IsRecording) FinishRecording();
    play_start_ = platform::MonotonicMicros();
    play_base_ = PlayPosition;
    play_speed_ = engine::kSpeeds[SpeedStep];
    LBInfo.SetCaption("Play");
    LBInfo.SetForeColor(ui::kLightBlue);
    ShowStateIcon(1);
    LBTempo.SetCaption("00m 00s");
    LBTempo.SetForeColor(ui::kLightBlue);
    RestartChronometer();
  }
}

void Form1::FinishRecording() {
  IsRecording = false;
  // Idle, the sampler costs nothing.
  TmrRaton.SetEnabled(false);
  engine::JoinClicks(CurrentRecording);
}

void Form1::ShowIdle() {
  LBInfo.SetCaption("Stop");
  LBInfo.SetForeColor(ui::kLightBlue);
  LBTempo.SetForeColor(ui::kLightBlue);
  ShowStateIcon(2);
  TmrCrono.SetEnabled(false);
  MoveHome();
}

void Form1::ShowStateIcon(std::int16_t index) {
  const int lowest = 0, highest = static_cast<int>(ImMenu.size()) - 1;
  if (index < lowest || index > highest) return;
  for (int i = lowest; i <= highest; ++i) ImMenu[i].SetVisible(i == index);
}

void Form1::RestartChronometer() {
  TmrCrono.SetEnabled(false);
  ElapsedMinutes = 0;
  ElapsedSeconds = 0;
  TmrCrono.SetEnabled(true);
}

void Form1::TmrCrono_Timer() {
  // The count stops at its largest value (some 22 days) rather than wrapping to a negative one.
  if (ElapsedMinutes == INT16_MAX && ElapsedSeconds == 59) return;
  if (++ElapsedSeconds == 60) {
    ElapsedSeconds = 0;
    ++ElapsedMinutes;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%02dm %02ds ", ElapsedMinutes, ElapsedSeconds);
  LBTempo.SetCaption(text);
}

}  // namespace tapwright
