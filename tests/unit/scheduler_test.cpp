// The single timer: armed in the timer panel, it plays the recording at the set time of day.
#include "engine_fixture.h"
#include "model/due_watch.h"

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
    schedule::DueWatch w;
    w.Start(c.readings[0]);
    std::vector<size_t> fires;
    for (size_t i = 1; i < c.readings.size(); ++i) {
      w.Take(c.readings[i]);
      if (w.IsDue(c.due)) fires.push_back(i);
    }
    EXPECT_EQ(fires, c.fires);
  }
}

class Scheduler : public EngineTest {
 protected:
  Scheduler() { f->CurrentRecording = Samples(3); }
  void SetTimes(const char* sh, const char* sm, const char* eh, const char* em) {
    f->LBHora[0].SetCaption(sh);
    f->LBHora[2].SetCaption(sm);
    f->LBHora[1].SetCaption(eh);
    f->LBHora[3].SetCaption(em);
  }
  void Arm() {
    f->ImTempo_Click(0);
    f->ToggleSchedule(true);
  }
  static constexpr std::int64_t kMinute = 60'000;
};

TEST_F(Scheduler, ArmingNeedsSamplesAndWithRepeatTwoDifferentTimes) {
  f->ImRepetir_Click(0);
  Arm();
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_EQ(f->FrTempo.Top(), 380);  // a refusal leaves the panel open
  f->ImRepetir_Click(0);
  f->ToggleSchedule(true);
  EXPECT_TRUE(f->ScheduleArmed);
  EXPECT_TRUE(f->ImTempo[1].Visible());
  EXPECT_TRUE(f->tmrAuto.Enabled());
  EXPECT_EQ(f->Height(), 1000);  // the panel closed
  f->ToggleSchedule(false);
  f->CurrentRecording = engine::Recording();
  f->ToggleSchedule(false);
  EXPECT_FALSE(f->ScheduleArmed);
}

TEST_F(Scheduler, PlaysOnceAtTheStartTimeThenDisarms) {
  sim::SetTimeOfDay(14, 0, 0);
  SetTimes("14", "30", "12", "00");
  f->TogglePlayback();  // a playback stopped half-way
  sim::Advance(2);
  f->TogglePlayback();
  sim::ClearInputLog();
  Arm();
  sim::Advance(30 * kMinute - 1000);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  sim::Advance(1000);  // 14:30:00
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->ImTempo[1].Visible());
  EXPECT_FALSE(f->tmrAuto.Enabled());
  EXPECT_EQ(f->Height(), 1000);  // no panel opens as it disarms
  sim::Advance(10);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3}));
}

TEST_F(Scheduler, WithRepeatItPlaysFromTheStartUntilTheEnd) {
  f->ImRepetir_Click(0);
  sim::SetTimeOfDay(14, 29, 50);
  SetTimes("14", "30", "14", "31");
  Arm();
  sim::Advance(10'000);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_TRUE(f->ScheduleArmed);
  sim::Advance(kMinute);  // 14:31:00
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_EQ(f->Height(), 1000);
  // Armed once its start has passed: the end means "be stopped" and starts nothing.
  SetTimes("14", "31", "14", "32");
  Arm();
  sim::Advance(kMinute);
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
}

TEST_F(Scheduler, AnEndBeforeTheStartDisarmsWithoutPlaying) {
  sim::SetTimeOfDay(11, 59, 0);
  SetTimes("14", "30", "12", "00");
  Arm();
  sim::Advance(kMinute);
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_TRUE(MovedTo().empty());
}

TEST_F(Scheduler, FiveMinutesPastMidnightIsDueAt500) {
  sim::SetTimeOfDay(0, 4, 59);
  SetTimes("00", "05", "00", "06");
  Arm();
  sim::Advance(1000);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
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
    if (f->tmrPLAY.Enabled()) f->TogglePlayback();
    if (f->ScheduleArmed) f->ToggleSchedule(false);
    sim::SetTimeOfDay(11, 59, 50);
    SetTimes("12", "00", "12", "00");
    Arm();
    sim::Advance(9000 - sim::Now() % 1000);  // the tick that reads 11:59:59
    sim::SetTimeOfDay(12, 0, c.to_second);
    sim::Advance(1000);  // the next tick reads one second later still
    EXPECT_EQ(f->tmrPLAY.Enabled(), c.plays);
    EXPECT_EQ(f->ScheduleArmed, !c.plays);
  }
}

TEST_F(Scheduler, MidnightIsPassedOverByALateTick) {
  sim::SetTimeOfDay(23, 59, 58);
  SetTimes("00", "00", "00", "00");
  Arm();
  sim::Advance(1000);          // 23:59:59
  sim::SetTimeOfDay(0, 0, 0);  // the tick that would read 00:00:00 comes a second late
  sim::Advance(1000);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
}

TEST_F(Scheduler, DisarmingByTheButtonLeavesThePlaybackRunning) {
  f->ImRepetir_Click(0);
  sim::SetTimeOfDay(14, 29, 59);
  SetTimes("14", "30", "15", "00");
  Arm();
  sim::Advance(1000);
  ASSERT_TRUE(f->tmrPLAY.Enabled());
  f->ImTempo_Click(1);  // open the panel again
  f->ToggleSchedule(true);
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->ImTempo[1].Visible());
  EXPECT_EQ(f->Height(), 1000);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
}

TEST_F(Scheduler, AtTheStartAPlaybackAlreadyRunningGoesOn) {
  f->ImRepetir_Click(0);
  sim::SetTimeOfDay(14, 29, 59);
  SetTimes("14", "30", "14", "35");
  f->TogglePlayback();
  Arm();
  sim::Advance(1000);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
}

TEST_F(Scheduler, EscWhileWaitingOnlyDisarms) {
  sim::SetTimeOfDay(10, 0, 0);
  SetTimes("14", "30", "12", "00");
  Arm();
  PressKey(platform::vk::kEscape);
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
}

}  // namespace
