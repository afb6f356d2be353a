// The key poller: global keys become commands once per press.
#include "engine_fixture.h"

namespace {

using namespace platform;
using Hotkeys = EngineTest;

TEST_F(Hotkeys, F8StartsAndStopsARecordingOncePerPress) {
  sim::KeyDown(VK_F8);
  int samples = -1;
  for (int poll = 1; poll <= 4; ++poll) {  // held across four polls: one recording, never restarted
    ToNextPoll();
    EXPECT_TRUE(f->IsRecording) << poll;
    EXPECT_GT(f->CurrentRecording.UBound(), samples) << poll;
    samples = f->CurrentRecording.UBound();
  }
  sim::KeyUp(VK_F8);
  sim::Advance(100);
  EXPECT_TRUE(f->IsRecording);
  PressKey(VK_F8);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, ATapBetweenTwoPollsIsNotLostAndTapsInTwoIntervalsCountTwice) {
  sim::Advance(50);
  sim::TapKey(VK_F8);
  ToNextPoll();
  EXPECT_TRUE(f->IsRecording);
  sim::Advance(50);
  sim::TapKey(VK_F8);
  ToNextPoll();
  EXPECT_FALSE(f->IsRecording);
}

TEST_F(Hotkeys, F10PlaysAndEscStops) {
  f->ImRepetir_Click(0);
  f->CurrentRecording.Redim(2);
  PressKey(VK_F10);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, EscStopsARecordingAndDoesNothingWhileIdle) {
  PressKey(VK_ESCAPE);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  PressKey(VK_F8);
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_GT(f->CurrentRecording.UBound(), 0);
}

TEST_F(Hotkeys, F8AndEscInOnePollLeaveAnEmptyRecording) {
  f->CurrentRecording.Redim(4);
  sim::Advance(99);
  sim::KeyDown(VK_F8);
  sim::KeyDown(VK_ESCAPE);
  sim::Advance(1);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, F8AndF10InOnePollEndIdleWithNothingToPlay) {
  sim::Advance(99);
  sim::KeyDown(VK_F8);
  sim::KeyDown(VK_F10);
  sim::Advance(1);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_FALSE(f->TmrRaton.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
}

TEST_F(Hotkeys, KeepTheWindowOnTopAtEveryPoll) {
  sim::Advance(300);
  EXPECT_TRUE(sim::Window(f->hWnd()).topmost);
  EXPECT_EQ(sim::Window(f->hWnd()).set_window_pos_calls, 3);
}

TEST_F(Hotkeys, WhileTheTimerIsArmedOnlyEscActs) {
  f->ImRepetir_Click(0);
  f->CurrentRecording.Redim(2);
  f->TogglePlayback();
  f->ScheduleArmed = true;
  f->tmrAuto.SetEnabled(true);
  f->ImTempo[1].SetVisible(true);
  PressKey(VK_F10);
  PressKey(VK_F8);
  sim::KeyDown(VK_LBUTTON);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_EQ(sim::Window(f->hWnd()).set_window_pos_calls, 0);
  PressKey(VK_F5);
  PressKey(VK_F6);
  PressKey(VK_ESCAPE);
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
