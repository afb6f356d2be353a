#include "engine/chronometer.h"

#include <utility>

namespace engine {

Chronometer::Chronometer(std::function<void()> ticked)
    : ticked_(std::move(ticked)), chronometer_timer_(1000, [this] { Tick(); }) {}

void Chronometer::Restart() {
  chronometer_timer_.Stop();
  minutes_ = 0;
  seconds_ = 0;
  fresh_ = true;
  chronometer_timer_.Start();
}

void Chronometer::Tick() {
  // The count stops at its largest value (some 22 days) rather than wrapping to a negative one.
  if (minutes_ == INT16_MAX && seconds_ == 59) return;
  if (++seconds_ == 60) {
    seconds_ = 0;
    ++minutes_;
  }
  fresh_ = false;
  ticked_();
}

}  // namespace engine
