// The key poller: global keys become commands once per press.
#include "engine_fixture.h"

namespace {

using namespace platform;
using Hotkeys = EngineTest;

TEST_F(Hotkeys, F8StartsAndStopsARecordingOncePerPress) {
  sim::KeyDown(vk::kF8);
  int samples = -1;
  for (int poll = 1; poll <= 4; ++poll) {  // held across four polls: one recording, never restarted
    ToNextPoll();
    EXPECT_TRUE(f->IsRecording) << poll;
    EXPECT_GT(f->CurrentRecording.UBound(), samples) << poll;
    samples = f->CurrentRecording.UBound();
  }
  sim::KeyUp(vk::kF8);
  sim::Advance(100);
  EXPECT_TRUE(f->IsRecording);
  PressKey(vk::kF8);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, ATapBetweenTwoPollsIsNotLostAndTapsInTwoIntervalsCountTwice) {
  sim::Advance(50);
  sim::TapKey(vk::kF8);
  ToNextPoll();
  EXPECT_TRUE(f->IsRecording);
  sim::Advance(50);
  sim::TapKey(vk::kF8);
  ToNextPoll();
  EXPECT_FALSE(f->IsRecording);
}

TEST_F(Hotkeys, F10PlaysAndEscStops) {
  f->ImRepetir_Click(0);
  f->CurrentRecording.Redim(2);
  PressKey(vk::kF10);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  PressKey(vk::kEscape);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, EscStopsARecordingAndDoesNothingWhileIdle) {
  PressKey(vk::kEscape);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  PressKey(vk::kF8);
  PressKey(vk::kEscape);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_GT(f->CurrentRecording.UBound(), 0);
}

TEST_F(Hotkeys, F8AndEscInOnePollLeaveAnEmptyRecording) {
  f->CurrentRecording.Redim(4);
  sim::Advance(99);
  sim::KeyDown(vk::kF8);
  sim::KeyDown(vk::kEscape);
  sim::Advance(1);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, F8AndF10InOnePollEndIdleWithNothingToPlay) {
  sim::Advance(99);
  sim::KeyDown(vk::kF8);
  sim::KeyDown(vk::kF10);
  sim::Advance(1);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_FALSE(f->TmrRaton.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, KeepTheWindowOnTopAtEveryPoll) {
  sim::Advance(300);
  EXPECT_TRUE(sim::Window(f->hWnd()).topmost);
  EXPECT_EQ(sim::Window(f->hWnd()).topmost_calls, 3);
}

TEST_F(Hotkeys, WhileTheTimerIsArmedOnlyEscActs) {
  f->ImRepetir_Click(0);
  f->CurrentRecording.Redim(2);
  f->TogglePlayback();
  f->ScheduleArmed = true;
  f->tmrAuto.SetEnabled(true);
  f->ImTempo[1].SetVisible(true);
  PressKey(vk::kF10);
  PressKey(vk::kF8);
  sim::KeyDown(vk::kLeftButton);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_EQ(sim::Window(f->hWnd()).topmost_calls, 0);
  PressKey(vk::kF5);
  PressKey(vk::kF6);
  PressKey(vk::kEscape);
  EXPECT_EQ(f->Height(), 1000);  // disarming opens no panel
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_FALSE(f->ScheduleArmed);
  EXPECT_FALSE(f->ImTempo[1].Visible());
  EXPECT_FALSE(f->tmrAuto.Enabled());
  // What was pressed while armed is spent: it does not act once the timer is off.
  sim::Advance(300);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_TRUE(sim::DialogLog().empty());
}

}  // namespace
