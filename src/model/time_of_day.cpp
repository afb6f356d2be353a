#include "model/time_of_day.h"

namespace model {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kLargestStep = 5;

int Wrap(int value, int limit) {
  if (value > limit) return 0;
  if (value < 0) return limit;
  return value;
}

}  // namespace

HourMinute StepHour(HourMinute t, int delta) {
  t.hour = Wrap(t.hour + (delta > 0 ? 1 : -1), 23);
  return t;
}

HourMinute StepMinute(HourMinute t, int delta) {
  t.minute = Wrap(t.minute + (delta > 0 ? 1 : -1), 59);
  return t;
}

void DueWatch::Start(std::int64_t now) { latest_ = from_ = to_ = now; }

void DueWatch::Take(std::int64_t now) {
  const std::int64_t step = now - latest_;
  from_ = to_ = now;
  if (step <= 0) return;
  if (step <= kLargestStep) from_ = latest_;
  latest_ = now;
}

bool DueWatch::IsDue(std::int32_t second) const {
  // The last moment at or before to_ whose time of day is `second`.
  const std::int64_t last = to_ - ((to_ - second) % kDay + kDay) % kDay;
  return last > from_;
}

}  // namespace model
