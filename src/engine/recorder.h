// The sampler: while a recording runs, one sample for every millisecond since it started,
// whatever the timer did, with the buttons, the wheel and the keys on the millisecond they acted.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "engine/input.h"
#include "engine/look_taker.h"
#include "engine/watches.h"
#include "model/recording.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/timer.h"

namespace engine {

class Recorder {
 public:
  // before_tick runs at each tick before the pointer is read; capacity is the most samples a
  // recording takes.
  // The keys in `hotkeys` are never recorded.
  Recorder(const HotkeySet& hotkeys, std::function<void()> before_tick,
           std::int32_t capacity = std::numeric_limits<std::int32_t>::max());

  // Fills `into` from its first sample on, with the keys too when keyboard is on.
  void Start(model::Recording& into, bool keyboard);
  // The sampler stops (idle, it costs nothing); presses and releases in place become clicks.
  void Stop();
  bool Running() const { return sampler_timer_.Running(); }
  // Switched on during a recording, keys count from now.
  void SetKeyboard(bool on);

 private:
  // A code seen since the last tick, when and where it happened.
  struct Seen {
    std::int64_t time_us;
    std::optional<platform::Point> at;  // none: where the path was then
    std::int32_t code;
    std::vector<std::uint32_t> screen = {};  // around it before any window had it; may be none
  };

  void Sample();
  // The codes of the input's own events since the last tick, in order.
  std::vector<Seen> TakeEvents();
  // A button's press, or the release of one pressed since the start; notes which are down.
  std::optional<model::Action> ButtonActionOf(const platform::InputEvent& e);
  // Millisecond ms (from 1) of the recording is its sample ms - 1.
  // Moves from the last sample on a line to `to`, reached at millisecond `ms`.
  void MoveTo(std::int64_t ms, platform::Point to);
  // The code on the first sample from millisecond `ms` on that holds none, else on a new sample at
  // the end; never before the code placed last. The sample is moved to `at` where the event tells
  // it. The index of the sample that took it; -1 when none did.
  std::int64_t Place(std::int64_t ms, std::int32_t code, std::optional<platform::Point> at);
  // A press and the first notch of a turn keep what the screen showed before them.
  void KeepLook(std::int64_t index, const Seen& seen);
  // A sample that cannot be stored is dropped whole: no gap is left in the recording.
  bool Add(std::int32_t x, std::int32_t y, std::int32_t code);

  const HotkeySet& hotkeys_;
  std::function<void()> before_tick_;
  std::int32_t capacity_;
  model::Recording* into_ = nullptr;
  bool keyboard_on_ = false;
  std::int64_t start_us_ = 0;  // samples are due one a millisecond from here
  platform::Point origin_;     // the cursor when the recording started
  bool events_ = false;        // the buttons, the wheel and the keys come from their own events
  bool screen_with_presses_ = false;  // and bring the screen as it was before them
  Buttons pressed_;                   // since the start and not released
  std::int32_t placed_ = 0;           // the millisecond of the sample that took the last code
  std::int64_t last_wheel_us_ = -1;
  std::bitset<256> keys_down_;  // pressed, by their events, since the keys were watched
  ButtonWatch buttons_;
  KeyboardWatch keyboard_;
  LookTaker looks_;
  platform::Timer sampler_timer_;
};

}  // namespace engine
