// The player: on every tick, the sample due at the playback's own clock, so the replay keeps the
// recording's pace however its timer ticks.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/input.h"
#include "model/options.h"
#include "model/recording.h"
#include "platform/timer.h"

namespace engine {

class Player {
 public:
  // A tick later than this after the sample it should play is a stall, not a slow loop.
  static constexpr std::int64_t kStallUs = 100'000;

  // ended: a playback reached the end without repeat and stopped; wrapped: with repeat it starts
  // over. A key in `hotkeys` is never sent: it would stop the replay.
  Player(const model::Recording& recording, const model::Options& options, const HotkeySet& hotkeys,
         std::function<void()> ended, std::function<void()> wrapped);

  bool Playing() const { return player_timer_.Running(); }
  // Plays on from where the last playback stopped, at the options' speed.
  void Start();
  // Stops and lets go of every button and key the replay holds.
  void Stop();
  // The next playback starts from the first sample.
  void Rewind() { position_ = 0; }
  // A playback goes on from where it is at the options' speed (idle, the next start sets it).
  void SpeedChanged();
  void ReleaseHeld() { held_.Release(); }
  // How many samples the playback has played, from the first; kept across a stop.
  std::int32_t Position() const { return position_; }

 private:
  void Tick();
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
  const HotkeySet& hotkeys_;
  std::function<void()> ended_;
  std::function<void()> wrapped_;
  std::int32_t position_ = 0;
  // The playback's clock: base_ + (now - start_us_) x speed_ samples are due.
  std::int64_t start_us_ = 0;
  std::int32_t base_ = 0;
  double speed_ = 1.0;
  Held held_;  // buttons and keys the replay pressed and has not released
  WheelSender wheel_;
  platform::Timer player_timer_;
};

}  // namespace engine
