// Recording, playback and the Rec/Play toggles, millisecond by millisecond.
#include <limits>

#include "engine_fixture.h"

namespace {

using engine::Sample;

using Recorder = EngineTest;

TEST_F(Recorder, OneMovementSamplePerMillisecondAtTheCursor) {
  sim::MoveMouse(300, 400);
  PressKey(platform::VK_F8);  // poll at 100 starts the recording
  ASSERT_TRUE(f->IsRecording);
  EXPECT_EQ(f->LBInfo.Caption(), "Rec");
  EXPECT_EQ(f->LBInfo.ForeColor(), ui::kLightRed);
  EXPECT_TRUE(f->ImMenu[0].Visible());
  sim::Advance(2);
  sim::MoveMouse(-20, 5);
  sim::Advance(1);
  ASSERT_EQ(f->CurrentRecording.UBound(), 3);
  EXPECT_EQ(f->CurrentRecording[0], (Sample{0, 0, 0}));
  EXPECT_EQ(f->CurrentRecording[1], (Sample{300, 400, -1}));
  EXPECT_EQ(f->CurrentRecording[3], (Sample{-20, 5, -1}));
}

TEST_F(Recorder, StartingDiscardsTheSamplesThere) {
  f->CurrentRecording = Samples(5);
  f->ToggleRecording();
  f->ToggleRecording();  // before any sampler tick
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_TRUE(f->ImMenu[2].Visible());
  EXPECT_TRUE(f->TmrRaton.Enabled());  // it keeps ticking, idle
}

TEST_F(Recorder, ButtonsAreSampledAtEveryPollInLeftMiddleRightOrder) {
  f->ToggleRecording();
  sim::Advance(99 - sim::Now() % 100);
  sim::MoveMouse(40, 50);
  sim::KeyDown(platform::VK_RBUTTON);
  sim::KeyDown(platform::VK_LBUTTON);
  const int before = f->CurrentRecording.UBound();
  sim::Advance(1);  // the poll, then the sampler
  ASSERT_EQ(f->CurrentRecording.UBound(), before + 3);
  EXPECT_EQ(f->CurrentRecording[before + 1], (Sample{40, 50, 1}));
  EXPECT_EQ(f->CurrentRecording[before + 2], (Sample{40, 50, 2}));
  EXPECT_EQ(f->CurrentRecording[before + 3], (Sample{40, 50, -1}));
  sim::KeyUp(platform::VK_RBUTTON);
  sim::Advance(200);  // left held across two more polls
  int lefts = 0;
  for (int i = 1; i <= f->CurrentRecording.UBound(); ++i) lefts += f->CurrentRecording[i].code == 1;
  EXPECT_EQ(lefts, 3);
}

TEST_F(Recorder, ButtonsAreNotRecordedWhileIdle) {
  sim::KeyDown(platform::VK_LBUTTON);
  sim::Advance(300);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
}

TEST_F(Recorder, ASampleThatCannotBeStoredIsDroppedWithoutAGap) {
  f->ToggleRecording();
  f->SampleCount = std::numeric_limits<std::int32_t>::max();
  f->AddSample(1);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_EQ(f->SampleCount, std::numeric_limits<std::int32_t>::max());
}

TEST_F(Recorder, AFailingCursorQueryRecordsTheOrigin) {
  sim::MoveMouse(70, 80);
  f->ToggleRecording();
  sim::FailGetCursorPos(true);
  sim::Advance(1);
  EXPECT_EQ(f->CurrentRecording[1], (Sample{0, 0, -1}));
}

using Player = EngineTest;

TEST_F(Player, ThreeSamplesTakeFourTicks) {
  f->CurrentRecording = Samples(3);
  sim::Advance(5);
  f->Move(300, 300);
  f->TogglePlayback();
  EXPECT_EQ(f->LBInfo.Caption(), "Play");
  EXPECT_TRUE(f->ImMenu[1].Visible());
  sim::Advance(3);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  sim::Advance(1);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_TRUE(f->ImMenu[2].Visible());
  EXPECT_FALSE(f->TmrCrono.Enabled());
  EXPECT_EQ(f->Left(), 0);
  EXPECT_EQ(f->Top(), 0);
}

TEST_F(Player, RepeatWrapsWithATickThatPlaysNothingAndRestartsTheChronometer) {
  f->ImRepetir_Click(0);
  EXPECT_TRUE(f->ImRepetir[1].Visible());
  EXPECT_TRUE(f->FrFinalizar.Visible());
  f->CurrentRecording = Samples(3);
  f->TogglePlayback();
  f->ElapsedSeconds = 7;
  sim::Advance(8);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(f->ElapsedSeconds, 0);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  f->ImRepetir_Click(1);
  EXPECT_FALSE(f->FrFinalizar.Visible());
}

TEST_F(Player, AStoppedPlaybackResumesWhereItStopped) {
  f->CurrentRecording = Samples(10);
  f->TogglePlayback();
  sim::Advance(5);
  f->TogglePlayback();
  sim::Advance(50);
  f->TogglePlayback();
  sim::Advance(1);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(Player, AShorterRecordingAfterAStopEndsAtOnceThenStartsFromOne) {
  f->CurrentRecording = Samples(10);
  f->TogglePlayback();
  sim::Advance(5);
  f->TogglePlayback();
  f->CurrentRecording = Samples(3);
  f->TogglePlayback();
  sim::Advance(1);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  f->TogglePlayback();
  sim::Advance(1);
  EXPECT_EQ(MovedTo().back(), 1);
}

TEST_F(Player, ButtonSamplesBecomeOneClickAtTheirPosition) {
  f->CurrentRecording.Redim(4);
  f->CurrentRecording[1] = {5, 5, 2};
  f->CurrentRecording[2] = {6, 6, 0};
  f->CurrentRecording[3] = {7, 7, 4};
  f->CurrentRecording[4] = {8, 8, 1};
  f->TogglePlayback();
  sim::Advance(5);
  using namespace platform;
  EXPECT_EQ(Clicks(), (std::vector<std::uint32_t>{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP,
                                                  MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP,
                                                  MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
  EXPECT_EQ(sim::InputLog()[1].x, 5);  // the right click came at (5, 5)
}

TEST_F(Player, RecordingsBeyondASixteenBitCountPlayAndWrap) {
  f->ImRepetir_Click(0);
  f->CurrentRecording = Samples(40000);
  f->TogglePlayback();
  sim::Advance(40000);
  EXPECT_EQ(MovedTo().back(), 40000);
  sim::Advance(2);
  EXPECT_EQ(MovedTo().back(), 1);
}

TEST_F(Player, AStopInsideTheYieldStillCompletesTheSampleInProgress) {
  f->CurrentRecording = Samples(3, engine::kLeft);
  platform::TimerId poll = 0;
  for (const auto& t : sim::ActiveTimers())
    if (t.interval_ms == 100) poll = t.id;
  sim::KeyDown(platform::VK_F10);
  f->TogglePlayback();
  sim::Advance(1);
  // The poll comes due while sample 2 plays: it runs in the player's yield and stops playback.
  sim::PostAtNextDoEvents(sim::TimerTickMessage(poll));
  sim::Advance(2);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  using namespace platform;
  // Sample 2's click still completed; sample 3 never came.
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Clicks(), (std::vector<std::uint32_t>{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,
                                                  MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
}

using Toggles = EngineTest;

TEST_F(Toggles, RecordingWhilePlayingChangesNothing) {
  f->ImRepetir_Click(0);
  f->CurrentRecording = Samples(3);
  f->TogglePlayback();
  f->ImOp_Click();
  EXPECT_EQ(f->Height(), 2050);
  f->ToggleRecording();
  EXPECT_EQ(f->Height(), 2050);
  EXPECT_FALSE(f->IsRecording);
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Play");
}

TEST_F(Toggles, PlaybackDuringARecordingEndsIt) {
  f->ToggleRecording();
  sim::Advance(1500);
  const int samples = f->CurrentRecording.UBound();
  f->ImInfo_Click();
  f->TogglePlayback();
  EXPECT_EQ(f->Height(), 1000);  // the panel closed
  EXPECT_FALSE(f->IsRecording);
  EXPECT_EQ(f->LBInfo.Caption(), "Play");
  EXPECT_EQ(f->LBTempo.Caption(), "00m 00s");
  EXPECT_EQ(f->ElapsedSeconds, 0);
  sim::Advance(10);
  EXPECT_EQ(f->CurrentRecording.UBound(), samples);
}

TEST_F(Toggles, StateIconsOutsideTheArrayChangeNothing) {
  f->ShowStateIcon(1);
  f->ShowStateIcon(3);
  f->ShowStateIcon(-1);
  EXPECT_FALSE(f->ImMenu[0].Visible());
  EXPECT_TRUE(f->ImMenu[1].Visible());
  EXPECT_FALSE(f->ImMenu[2].Visible());
}

using Chronometer = EngineTest;

TEST_F(Chronometer, CountsSecondsIntoMinutesWithATrailingBlank) {
  f->ToggleRecording();
  sim::Advance(59'000);
  EXPECT_EQ(f->LBTempo.Caption(), "00m 59s ");
  sim::Advance(1000);
  EXPECT_EQ(f->LBTempo.Caption(), "01m 00s ");
  sim::Advance(15'000);
  f->ToggleRecording();
  EXPECT_EQ(f->LBTempo.Caption(), "01m 15s ");
  EXPECT_EQ(f->LBTempo.ForeColor(), ui::kLightBlue);
  sim::Advance(5000);
  EXPECT_EQ(f->LBTempo.Caption(), "01m 15s ");
}

TEST_F(Chronometer, HoldsAtItsLargestCount) {
  f->ToggleRecording();
  f->ElapsedMinutes = 32767;
  f->ElapsedSeconds = 58;
  sim::Advance(3000);
  EXPECT_EQ(f->LBTempo.Caption(), "32767m 59s ");
  EXPECT_EQ(f->ElapsedMinutes, 32767);
}

}  // namespace
