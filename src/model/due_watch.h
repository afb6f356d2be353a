// The stretch of the clock that one tick of a one-second timer answers for: a late tick or a
// small clock step never skips a due second, and none fires twice.
#pragma once

#include <cstdint>

namespace schedule {

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

// The second of the day of a time set as hour * 100 + minute: 930 gives 34200.
std::int32_t DueSecond(std::int32_t hour_minute);

}  // namespace schedule
