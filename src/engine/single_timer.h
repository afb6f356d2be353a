// The single timer: plays the recording at a set time of day, once, or with repeat from a start
// time until an end time.
#pragma once

#include <functional>

#include "engine/playback.h"
#include "engine/status_line.h"
#include "engine/view.h"
#include "model/options.h"
#include "model/recording.h"
#include "model/time_of_day.h"
#include "platform/timer.h"

namespace engine {

class SingleTimer {
 public:
  // It plays `recording` through `playback`, with repeat as `options` say; `changed` runs when
  // it arms or disarms, `times_changed` when a time is set.
  SingleTimer(Playback& playback, const model::Recording& recording, const model::Options& options,
              StatusLine& status, View& view, std::function<void()> changed,
              std::function<void()> times_changed);

  bool Armed() const { return armed_; }
  // Arms it (it needs samples, and with repeat a start other than the end) or disarms it; true
  // when it switched.
  bool Toggle();
  model::HourMinute StartTime() const { return start_; }
  model::HourMinute EndTime() const { return end_; }
  // Kept in the settings.
  void SetStartTime(model::HourMinute t);
  void SetEndTime(model::HourMinute t);

 private:
  void Tick();

  Playback& playback_;
  const model::Recording& recording_;
  const model::Options& options_;
  StatusLine& status_;
  View& view_;
  std::function<void()> changed_;
  std::function<void()> times_changed_;
  bool armed_ = false;
  model::HourMinute start_;
  model::HourMinute end_;
  model::DueWatch watch_;  // the clock as the timer reads it, from its arming on
  platform::Timer single_timer_;
};

}  // namespace engine
