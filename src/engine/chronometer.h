// The elapsed time of a recording or of one pass of a playback, in whole seconds.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/timer.h"

namespace engine {

class Chronometer {
 public:
  // ticked runs after each second counted.
  explicit Chronometer(std::function<void()> ticked);

  // Counts again from 00m 00s.
  void Restart();
  // Keeps its reading.
  void Stop() { chronometer_timer_.Stop(); }
  bool Running() const { return chronometer_timer_.Running(); }
  int Minutes() const { return minutes_; }
  int Seconds() const { return seconds_; }
  // No second counted since the last restart.
  bool Fresh() const { return fresh_; }

 private:
  void Tick();

  std::function<void()> ticked_;
  std::int16_t minutes_ = 0;
  std::int16_t seconds_ = 0;
  bool fresh_ = true;
  platform::Timer chronometer_timer_;
};

}  // namespace engine
