#include "ui/timer.h"

namespace ui {

Timer::Timer(int interval_ms, bool enabled) : interval_(interval_ms) { SetEnabled(enabled); }

Timer::~Timer() { SetEnabled(false); }

void Timer::SetEnabled(bool on) {
  if (on == Enabled()) return;
  if (on) {
    id_ = platform::StartTimer(interval_, [this] {
      if (Tick) Tick();
    });
  } else {
    platform::StopTimer(id_);
    id_ = 0;
  }
}

}  // namespace ui
