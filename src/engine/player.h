// The player: on every tick, the sample due at the playback's own clock, so the replay keeps the
// recording's pace however its timer ticks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/input.h"
#include "engine/play_file_job.h"
#include "model/options.h"
#include "model/recording.h"
#include "platform/geometry.h"
#include "platform/timer.h"

namespace engine {

class Player {
 public:
  // A tick later than this after the sample it should play is a stall, not a slow loop.
  static constexpr std::int64_t kStallUs = 100'000;
  // While the screen does not look as it did at a press, it is looked at again this often.
  static constexpr std::int64_t kLookAgainUs = 30'000;

  // ended: a playback reached the end without repeat and stopped; wrapped: with repeat it starts
  // over; not_found: waiting for the screen, it stopped at that sample's press. A key in `hotkeys`
  // is never sent: it would stop the replay.
  // It plays at the pace `pace` gives.
  Player(const model::Recording& recording, const model::Options& options, const PlayFileJob& pace,
         const HotkeySet& hotkeys, std::function<void()> ended, std::function<void()> wrapped,
         std::function<void(std::int32_t sample)> not_found = nullptr);

  bool Playing() const { return player_timer_.Running(); }
  // Plays on from where the last playback stopped.
  void Start();
  // Stops and lets go of every button and key the replay holds.
  void Stop();
  // The next playback starts from the first sample.
  void Rewind() {
    position_ = 0;
    shift_ = {};
  }
  // Waiting for the screen to look as it did at a press.
  bool Waiting() const { return waiting_; }
  // A playback goes on from where it is at the speed now set (idle, the next start sets it).
  void SpeedChanged();
  void ReleaseHeld() { held_.Release(); }
  // How many samples the playback has played, from the first; kept across a stop.
  std::int32_t Position() const { return position_; }

 private:
  void Tick();
  // The look of the first sample from `first` up to (not including) end that has one, when the
  // replay waits for the screen.
  const model::Look* NextLook(std::int32_t first, std::int32_t end) const;
  // At the press of sample position_: looks, presses when the screen is as it was, else waits
  // on or gives up.
  void Wait(std::int64_t now);
  // Plays sample `due` (counted from 1), the one due now, in full.
  void PlayDue(std::int32_t due);
  // How far the look's place moved: none while the screen shows it nowhere the replay looks.
  std::optional<platform::Point> FindLook(const model::Look& look, platform::Point at) const;
  // Milliseconds of the recording the playback has reached since it started or wrapped.
  std::int64_t PlayedMs() const;
  // Samples first up to (not including) end.
  void PassOver(std::int32_t first, std::int32_t end);
  // Puts the cursor on the sample, lets pending messages run once, then sends its buttons, wheel
  // and keys there.
  void PlaySample(const model::Sample& s);
  void SendInput(std::int32_t code);

  const model::Recording& recording_;
  const model::Options& options_;
  const PlayFileJob& pace_;
  const HotkeySet& hotkeys_;
  std::function<void()> ended_;
  std::function<void()> wrapped_;
  std::function<void(std::int32_t)> not_found_;
  std::int32_t position_ = 0;
  // Every sample plays this far from where it was recorded: its window moved. Set at a press
  // found in a window that moved, for that window's presses and the moves after them.
  platform::Point shift_;
  model::Look shift_window_;  // whose window the shift follows (its pictures not kept)
  bool waiting_ = false;
  std::int64_t wait_started_us_ = 0;
  std::int64_t looked_us_ = 0;
  // The playback's clock: base_ + (now - start_us_) x speed_ samples are due.
  std::int64_t start_us_ = 0;
  std::int32_t base_ = 0;
  double speed_ = 1.0;
  Held held_;  // buttons and keys the replay pressed and has not released
  WheelSender wheel_;
  platform::Timer player_timer_;
};

}  // namespace engine
