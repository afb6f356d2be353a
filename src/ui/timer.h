#pragma once

#include <functional>

#include "platform/platform.h"

namespace ui {

// A timer control: ticks on the UI thread every Interval() ms while enabled.
class Timer {
 public:
  Timer(int interval_ms, bool enabled);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  std::function<void()> Tick;

  int Interval() const { return interval_; }
  bool Enabled() const { return id_ != 0; }
  // Enabling a running timer changes nothing; enabling a stopped one starts a new grid from now.
  void SetEnabled(bool on);

 private:
  int interval_;
  platform::TimerId id_ = 0;
};

}  // namespace ui
