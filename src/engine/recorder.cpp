#include "engine/recorder.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "engine/input.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"

namespace engine {
namespace {

// The point a fraction f of the way from `from` to `to`.
platform::Point OnLine(platform::Point from, platform::Point to, double f) {
  return {
      from.x + static_cast<std::int32_t>(std::lround((static_cast<double>(to.x) - from.x) * f)),
      from.y + static_cast<std::int32_t>(std::lround((static_cast<double>(to.y) - from.y) * f))};
}

}  // namespace

Recorder::Recorder(const HotkeySet& hotkeys, std::function<void()> before_tick,
                   std::int32_t capacity)
    : hotkeys_(hotkeys),
      before_tick_(std::move(before_tick)),
      capacity_(capacity),
      keyboard_(hotkeys),
      sampler_timer_(1, [this] { Sample(); }) {}

void Recorder::Start(model::Recording& into, bool keyboard) {
  into_ = &into;
  start_us_ = platform::MonotonicMicros();
  origin_ = {};
  platform::CursorPosition(origin_);
  events_ = platform::WatchInputEvents(true);
  screen_with_presses_ = events_ && platform::ShowScreenWithPresses(model::kLookSide);
  pressed_.reset();
  placed_ = 0;
  last_wheel_us_ = -1;
  looks_.Reset();
  looks_.Watch(origin_, start_us_);
  buttons_.Start();
  SetKeyboard(keyboard);
  sampler_timer_.Start();
}

void Recorder::Stop() {
  // A hotkey acts the moment it is pressed, before the next tick: the recording runs to here,
  // a move made within the last sample's millisecond included.
  if (Running()) {
    Sample();
    model::Recording& r = *into_;
    platform::Point p;
    if (!r.empty() && r.back().code == model::kMove && platform::CursorPosition(p))
      r.back() = {p.x, p.y, model::kMove};
  }
  sampler_timer_.Stop();
  if (screen_with_presses_) platform::ShowScreenWithPresses(0);
  platform::WatchInputEvents(false);
  if (into_ != nullptr) JoinClicks(*into_);
}

void Recorder::SetKeyboard(bool on) {
  keyboard_on_ = on;
  keys_down_.reset();
  if (on && !events_) keyboard_.Start();
}

void Recorder::Sample() {
  if (before_tick_) before_tick_();
  platform::Point p{0, 0};
  platform::CursorPosition(p);
  std::vector<Seen> seen = TakeEvents();
  // What only a poll finds comes last, here and now.
  const std::int64_t now = platform::MonotonicMicros();
  if (!events_)
    for (std::int32_t code : buttons_.Poll()) seen.push_back({now, p, code});
  if (keyboard_on_ && !events_)
    for (std::int32_t code : keyboard_.Poll()) seen.push_back({now, p, code});
  const std::int64_t due = (now - start_us_) / 1000;
  for (const Seen& e : seen) {
    // The first sample read after it. Without a place of its own it is where the path was then:
    // on the line from the last sample to here, as a late tick makes up what it missed.
    const std::int64_t ms =
        std::max<std::int64_t>(1, std::min((e.time_us - start_us_) / 1000 + 1, due));
    if (e.at)
      MoveTo(ms, *e.at);
    else
      MoveTo(std::max(ms, due), p);
    KeepLook(Place(ms, e.code, e.at), e);
  }
  MoveTo(due, p);
  // Where the presses bring the screen, it is never read meanwhile.
  if (!screen_with_presses_) looks_.Watch(p, now);
}

void Recorder::KeepLook(std::int64_t index, const Seen& seen) {
  using Kind = model::Action::Kind;
  const std::int64_t time_us = seen.time_us;
  const model::Action a = model::Decode(seen.code);
  if (a.kind == Kind::Wheel) {
    // A turn is the notches that follow each other within a moment.
    const bool first = last_wheel_us_ < 0 || time_us - last_wheel_us_ > 500'000;
    last_wheel_us_ = time_us;
    if (!first) return;
  } else if (a.kind != Kind::Press && a.kind != Kind::Click) {
    return;
  }
  if (index < 0) return;
  const model::Sample& s = (*into_)[static_cast<std::size_t>(index)];
  std::optional<model::Look> look =
      looks_.Take(static_cast<std::int32_t>(index), {s.x, s.y}, time_us, seen.screen);
  std::vector<model::Look>& looks = into_->looks();
  if (!look || (!looks.empty() && looks.back().sample >= look->sample)) return;
  try {
    looks.push_back(std::move(*look));
  } catch (const std::bad_alloc&) {
  }
}

std::vector<Recorder::Seen> Recorder::TakeEvents() {
  using Kind = model::Action::Kind;
  std::vector<Seen> seen;
  for (const platform::InputEvent& e : platform::TakeInputEvents()) {
    switch (e.kind) {
      case platform::InputEvent::Kind::ButtonDown:
      case platform::InputEvent::Kind::ButtonUp:
        if (const std::optional<model::Action> a = ButtonActionOf(e))
          seen.push_back({e.time_us, e.at, model::Encode(*a), e.screen});
        break;
      case platform::InputEvent::Kind::Wheel:
        for (std::int32_t code : WheelCodes(e.axis, e.delta))
          seen.push_back({e.time_us, e.at, code, e.screen});
        break;
      case platform::InputEvent::Kind::KeyDown:
      case platform::InputEvent::Kind::KeyUp: {
        // A held key's repeats are the target's to make; a key held since before the keys were
        // watched is neither pressed nor released in the recording.
        const bool down = e.kind == platform::InputEvent::Kind::KeyDown;
        if (!keyboard_on_ || !RecordableKey(e.vk, hotkeys_) ||
            keys_down_[static_cast<size_t>(e.vk & 0xFF)] == down)
          break;
        keys_down_[static_cast<size_t>(e.vk & 0xFF)] = down;
        const model::Action a = model::KeyAction(down ? Kind::KeyPress : Kind::KeyRelease, e.vk);
        seen.push_back({e.time_us, std::nullopt, model::Encode(a)});
        break;
      }
    }
  }
  return seen;
}

std::optional<model::Action> Recorder::ButtonActionOf(const platform::InputEvent& e) {
  using Kind = model::Action::Kind;
  const std::optional<model::Button> button = RecordedButton(e.button);
  if (!button) return std::nullopt;
  const auto bit = static_cast<std::size_t>(*button);
  if (e.kind == platform::InputEvent::Kind::ButtonDown) {
    pressed_.set(bit);
    return model::ButtonAction(Kind::Press, *button);
  }
  // A button held since before the start is not released in the recording either.
  if (!pressed_[bit]) return std::nullopt;
  pressed_.reset(bit);
  return model::ButtonAction(Kind::Release, *button);
}

void Recorder::MoveTo(std::int64_t ms, platform::Point to) {
  const model::Recording& r = *into_;
  const auto last = static_cast<std::int64_t>(r.size());
  const platform::Point from = last > 0 ? platform::Point{r.back().x, r.back().y} : origin_;
  for (std::int64_t j = last + 1; j <= ms; ++j) {
    const platform::Point q =
        OnLine(from, to, static_cast<double>(j - last) / static_cast<double>(ms - last));
    Add(q.x, q.y, model::kMove);
  }
}

std::int64_t Recorder::Place(std::int64_t ms, std::int32_t code,
                             std::optional<platform::Point> at) {
  model::Recording& r = *into_;
  const auto u = static_cast<std::int32_t>(r.size());
  const platform::Point where =
      at.value_or(r.empty() ? platform::Point{} : platform::Point{r.back().x, r.back().y});
  // Times read to the millisecond from another clock (the X server's) may put a release a
  // millisecond before its own press, or a click made as the pointer arrived on the sample read
  // just before: the order the events came in, and their place, hold.
  for (auto n = std::max(static_cast<std::int32_t>(ms), placed_); n <= u; ++n) {
    model::Sample& s = r[static_cast<std::size_t>(n) - 1];
    if (s.code == model::kMove) {
      s = {at ? where.x : s.x, at ? where.y : s.y, code};
      placed_ = n;
      return n - 1;
    }
  }
  // A release on the heels of its own press, in place, is the click JoinClicks would make of
  // them, and needs no sample of its own.
  using Kind = model::Action::Kind;
  const model::Action a = model::Decode(code);
  if (a.kind == Kind::Release && u > 0 &&
      model::Decode(r.back().code) == model::ButtonAction(Kind::Press, a.button) &&
      r.back().x == where.x && r.back().y == where.y) {
    r.back().code = model::Encode(model::ButtonAction(Kind::Click, a.button));
    return -1;
  }
  if (!Add(where.x, where.y, code)) return -1;
  placed_ = static_cast<std::int32_t>(r.size());
  return placed_ - 1;
}

bool Recorder::Add(std::int32_t x, std::int32_t y, std::int32_t code) {
  model::Recording& r = *into_;
  if (static_cast<std::int64_t>(r.size()) >= capacity_) return false;
  try {
    r.push_back({x, y, code});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace engine
