#include "engine/player.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/look_taker.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/screen.h"

namespace engine {

Player::Player(const model::Recording& recording, const model::Options& options,
               const PlayFileJob& pace, const HotkeySet& hotkeys, std::function<void()> ended,
               std::function<void()> wrapped, std::function<void(std::int32_t)> not_found)
    : recording_(recording),
      options_(options),
      pace_(pace),
      hotkeys_(hotkeys),
      ended_(std::move(ended)),
      wrapped_(std::move(wrapped)),
      not_found_(std::move(not_found)),
      player_timer_(1, [this] { Tick(); }) {}

void Player::Start() {
  player_timer_.Start();
  start_us_ = platform::MonotonicMicros();
  base_ = position_;
  speed_ = pace_.SpeedFactor();
  wheel_.Forget();
  if (position_ == 0) shift_ = {};
}

void Player::Stop() {
  player_timer_.Stop();
  waiting_ = false;
  held_.Release();
}

void Player::SpeedChanged() {
  base_ = position_;
  start_us_ = platform::MonotonicMicros();
  wait_started_us_ = start_us_;
  speed_ = pace_.SpeedFactor();
}

void Player::Tick() {
  const auto u = static_cast<std::int32_t>(recording_.size());
  // A tick that comes long after the next sample was due follows a stall (a suspended process,
  // a swapping machine): the playback pauses for it, so overdue clicks never come in a burst.
  const std::int64_t now = platform::MonotonicMicros();
  if (waiting_) return Wait(now);
  const auto next_due =
      start_us_ + static_cast<std::int64_t>(
                      std::ceil((static_cast<double>(position_) + 1 - base_) * 1000 / speed_));
  if (now - next_due > kStallUs) start_us_ += now - next_due;
  const std::int64_t due = base_ + PlayedMs();
  if (due <= position_) return;
  if (const model::Look* look =
          NextLook(position_, static_cast<std::int32_t>(std::min<std::int64_t>(due, u)))) {
    PassOver(position_, look->sample);
    position_ = look->sample;
    waiting_ = true;
    wait_started_us_ = now;
    looked_us_ = now - kLookAgainUs;
    return Wait(now);
  }
  if (due > u) {
    // The end: what is left is passed over, and the pointer ends where the recording ended.
    PassOver(position_, u);
    if (position_ < u)
      platform::MoveCursor(recording_.back().x + shift_.x, recording_.back().y + shift_.y);
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
    shift_ = {};
    wrapped_();
    return;
  }
  PassOver(position_, static_cast<std::int32_t>(due) - 1);
  PlayDue(static_cast<std::int32_t>(due));
}

void Player::PlayDue(std::int32_t due) {
  position_ = due;
  // A copy: the recording may be replaced while the sample plays.
  const model::Sample s = recording_[static_cast<std::size_t>(position_) - 1];
  PlaySample(s);
  held_.Note(s.code, hotkeys_);
  // Stopped during the yield: the sample completed, and nothing stays held.
  if (!Playing()) held_.Release();
}

const model::Look* Player::NextLook(std::int32_t first, std::int32_t end) const {
  if (!pace_.WaitsForScreen()) return nullptr;
  const std::vector<model::Look>& looks = recording_.looks();
  const auto at = std::lower_bound(
      looks.begin(), looks.end(), first,
      [](const model::Look& look, std::int32_t sample) { return look.sample < sample; });
  return at != looks.end() && at->sample < end ? &*at : nullptr;
}

void Player::Wait(std::int64_t now) {
  const model::Look* look = NextLook(position_, position_ + 1);
  if (!look) {
    waiting_ = false;  // the option went off meanwhile
    return;
  }
  if (now - looked_us_ < kLookAgainUs) return;
  looked_us_ = now;
  const model::Sample s = recording_[static_cast<std::size_t>(position_)];
  if (const std::optional<platform::Point> shift = FindLook(*look, {s.x, s.y})) {
    shift_ = *shift;
    shift_window_.in_window = look->in_window;
    shift_window_.window_class = look->window_class;
    shift_window_.title = look->title;
    shift_window_.program = look->program;
    waiting_ = false;
    // The clock stood still while it waited: what follows keeps the recording's pace.
    start_us_ += now - wait_started_us_;
    return PlayDue(position_ + 1);
  }
  // The pointer waits where it would press, so that the window under it shows as it would.
  platform::MoveCursor(s.x + shift_.x, s.y + shift_.y);
  if (now - wait_started_us_ >= std::int64_t{options_.wait_limit_s} * 1'000'000) {
    Stop();
    if (not_found_) not_found_(position_);
  }
}

std::optional<platform::Point> Player::FindLook(const model::Look& look, platform::Point at) const {
  const auto same_window = [&look](const auto& w) {
    return w.window_class == look.window_class && w.program == look.program;
  };
  // Where the last press went first, if it was in this window; then where it was recorded; then
  // wherever the window went, the window of the same title first.
  std::vector<platform::Point> places;
  const bool followed = shift_window_.in_window && look.in_window && same_window(shift_window_) &&
                        shift_window_.title == look.title;
  places.push_back(followed ? shift_ : platform::Point{});
  places.push_back(followed ? platform::Point{} : shift_);
  std::vector<std::uint32_t> pixels;
  const auto shows = [&](platform::Point d) {
    return LookAround({at.x + d.x, at.y + d.y}, pixels) && model::LooksAlike(look.pixels, pixels);
  };
  for (std::size_t i = 0; i < places.size(); ++i)
    if ((i == 0 || places[i].x != places[0].x || places[i].y != places[0].y) && shows(places[i]))
      return places[i];
  if (!look.in_window) return std::nullopt;
  std::vector<platform::TopWindow> windows = platform::TopWindows();
  std::stable_partition(windows.begin(), windows.end(),
                        [&look](const platform::TopWindow& w) { return w.title == look.title; });
  for (const platform::TopWindow& w : windows) {
    const platform::Point d{w.bounds.left - look.window_left, w.bounds.top - look.window_top};
    if (same_window(w) && shows(d)) return d;
  }
  return std::nullopt;
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
    platform::MoveCursor(s.x + shift_.x, s.y + shift_.y);
    SendInput(s.code);
    held_.Note(s.code, hotkeys_);
  }
}

void Player::PlaySample(const model::Sample& s) {
  platform::MoveCursor(s.x + shift_.x, s.y + shift_.y);
  platform::RunPendingEvents();
  SendInput(s.code);
}

void Player::SendInput(std::int32_t code) {
  SendButtons(code);
  wheel_.Send(code);
  SendKey(code, hotkeys_);
}

}  // namespace engine
