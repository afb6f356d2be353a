// Recording, playback and the Rec/Play toggles, millisecond by millisecond.
#include <fstream>
#include <limits>
#include <variant>

#include "engine/buttons.h"
#include "engine_fixture.h"

namespace {

using engine::Sample;

using Recorder = EngineTest;

TEST_F(Recorder, OneMovementSamplePerMillisecondAtTheCursor) {
  sim::MoveMouse(300, 400);
  PressKey(platform::vk::kF8);  // poll at 100 starts the recording
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

TEST_F(Recorder, StartingDiscardsTheSamplesAndTheSamplerRunsOnlyWhileRecording) {
  f->CurrentRecording = Samples(5);
  f->ImOp_Click();
  f->LBTempo.SetCaption("01m 15s ");
  f->ToggleRecording();
  EXPECT_TRUE(f->TmrRaton.Enabled());
  EXPECT_EQ(f->Height(), 1000);  // the panel closed
  EXPECT_EQ(f->LBTempo.Caption(), "00m 00s");
  EXPECT_EQ(f->LBTempo.ForeColor(), ui::kLightRed);
  f->Move(300, 300);
  f->ToggleRecording();  // before any sampler tick
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_EQ(f->LBInfo.ForeColor(), ui::kLightBlue);
  EXPECT_EQ(f->Left(), 0);
  EXPECT_TRUE(f->ImMenu[2].Visible());
  EXPECT_FALSE(f->TmrRaton.Enabled());  // idle costs nothing
}

TEST_F(Recorder, ALateTickMakesUpTheMillisecondsItMissedOnALine) {
  sim::MoveMouse(100, 200);
  f->ToggleRecording();
  sim::Stall(4);  // the loop was busy: no tick for 4 ms, from the start
  sim::MoveMouse(140, 160);
  sim::Advance(0);
  ASSERT_EQ(f->CurrentRecording.UBound(), 4);
  EXPECT_EQ(f->CurrentRecording[1], (Sample{110, 190, -1}));
  EXPECT_EQ(f->CurrentRecording[4], (Sample{140, 160, -1}));
  sim::Stall(2);
  sim::Click(170, 160);  // a button comes last, where it was seen
  sim::Advance(0);
  ASSERT_EQ(f->CurrentRecording.UBound(), 6);
  EXPECT_EQ(f->CurrentRecording[5], (Sample{155, 160, -1}));
  EXPECT_EQ(f->CurrentRecording[6], (Sample{170, 160, 1}));
  sim::Advance(994);
  EXPECT_EQ(f->CurrentRecording.UBound(), 1000);  // a millisecond a sample
}

// The codes a recording holds, without its moves.
std::vector<Sample> ButtonSamples(const engine::Recording& r) {
  std::vector<Sample> out;
  for (int i = 1; i <= r.UBound(); ++i)
    if (r[i].code != engine::kMove) out.push_back(r[i]);
  return out;
}

TEST_F(Recorder, ButtonsAreRecordedAsPressedOnTheirMillisecond) {
  using platform::MouseButton;
  sim::MouseDown(MouseButton::Right);  // held since before the recording
  sim::Click(5, 5);                    // focusing the target before F8
  sim::MoveMouse(10, 10);
  f->ToggleRecording();
  sim::Advance(2);
  sim::MouseUp(MouseButton::Right);  // its release is not recorded either
  sim::Advance(5);
  sim::MouseDown(MouseButton::Right);  // pressed anew it counts, even when something else
  platform::QueryKey(platform::vk::kRightButton);  // took the "pressed since" report
  sim::Advance(1);
  sim::MouseUp(MouseButton::Right);
  sim::Advance(4);
  sim::MouseDown(MouseButton::Left);  // a click held for 150 ms, in place
  sim::Advance(150);
  sim::MouseUp(MouseButton::Left);
  sim::Advance(10);
  sim::MouseDown(MouseButton::Left);  // a drag
  sim::Advance(5);
  sim::MoveMouse(60, 10);
  sim::Advance(5);
  sim::MouseUp(MouseButton::Left);
  sim::Advance(5);
  sim::Click(10, 10, MouseButton::Left);  // all three tapped within one millisecond
  sim::Click(10, 10, MouseButton::Right);
  sim::Click(10, 10, MouseButton::Middle);
  sim::Advance(1);
  f->ToggleRecording();
  EXPECT_EQ(ButtonSamples(f->CurrentRecording), (std::vector<Sample>{{10, 10, 2},
                                                                     {10, 10, 1},
                                                                     {10, 10, 9},
                                                                     {60, 10, 17},
                                                                     {10, 10, 1},
                                                                     {10, 10, 4},
                                                                     {10, 10, 2}}));
  EXPECT_EQ(f->CurrentRecording[13].code, 1);  // pressed in the 13th millisecond
  EXPECT_EQ(f->CurrentRecording[163].code, -1);
  EXPECT_EQ(f->CurrentRecording[173].code, 9);
  EXPECT_EQ(f->CurrentRecording[183].code, 17);
}

TEST(JoinClicks, OnlyAPressAndReleaseInPlaceWithin300MsBecomeOneClick) {
  struct Case {
    const char* name;
    std::vector<Sample> samples;
    std::vector<std::int32_t> codes;
  };
  const Case cases[] = {
      {"in place", {{1, 1, 9}, {1, 1, -1}, {1, 1, 17}}, {1, -1, -1}},
      {"moved", {{1, 1, 9}, {2, 1, -1}, {2, 1, 17}}, {9, -1, 17}},
      {"another button between", {{1, 1, 9}, {1, 1, 2}, {1, 1, 17}}, {9, 2, 17}},
      {"another button pressed between", {{1, 1, 9}, {1, 1, 10}, {1, 1, 17}}, {9, 10, 17}},
      {"a different button's release", {{1, 1, 10}, {1, 1, 17}}, {10, 17}},
      {"a click, then a release", {{1, 1, 1}, {1, 1, 17}}, {1, 17}},
  };
  for (const Case& c : cases) {
    engine::Recording r;
    r.Redim(static_cast<int>(c.samples.size()));
    for (size_t i = 0; i < c.samples.size(); ++i) r[static_cast<int>(i) + 1] = c.samples[i];
    engine::JoinClicks(r);
    for (size_t i = 0; i < c.codes.size(); ++i)
      EXPECT_EQ(r[static_cast<int>(i) + 1].code, c.codes[i]) << c.name << " " << i;
  }
  for (int held : {300, 301}) {  // the release on sample 1 + held
    engine::Recording r;
    r.Redim(held + 1);
    for (int i = 1; i <= held + 1; ++i) r[i] = {3, 3, -1};
    r[1].code = 12;
    r[held + 1].code = 20;
    engine::JoinClicks(r);
    EXPECT_EQ(r[1].code, held <= engine::kClickMs ? 4 : 12) << held;
  }
}

TEST_F(Recorder, ButtonsAreNotRecordedWhileIdle) {
  sim::KeyDown(platform::vk::kLeftButton);
  sim::Advance(300);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
}

TEST_F(Recorder, ASampleThatCannotBeStoredIsDroppedWithoutAGap) {
  f->ToggleRecording();
  f->SampleCount = std::numeric_limits<std::int32_t>::max();
  f->AddSample(0, 0, 1);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_EQ(f->SampleCount, std::numeric_limits<std::int32_t>::max());
}

TEST_F(Recorder, AFailingCursorQueryRecordsTheOrigin) {
  sim::MoveMouse(70, 80);
  f->ToggleRecording();
  sim::FailCursorPosition(true);
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
  f->ScheduleArmed = true;  // the armed timer locks the option
  f->ImRepetir_Click(0);
  EXPECT_FALSE(f->ImRepetir[1].Visible());
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

TEST_F(Player, ButtonSamplesActAtTheirPositionAfterTheYield) {
  f->CurrentRecording.Redim(4);
  f->CurrentRecording[1] = {5, 5, 2};
  f->CurrentRecording[2] = {6, 6, 0};
  f->CurrentRecording[3] = {7, 7, 12};
  f->CurrentRecording[4] = {8, 8, 20};
  size_t clicks_at_yield = 99;
  sim::PostAtNextDoEvents([&] { clicks_at_yield = Clicks().size(); });
  f->TogglePlayback();
  sim::Advance(5);
  EXPECT_EQ(clicks_at_yield, 0u);  // the cursor moved, the pending messages ran, then the click
  using namespace platform;
  EXPECT_EQ(Clicks(), (std::vector<ButtonEvent>{kRightDown, kRightUp, kMiddleDown, kMiddleUp}));
  EXPECT_EQ(sim::InputLog()[1].x, 5);      // the right click came at (5, 5)
  EXPECT_EQ(sim::InputLog().back().x, 8);  // the middle button let go at (8, 8)
}

TEST_F(Player, ALateTickPlaysTheSampleDueAndSendsTheButtonsItPassedOver) {
  f->CurrentRecording = Samples(300);
  f->CurrentRecording[3].code = engine::kLeft;
  f->CurrentRecording[5].code = engine::kRight + engine::kPress;
  f->Move(300, 300);
  f->TogglePlayback();
  sim::Advance(1);
  sim::Stall(5);
  sim::Advance(0);
  using Kind = sim::InputEvent::Kind;
  using namespace platform;
  std::vector<std::variant<int, ButtonEvent>> log;  // a move's x, or a button event
  for (const auto& e : sim::InputLog())
    if (e.kind == Kind::MoveCursor)
      log.emplace_back(e.x);
    else
      log.emplace_back(ButtonEvent{e.button, e.down});
  const std::vector<std::variant<int, ButtonEvent>> expected{1, 3,          kLeftDown, kLeftUp,
                                                             5, kRightDown, 6};
  EXPECT_EQ(log, expected);
  // A tick that comes twice in one millisecond plays nothing twice.
  for (const auto& t : sim::ActiveTimers())
    if (t.interval_ms == 1) sim::PostTimerTick(t.id);
  sim::Pump();
  EXPECT_EQ(sim::InputLog().size(), expected.size());
  PressKey(vk::kEscape);  // the replay still holds the right button: the stop lets it go
  EXPECT_EQ(Clicks().back(), kRightUp);
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
  EXPECT_EQ(f->LBInfo.ForeColor(), ui::kLightBlue);
  EXPECT_EQ(f->Left(), 0);
}

TEST_F(Player, ATickLateAtTheEndStillSendsTheRestAndLetsGo) {
  f->CurrentRecording = Samples(10);
  f->CurrentRecording[2].code = engine::kLeft + engine::kPress;  // held from here on
  f->CurrentRecording[9].code = engine::kMiddle;
  f->TogglePlayback();
  sim::Advance(7);
  sim::Stall(10);
  sim::Advance(0);
  using namespace platform;
  EXPECT_EQ(Clicks(), (std::vector<ButtonEvent>{kLeftDown, kMiddleDown, kMiddleUp, kLeftUp}));
  EXPECT_EQ(MovedTo().back(), 10);  // the pointer ends where the recording ended
  EXPECT_FALSE(f->tmrPLAY.Enabled());
}

TEST_F(Player, ANewRecordingOrALoadedOnePlaysFromItsFirstSample) {
  const std::string path = testing::TempDir() + "three.tpw";
  std::ofstream(path) << "7,70,-1\r\n8,80,-1\r\n9,90,-1\r\n";
  for (bool load : {false, true}) {
    f->CurrentRecording = Samples(10);
    f->TogglePlayback();
    sim::Advance(5);
    f->TogglePlayback();
    if (load) {
      f->LoadRecording(path);
    } else {
      f->ToggleRecording();
      sim::Advance(3);
      f->ToggleRecording();
    }
    sim::ClearInputLog();
    f->TogglePlayback();
    sim::Advance(1);
    ASSERT_EQ(MovedTo().size(), 1u) << load;
    EXPECT_EQ(MovedTo()[0], f->CurrentRecording[1].x) << load;
    f->TogglePlayback();
  }
}

TEST_F(Player, AnEmptyRecordingDoesNotPlayEvenWithRepeat) {
  f->ImRepetir_Click(0);
  f->TogglePlayback();
  sim::Advance(5);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->LBInfo.Caption(), "Stop");
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
  sim::KeyDown(platform::vk::kF10);
  f->TogglePlayback();
  sim::Advance(1);
  // The poll comes due while sample 2 plays: it runs in the player's yield and stops playback.
  sim::PostAtNextDoEvents(sim::TimerTickMessage(poll));
  sim::Advance(2);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  using namespace platform;
  // Sample 2's click still completed; sample 3 never came.
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Clicks(), (std::vector<ButtonEvent>{kLeftDown, kLeftUp, kLeftDown, kLeftUp}));
}

using Toggles = EngineTest;

TEST_F(Toggles, RecordingWhilePlayingChangesNothing) {
  f->ImRepetir_Click(0);
  f->CurrentRecording = Samples(3);
  f->TogglePlayback();
  f->ImOp_Click();
  EXPECT_EQ(f->Height(), 2650);
  f->ToggleRecording();
  EXPECT_EQ(f->Height(), 2650);
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
  EXPECT_EQ(f->LBInfo.ForeColor(), ui::kLightBlue);
  EXPECT_EQ(f->LBTempo.ForeColor(), ui::kLightBlue);
  EXPECT_EQ(f->LBTempo.Caption(), "00m 00s");
  EXPECT_EQ(f->ElapsedSeconds, 0);
  sim::Advance(10);
  EXPECT_EQ(f->CurrentRecording.UBound(), samples);
  sim::Advance(980);  // the chronometer counts its first second from the restart
  EXPECT_EQ(f->LBTempo.Caption(), "00m 00s");
  sim::Advance(10);
  EXPECT_EQ(f->LBTempo.Caption(), "00m 01s ");
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
