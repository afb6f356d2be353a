// The player: on every tick, the sample due at the playback's own clock, so the replay keeps the
// recording's pace however its timer ticks.
#include <algorithm>

#include "engine/buttons.h"
#include "engine/modgeneral_play.h"
#include "shell/form1.h"

namespace modGeneral {

void PlaySample(std::int32_t x, std::int32_t y, std::int32_t code) {
  platform::MoveCursor(x, y);
  platform::RunPendingEvents();
  engine::SendButtons(code);
  engine::SendKey(code);
}

}  // namespace modGeneral

namespace tapwright {

void Form1::tmrPLAY_Timer() {
  const std::int32_t u = CurrentRecording.UBound();
  const std::int64_t due = play_base_ + PlayedMs();
  if (due <= PlayPosition) return;
  if (due > u) {
    // The end: what is left is passed over, and the pointer ends where the recording ended.
    PassOver(PlayPosition + 1, u);
    if (PlayPosition < u) platform::MoveCursor(CurrentRecording[u].x, CurrentRecording[u].y);
    PlayPosition = 0;
    if (!ImRepetir[1].Visible()) {
      tmrPLAY.SetEnabled(false);
      replay_held_.Release();
      ShowIdle();
      return;
    }
    // The next pass counts from the moment this one ended; a tick very late does not make
    // the next pass rush to catch up.
    const double pass_us = (static_cast<double>(u) + 1 - play_base_) * 1000 / play_speed_;
    const std::int64_t ended = play_start_ + static_cast<std::int64_t>(pass_us);
    play_start_ = std::max(ended, platform::MonotonicMicros() - 1000);
    play_base_ = 0;
    RestartChronometer();
    return;
  }
  PassOver(PlayPosition + 1, static_cast<std::int32_t>(due) - 1);
  PlayPosition = static_cast<std::int32_t>(due);
  // A copy: the recording may be replaced while the sample plays.
  const engine::Sample s = CurrentRecording[PlayPosition];
  modGeneral::PlaySample(s.x, s.y, s.code);
  replay_held_.Note(s.code);
  // Stopped during the yield: the sample completed, and nothing stays held.
  if (!tmrPLAY.Enabled()) replay_held_.Release();
}

std::int64_t Form1::PlayedMs() const {
  return static_cast<std::int64_t>((platform::MonotonicMicros() - play_start_) * play_speed_ /
                                   1000);
}

void Form1::PassOver(std::int32_t from, std::int32_t to) {
  // Samples a late tick missed are not moved through, but their buttons and keys still act,
  // each where it was recorded.
  for (std::int32_t i = from; i <= to; ++i) {
    const engine::Sample s = CurrentRecording[i];
    if (!engine::PressesOrReleases(s.code)) continue;
    platform::MoveCursor(s.x, s.y);
    engine::SendButtons(s.code);
    engine::SendKey(s.code);
    replay_held_.Note(s.code);
  }
}

void Form1::Speed_MouseDown(int button) {
  const int step = SpeedStep + (button == 1 ? 1 : button == 2 ? -1 : 0);
  if (step < 0 || step >= engine::kSpeedCount) return;
  SpeedStep = static_cast<std::int16_t>(step);
  ShowSpeed();
  // A playback goes on from where it is at the new pace (idle, the next start sets them anew).
  play_base_ = PlayPosition;
  play_start_ = platform::MonotonicMicros();
  play_speed_ = engine::kSpeeds[SpeedStep];
}

void Form1::ImRepetir_Click(int /*index*/) {
  if (ScheduleArmed) return;
  ImRepetir[1].SetVisible(!ImRepetir[1].Visible());
  FrFinalizar.SetVisible(ImRepetir[1].Visible());
}

}  // namespace tapwright
