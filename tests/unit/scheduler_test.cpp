// The single timer: armed in the timer panel, it plays the recording at the set time of day.
#include "model/time_of_day.h"
#include "platform/input.h"
#include "session_fixture.h"

namespace {

// Each due second fires once, in the first tick whose reading is at or past it, when the clock
// moved forward by at most 5 s since the previous reading.
TEST(DueWatch, FiresEachDueSecondOnceWithinSmallSteps) {
  constexpr std::int64_t kDay = 86400;
  struct Case {
    const char* what;
    std::vector<std::int64_t> readings;  // the first arms the watch
    std::int32_t due;
    std::vector<size_t> fires;  // the readings that find it due
  } const cases[] = {
      {"on time", {kDay + 99, kDay + 100, kDay + 101}, 100, {1}},
      {"not before its second", {kDay + 98, kDay + 99, kDay + 100}, 100, {2}},
      {"a late tick", {kDay + 98, kDay + 101}, 100, {1}},
      {"five seconds", {kDay + 95, kDay + 100}, 100, {1}},
      {"six seconds", {kDay + 94, kDay + 100, kDay + 101}, 100, {}},
      {"the arming second", {kDay + 100, kDay + 101}, 100, {}},
      {"midnight", {2 * kDay - 1, 2 * kDay + 1}, 0, {1}},
      {"set back", {kDay + 99, kDay + 100, kDay + 97, kDay + 99, kDay + 100, kDay + 102}, 100, {1}},
      {"the next day", {kDay + 99, kDay + 100, 2 * kDay + 99, 2 * kDay + 100}, 100, {1, 3}},
      {"early on the first day", {297, 298, 299, 300}, 300, {3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    model::DueWatch w;
    w.Start(c.readings[0]);
    std::vector<size_t> fires;
    for (size_t i = 1; i < c.readings.size(); ++i) {
      w.Take(c.readings[i]);
      if (w.IsDue(c.due)) fires.push_back(i);
    }
    EXPECT_EQ(fires, c.fires);
  }
}

class Scheduler : public SessionTest {
 protected:
  Scheduler() { session.SetRecording(Samples(3)); }
  void SetTimes(model::HourMinute start, model::HourMinute end) {
    engine.single_timer.SetStartTime(start);
    engine.single_timer.SetEndTime(end);
  }
  bool Arm() { return engine.single_timer.Toggle(); }
  static constexpr std::int64_t kMinute = 60'000;
};

TEST_F(Scheduler, ArmingNeedsSamplesAndWithRepeatTwoDifferentTimes) {
  engine.switches.ToggleRepeat();
  EXPECT_FALSE(Arm());  // 12:00 to 12:00
  EXPECT_FALSE(engine.single_timer.Armed());
  SetTimes({12, 0}, {12, 1});
  EXPECT_TRUE(Arm());
  EXPECT_EQ(view.Count(engine::Change::SingleTimer), 1);
  engine.single_timer.Toggle();
  engine.switches.ToggleRepeat();
  SetTimes({12, 0}, {12, 0});
  EXPECT_TRUE(Arm());  // without repeat the end does not matter
  engine.single_timer.Toggle();
  session.SetRecording(model::Recording());
  EXPECT_FALSE(Arm());
  EXPECT_FALSE(engine.single_timer.Armed());
}

TEST_F(Scheduler, PlaysOnceAtTheStartTimeThenDisarms) {
  sim::SetTimeOfDay(14, 0, 0);
  SetTimes({14, 30}, {12, 0});
  session.TogglePlayback();  // a playback stopped half-way
  sim::Advance(2);
  session.TogglePlayback();
  sim::ClearInputLog();
  Arm();
  sim::Advance(30 * kMinute - 1000);
  EXPECT_FALSE(Playing());
  sim::Advance(1000);  // 14:30:00
  EXPECT_TRUE(Playing());
  EXPECT_FALSE(engine.single_timer.Armed());
  EXPECT_EQ(view.changes.back(), engine::Change::SingleTimer);
  sim::Advance(10);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3}));
}

TEST_F(Scheduler, WithRepeatItPlaysFromTheStartUntilTheEnd) {
  engine.switches.ToggleRepeat();
  sim::SetTimeOfDay(14, 29, 50);
  SetTimes({14, 30}, {14, 31});
  Arm();
  sim::Advance(10'000);
  EXPECT_TRUE(Playing());
  EXPECT_TRUE(engine.single_timer.Armed());
  sim::Advance(kMinute);  // 14:31:00
  EXPECT_FALSE(Playing());
  EXPECT_FALSE(engine.single_timer.Armed());
  // Armed once its start has passed: the end means "be stopped" and starts nothing.
  SetTimes({14, 31}, {14, 32});
  Arm();
  sim::Advance(kMinute);
  EXPECT_FALSE(engine.single_timer.Armed());
  EXPECT_FALSE(Playing());
}

TEST_F(Scheduler, AnEndBeforeTheStartDisarmsWithoutPlaying) {
  sim::SetTimeOfDay(11, 59, 0);
  SetTimes({14, 30}, {12, 0});
  Arm();
  sim::Advance(kMinute);
  EXPECT_FALSE(engine.single_timer.Armed());
  EXPECT_TRUE(MovedTo().empty());
}

TEST_F(Scheduler, FiveMinutesPastMidnightIsDueAt500) {
  sim::SetTimeOfDay(0, 4, 59);
  SetTimes({0, 5}, {0, 6});
  Arm();
  sim::Advance(1000);
  EXPECT_TRUE(Playing());
}

// A clock that steps forward by a few seconds passes over the start without missing it; a bigger
// jump starts nothing, and the timer waits for the next day.
TEST_F(Scheduler, AClockSteppedOverTheStartPlaysOnlyWithinFiveSeconds) {
  struct Case {
    int to_second;  // the clock set from 11:59:59 to 12:00:to_second just after a tick
    bool plays;
  } const cases[] = {{1, true}, {3, true}, {4, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to_second);
    if (Playing()) session.TogglePlayback();
    if (engine.single_timer.Armed()) engine.single_timer.Toggle();
    sim::SetTimeOfDay(11, 59, 50);
    SetTimes({12, 0}, {12, 0});
    Arm();
    sim::Advance(9000 - sim::Now() % 1000);  // the tick that reads 11:59:59
    sim::SetTimeOfDay(12, 0, c.to_second);
    sim::Advance(1000);  // the next tick reads one second later still
    EXPECT_EQ(Playing(), c.plays);
    EXPECT_EQ(engine.single_timer.Armed(), !c.plays);
  }
}

TEST_F(Scheduler, MidnightIsPassedOverByALateTick) {
  sim::SetTimeOfDay(23, 59, 58);
  SetTimes({0, 0}, {0, 0});
  Arm();
  sim::Advance(1000);          // 23:59:59
  sim::SetTimeOfDay(0, 0, 0);  // the tick that would read 00:00:00 comes a second late
  sim::Advance(1000);
  EXPECT_TRUE(Playing());
}

TEST_F(Scheduler, DisarmingByTheButtonLeavesThePlaybackRunning) {
  engine.switches.ToggleRepeat();
  sim::SetTimeOfDay(14, 29, 59);
  SetTimes({14, 30}, {15, 0});
  Arm();
  sim::Advance(1000);
  ASSERT_TRUE(Playing());
  engine.single_timer.Toggle();
  EXPECT_FALSE(engine.single_timer.Armed());
  EXPECT_TRUE(Playing());
}

TEST_F(Scheduler, AtTheStartAPlaybackAlreadyRunningGoesOn) {
  engine.switches.ToggleRepeat();
  sim::SetTimeOfDay(14, 29, 59);
  SetTimes({14, 30}, {14, 35});
  session.TogglePlayback();
  Arm();
  sim::Advance(1000);
  EXPECT_TRUE(Playing());
}

TEST_F(Scheduler, EscWhileWaitingOnlyDisarms) {
  sim::SetTimeOfDay(10, 0, 0);
  SetTimes({14, 30}, {12, 0});
  Arm();
  PressKey(platform::vk::kEscape);
  EXPECT_FALSE(engine.single_timer.Armed());
  EXPECT_FALSE(Playing());
}

}  // namespace
