#include "model/due_watch.h"

namespace schedule {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kLargestStep = 5;

}  // namespace

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

std::int32_t DueSecond(std::int32_t hour_minute) {
  return hour_minute / 100 * 3600 + hour_minute % 100 * 60;
}

}  // namespace schedule
