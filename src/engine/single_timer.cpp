#include "engine/single_timer.h"

#include "engine/session.h"

namespace engine {

SingleTimer::SingleTimer(Session& session, View& view)
    : session_(session), view_(view), single_timer_(1000, [this] { Tick(); }) {}

bool SingleTimer::Toggle() {
  if (armed_) {
    armed_ = false;
  } else {
    if (session_.GetRecording().empty()) {
      session_.SayNothingRecorded();
      return false;
    }
    if (session_.GetOptions().repeat && start_ == end_) return false;
    armed_ = true;
    watch_.Start(platform::LocalClockSeconds());
  }
  single_timer_.SetRunning(armed_);
  session_.TakeHotkeys();
  view_.Show(Change::SingleTimer);
  return true;
}

void SingleTimer::SetStartTime(model::HourMinute t) {
  start_ = t;
  session_.KeepSettings();
}

void SingleTimer::SetEndTime(model::HourMinute t) {
  end_ = t;
  session_.KeepSettings();
}

void SingleTimer::Tick() {
  watch_.Take(platform::LocalClockSeconds());
  const bool repeat = session_.GetOptions().repeat;
  if (watch_.IsDue(start_.Second())) {
    // The start time means "be playing": a playback already running goes on; a new one plays
    // from the first sample, wherever an earlier one was stopped.
    if (session_.GetState() != State::Playing) session_.PlayFromStart();
    if (!repeat) Toggle();
  }
  if (armed_ && watch_.IsDue(end_.Second())) {
    // The end time means "be stopped": nothing starts as the timer disarms.
    if (repeat && session_.GetState() == State::Playing) session_.TogglePlayback();
    Toggle();
  }
}

}  // namespace engine
