// Times of day as the user sets them: an hour and a minute, due in second 00 of that minute.
#pragma once

#include <cstdint>

namespace model {

struct HourMinute {
  int hour = 12;
  int minute = 0;

  // Seconds since midnight: 9:30 gives 34200.
  std::int32_t Second() const { return hour * 3600 + minute * 60; }
  friend bool operator==(const HourMinute&, const HourMinute&) = default;
};

// One step of a field up (delta > 0) or down, wrapping within 0-23 hours or 0-59 minutes.
HourMinute StepHour(HourMinute t, int delta);
HourMinute StepMinute(HourMinute t, int delta);

// The stretch of the clock that one tick of a one-second timer answers for: a late tick or a
// small clock step never skips a due second, and none fires twice.
class DueWatch {
 public:
  // Arms the watch at the clock reading `now` (local seconds): nothing before it is due.
  void Start(std::int64_t now);
  // A tick's reading. The span is what lies after the previous reading, up to and including this
  // one, when the clock went forward by at most 5 s; after a bigger jump the times passed over are
  // no longer "now" and nothing is due. After a step back nothing is due until the clock is past
  // the latest reading again, so nothing is due twice.
  void Take(std::int64_t now);
  // Whether the time of day `second` (seconds since midnight) lies in the span of the last tick.
  bool IsDue(std::int32_t second) const;

 private:
  std::int64_t latest_ = 0;
  std::int64_t from_ = 0;  // the span is (from_, to_]
  std::int64_t to_ = 0;
};

}  // namespace model
