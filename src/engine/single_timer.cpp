#include "engine/single_timer.h"

#include <utility>

#include "platform/process.h"

namespace engine {

SingleTimer::SingleTimer(Playback& playback, const model::Recording& recording,
                         const model::Options& options, StatusLine& status, View& view,
                         std::function<void()> changed, std::function<void()> times_changed)
    : playback_(playback),
      recording_(recording),
      options_(options),
      status_(status),
      view_(view),
      changed_(std::move(changed)),
      times_changed_(std::move(times_changed)),
      single_timer_(1000, [this] { Tick(); }) {}

bool SingleTimer::Toggle() {
  if (armed_) {
    armed_ = false;
  } else {
    if (recording_.empty()) {
      status_.Show(StatusLine::Kind::NothingRecorded, "");
      return false;
    }
    if (options_.repeat && start_ == end_) return false;
    armed_ = true;
    watch_.Start(platform::LocalClockSeconds());
  }
  single_timer_.SetRunning(armed_);
  changed_();
  view_.Show(Change::SingleTimer);
  return true;
}

void SingleTimer::SetStartTime(model::HourMinute t) {
  start_ = t;
  times_changed_();
}

void SingleTimer::SetEndTime(model::HourMinute t) {
  end_ = t;
  times_changed_();
}

void SingleTimer::Tick() {
  watch_.Take(platform::LocalClockSeconds());
  const bool repeat = options_.repeat;
  if (watch_.IsDue(start_.Second())) {
    // The start time means "be playing": a playback already running goes on; a new one plays
    // from the first sample, wherever an earlier one was stopped.
    if (!playback_.Playing()) playback_.PlayFromStart();
    if (!repeat) Toggle();
  }
  if (armed_ && watch_.IsDue(end_.Second())) {
    // The end time means "be stopped": nothing starts as the timer disarms.
    if (repeat && playback_.Playing()) playback_.StopPlayback();
    Toggle();
  }
}

}  // namespace engine
