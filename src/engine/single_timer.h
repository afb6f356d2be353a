// The single timer: plays the recording at a set time of day, once, or with repeat from a start
// time until an end time.
#pragma once

#include "model/time_of_day.h"
#include "platform/timer.h"

namespace engine {

class Session;
class View;

class SingleTimer {
 public:
  SingleTimer(Session& session, View& view);

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

  Session& session_;
  View& view_;
  bool armed_ = false;
  model::HourMinute start_;
  model::HourMinute end_;
  model::DueWatch watch_;  // the clock as the timer reads it, from its arming on
  platform::Timer single_timer_;
};

}  // namespace engine
