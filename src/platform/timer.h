// A timer owned by the object it wakes: it stops when its owner goes.
#pragma once

#include <functional>
#include <utility>

#include "platform/loop.h"

namespace platform {

class Timer {
 public:
  Timer(int interval_ms, std::function<void()> tick)
      : interval_(interval_ms), tick_(std::move(tick)) {}
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer() { Stop(); }

  int Interval() const { return interval_; }
  bool Running() const { return id_ != 0; }
  // A running timer keeps its grid; a stopped one starts a new grid from now.
  void Start() {
    if (id_ == 0) id_ = StartTimer(interval_, [this] { tick_(); });
  }
  void Stop() {
    if (id_ != 0) StopTimer(std::exchange(id_, 0));
  }
  void SetRunning(bool on) { on ? Start() : Stop(); }

 private:
  int interval_;
  std::function<void()> tick_;
  TimerId id_ = 0;
};

}  // namespace platform
