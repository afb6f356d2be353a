#include "engine/look_taker.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/screen.h"

namespace engine {
namespace {

static_assert(model::kUnseen == platform::kHiddenPixel);

constexpr int kHalf = model::kLookSide / 2;

platform::Rect LookArea(platform::Point p) {
  return {p.x - kHalf, p.y - kHalf, model::kLookSide, model::kLookSide};
}

bool Holds(const platform::Rect& outer, const platform::Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

bool LookAround(platform::Point p, std::vector<std::uint32_t>& pixels) {
  return platform::CaptureScreen(LookArea(p), pixels);
}

void LookTaker::Reset() {
  shots_ = {};
  last_us_ = rest_since_us_ = -1;
}

void LookTaker::Watch(platform::Point pointer, std::int64_t now_us) {
  if (rest_since_us_ < 0 || std::abs(pointer.x - rest_at_.x) > kMargin ||
      std::abs(pointer.y - rest_at_.y) > kMargin) {
    rest_at_ = pointer;
    rest_since_us_ = now_us;
    last_us_ = -1;
    return;
  }
  if (now_us - rest_since_us_ < kRestUs || (last_us_ >= 0 && now_us - last_us_ < kEveryUs)) return;
  last_us_ = now_us;
  Shot& shot = shots_[next_];
  const int side = model::kLookSide + 2 * kMargin;
  shot.area = {rest_at_.x - side / 2, rest_at_.y - side / 2, side, side};
  if (!platform::CaptureScreen(shot.area, shot.pixels)) return;
  shot.time_us = now_us;
  next_ = (next_ + 1) % shots_.size();
}

std::optional<model::Look> LookTaker::Take(std::int32_t sample, platform::Point at,
                                           std::int64_t time_us,
                                           const std::vector<std::uint32_t>& screen) {
  model::Look look;
  look.sample = sample;
  const platform::Rect area = LookArea(at);
  const Shot* best = nullptr;
  for (const Shot& s : shots_)
    if (s.time_us >= 0 && s.time_us <= time_us && Holds(s.area, area) &&
        (!best || s.time_us > best->time_us))
      best = &s;
  if (screen.size() == static_cast<std::size_t>(model::kLookPixels)) {
    look.pixels = screen;
  } else if (best) {
    look.pixels.resize(model::kLookPixels);
    for (int y = 0; y < model::kLookSide; ++y)
      std::copy_n(
          best->pixels.begin() +
              (static_cast<std::ptrdiff_t>(area.top - best->area.top + y) * best->area.width +
               (area.left - best->area.left)),
          model::kLookSide,
          look.pixels.begin() + static_cast<std::ptrdiff_t>(y) * model::kLookSide);
  } else if (!platform::CaptureScreen(area, look.pixels)) {
    return std::nullopt;
  }
  const auto hidden = std::count(look.pixels.begin(), look.pixels.end(), model::kUnseen);
  if (hidden > model::kLookPixels / 2) return std::nullopt;
  platform::TopWindow window;
  if (platform::TopWindowAt(at, window)) {
    look.in_window = true;
    look.window_class = std::move(window.window_class);
    look.title = std::move(window.title);
    look.program = std::move(window.program);
    look.window_left = window.bounds.left;
    look.window_top = window.bounds.top;
  }
  return look;
}

}  // namespace engine
