#include "engine/player.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/input.h"
#include "platform/loop.h"

namespace engine {

Player::Player(const model::Recording& recording, const model::Options& options,
               const HotkeySet& hotkeys, std::function<void()> ended, std::function<void()> wrapped)
    : recording_(recording),
      options_(options),
      hotkeys_(hotkeys),
      ended_(std::move(ended)),
      wrapped_(std::move(wrapped)),
      player_timer_(1, [this] { Tick(); }) {}

void Player::Start() {
  player_timer_.Start();
  start_us_ = platform::MonotonicMicros();
  base_ = position_;
  speed_ = options_.SpeedFactor();
  wheel_.Forget();
}

void Player::Stop() {
  player_timer_.Stop();
  held_.Release();
}

void Player::SpeedChanged() {
  base_ = position_;
  start_us_ = platform::MonotonicMicros();
  speed_ = options_.SpeedFactor();
}

void Player::Tick() {
  const auto u = static_cast<std::int32_t>(recording_.size());
  // A tick that comes long after the next sample was due follows a stall (a suspended process,
  // a swapping machine): the playback pauses for it, so overdue clicks never come in a burst.
  const std::int64_t now = platform::MonotonicMicros();
  const auto next_due =
      start_us_ + static_cast<std::int64_t>(
                      std::ceil((static_cast<double>(position_) + 1 - base_) * 1000 / speed_));
  if (now - next_due > kStallUs) start_us_ += now - next_due;
  const std::int64_t due = base_ + PlayedMs();
  if (due <= position_) return;
  if (due > u) {
    // The end: what is left is passed over, and the pointer ends where the recording ended.
    PassOver(position_, u);
    if (position_ < u) platform::MoveCursor(recording_.back().x, recording_.back().y);
    position_ = 0;
    if (!options_.repeat) {
      Stop();
      ended_();
      return;
    }
    // The next pass counts from the moment this one ended; a tick very late does not make
    // the next pass rush to catch up.
    const double pass_us = (static_cast<double>(u) + 1 - base_) * 1000 / speed_;
    const std::int64_t ended = start_us_ + static_cast<std::int64_t>(pass_us);
    start_us_ = std::max(ended, platform::MonotonicMicros() - 1000);
    base_ = 0;
    wrapped_();
    return;
  }
  PassOver(position_, static_cast<std::int32_t>(due) - 1);
  position_ = static_cast<std::int32_t>(due);
  // A copy: the recording may be replaced while the sample plays.
  const model::Sample s = recording_[static_cast<std::size_t>(position_) - 1];
  PlaySample(s);
  held_.Note(s.code, hotkeys_);
  // Stopped during the yield: the sample completed, and nothing stays held.
  if (!Playing()) held_.Release();
}

std::int64_t Player::PlayedMs() const {
  return static_cast<std::int64_t>(static_cast<double>(platform::MonotonicMicros() - start_us_) *
                                   speed_ / 1000);
}

void Player::PassOver(std::int32_t first, std::int32_t end) {
  // Samples a late tick missed are not moved through, but their buttons and keys still act,
  // each where it was recorded.
  for (std::int32_t i = first; i < end; ++i) {
    const model::Sample s = recording_[static_cast<std::size_t>(i)];
    if (!Acts(s.code, hotkeys_)) continue;
    platform::MoveCursor(s.x, s.y);
    SendInput(s.code);
    held_.Note(s.code, hotkeys_);
  }
}

void Player::PlaySample(const model::Sample& s) {
  platform::MoveCursor(s.x, s.y);
  platform::RunPendingEvents();
  SendInput(s.code);
}

void Player::SendInput(std::int32_t code) {
  SendButtons(code);
  wheel_.Send(code);
  SendKey(code, hotkeys_);
}

}  // namespace engine
