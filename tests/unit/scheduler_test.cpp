// The single timer: armed in the timer panel, it plays the recording at the set time of day.
#include "engine_fixture.h"

namespace {

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
  Arm();
  sim::Advance(30 * kMinute - 1000);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  sim::Advance(1000);  // 14:30:00
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->ImTempo[1].Visible());
  EXPECT_FALSE(f->tmrAuto.Enabled());
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
  PressKey(platform::VK_ESCAPE);
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
}

}  // namespace
