#include "engine/recorder.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "engine/input.h"

namespace engine {

Recorder::Recorder(std::function<void()> before_tick, std::int32_t capacity)
    : before_tick_(std::move(before_tick)),
      capacity_(capacity),
      sampler_timer_(1, [this] { Sample(); }) {}

void Recorder::Start(model::Recording& into, bool keyboard) {
  into_ = &into;
  start_us_ = platform::MonotonicMicros();
  origin_ = {};
  platform::CursorPosition(origin_);
  buttons_.Start();
  keyboard_on_ = keyboard;
  if (keyboard_on_) keyboard_.Start();
  sampler_timer_.Start();
}

void Recorder::Stop() {
  sampler_timer_.Stop();
  if (into_ != nullptr) JoinClicks(*into_);
}

void Recorder::SetKeyboard(bool on) {
  keyboard_on_ = on;
  keyboard_.Start();
}

void Recorder::Sample() {
  if (before_tick_) before_tick_();
  platform::Point p{0, 0};
  platform::CursorPosition(p);
  std::vector<std::int32_t> events = buttons_.Poll();
  if (keyboard_on_)
    for (std::int32_t code : keyboard_.Poll()) events.push_back(code);
  model::Recording& r = *into_;
  const auto k = static_cast<std::int64_t>(events.size());
  const std::int64_t due = (platform::MonotonicMicros() - start_us_) / 1000;
  // Milliseconds a late tick missed are moves on the line from the last sample to here. The
  // buttons come last, here; should they outnumber the milliseconds, later ticks give them back.
  const std::int64_t moves = std::max<std::int64_t>(0, due - r.UBound() - k);
  const std::int64_t to_here = k > 0 ? moves + 1 : moves;
  const platform::Point from =
      r.UBound() > 0 ? platform::Point{r[r.UBound()].x, r[r.UBound()].y} : origin_;
  for (std::int64_t j = 1; j <= moves; ++j) {
    const double f = static_cast<double>(j) / static_cast<double>(to_here);
    Add(from.x + static_cast<std::int32_t>(std::lround((static_cast<double>(p.x) - from.x) * f)),
        from.y + static_cast<std::int32_t>(std::lround((static_cast<double>(p.y) - from.y) * f)),
        model::kMove);
  }
  for (std::int32_t code : events) Add(p.x, p.y, code);
}

void Recorder::Add(std::int32_t x, std::int32_t y, std::int32_t code) {
  model::Recording& r = *into_;
  if (r.UBound() >= capacity_) return;
  try {
    r.Redim(r.UBound() + 1);
  } catch (const std::bad_alloc&) {
    return;
  }
  r[r.UBound()] = {x, y, code};
}

}  // namespace engine
