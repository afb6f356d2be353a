// The Windows clock that leaves out sleep, from the performance counter and the coarse unbiased
// interrupt time.
#include "platform/win32/sleep_free_clock.h"

#include <gtest/gtest.h>

namespace {

TEST(SleepFreeClock, CountsTheCounterLessOnlyTheTimeSlept) {
  struct Reading {
    std::int64_t counter, coarse, expected;
  } const readings[] = {
      {1'000'000, 500'000, 1'000'000},
      {1'010'000, 500'000, 1'010'000},  // the coarse clock has not stepped yet: no sleep
      {1'016'000, 515'600, 1'016'000},
      {6'020'000, 519'600, 1'019'600},  // 5 s on the counter, 4 ms awake
      {6'030'000, 529'600, 1'029'600},
      {6'031'000, 529'600, 1'030'600},
  };
  platform::win32::SleepFreeClock clock;
  for (const Reading& r : readings)
    EXPECT_EQ(clock.Read(r.counter, r.coarse), r.expected) << r.counter;
}

}  // namespace
