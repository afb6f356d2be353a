// Recording, playback and the Rec/Play toggles, millisecond by millisecond.
#include <fstream>
#include <functional>
#include <limits>
#include <variant>

#include "engine/input.h"
#include "engine/play_file_job.h"
#include "model/command_line.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "session_fixture.h"
#include "temp_files.h"

namespace {

using model::Sample;

using Recorder = SessionTest;

TEST_F(Recorder, OneMovementSamplePerMillisecondAtTheCursor) {
  sim::MoveMouse(300, 400);
  PressKey(platform::vk::kF8);  // poll at 100 starts the recording
  ASSERT_TRUE((State() == engine::State::Recording));
  sim::Advance(2);
  sim::MoveMouse(-20, 5);
  sim::Advance(1);
  ASSERT_EQ(Recording().size(), 3u);
  EXPECT_EQ(Recording()[0], (Sample{300, 400, -1}));
  EXPECT_EQ(Recording()[2], (Sample{-20, 5, -1}));
}

TEST_F(Recorder, StartingDiscardsTheSamplesAndTheSamplerRunsOnlyWhileRecording) {
  session.SetRecording(Samples(5));
  session.ToggleRecording();
  EXPECT_TRUE(engine.recorder.Running());
  EXPECT_TRUE(engine.chronometer.Fresh());
  EXPECT_EQ(view.Count(engine::Change::Toggle), 1);  // the window closes its panels
  session.ToggleRecording();                         // before any sampler tick
  EXPECT_TRUE(Recording().empty());
  EXPECT_EQ(State(), engine::State::Idle);
  EXPECT_FALSE(engine.chronometer.Running());
  EXPECT_FALSE(engine.recorder.Running());  // idle costs nothing
}

TEST_F(Recorder, ALateTickMakesUpTheMillisecondsItMissedOnALine) {
  sim::MoveMouse(100, 200);
  session.ToggleRecording();
  sim::Stall(4);  // the loop was busy: no tick for 4 ms, from the start
  sim::MoveMouse(140, 160);
  sim::Advance(0);
  ASSERT_EQ(Recording().size(), 4u);
  EXPECT_EQ(Recording()[0], (Sample{110, 190, -1}));
  EXPECT_EQ(Recording()[3], (Sample{140, 160, -1}));
  sim::Stall(2);
  sim::Click(170, 160);  // a button comes last, where it was seen
  sim::Advance(0);
  ASSERT_EQ(Recording().size(), 6u);
  EXPECT_EQ(Recording()[4], (Sample{155, 160, -1}));
  EXPECT_EQ(Recording()[5], (Sample{170, 160, 1}));
  sim::Advance(994);
  EXPECT_EQ(Recording().size(), 1000u);  // a millisecond a sample
}

// The codes a recording holds, without its moves.
std::vector<Sample> ButtonSamples(const model::Recording& r) {
  std::vector<Sample> out;
  for (const Sample& s : r)
    if (s.code != model::kMove) out.push_back(s);
  return out;
}

TEST_F(Recorder, ButtonsAreRecordedAsPressedOnTheirMillisecond) {
  using platform::MouseButton;
  sim::MouseDown(MouseButton::Right);  // held since before the recording
  sim::Click(5, 5);                    // focusing the target before F8
  sim::MoveMouse(10, 10);
  session.ToggleRecording();
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
  session.ToggleRecording();
  EXPECT_EQ(ButtonSamples(Recording()), (std::vector<Sample>{{10, 10, 2},
                                                             {10, 10, 1},
                                                             {10, 10, 9},
                                                             {60, 10, 17},
                                                             {10, 10, 1},
                                                             {10, 10, 4},
                                                             {10, 10, 2}}));
  EXPECT_EQ(Recording()[12].code, 1);  // pressed in the 13th millisecond
  EXPECT_EQ(Recording()[162].code, -1);
  EXPECT_EQ(Recording()[172].code, 9);
  EXPECT_EQ(Recording()[182].code, 17);
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
    model::Recording r;
    for (const Sample& s : c.samples) r.push_back(s);
    engine::JoinClicks(r);
    for (size_t i = 0; i < c.codes.size(); ++i)
      EXPECT_EQ(r[i].code, c.codes[i]) << c.name << " " << i;
  }
  for (int held : {300, 301}) {  // the release on sample held, held ms after the press
    model::Recording r;
    for (int i = 0; i <= held; ++i) r.push_back({3, 3, -1});
    r[0].code = 12;
    r[static_cast<size_t>(held)].code = 20;
    engine::JoinClicks(r);
    EXPECT_EQ(r[0].code, held <= engine::kClickMs ? 4 : 12) << held;
  }
}

TEST_F(Recorder, ButtonsAreNotRecordedWhileIdle) {
  sim::KeyDown(platform::vk::kLeftButton);
  sim::Advance(300);
  EXPECT_TRUE(Recording().empty());
}

TEST_F(SimTest, ASampleThatCannotBeStoredIsDroppedWithoutAGap) {
  model::Recording r;
  const engine::HotkeySet keys;
  engine::Recorder recorder(keys, nullptr, 3);
  recorder.Start(r, false);
  sim::Stall(3);
  sim::Click(5, 5);
  sim::Advance(0);  // two moves and the click: all stored
  sim::Click(6, 6);
  sim::Advance(3);  // full: the rest is dropped, not left as a gap
  recorder.Stop();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[2], (Sample{5, 5, 1}));
}

TEST_F(Recorder, AFailingCursorQueryRecordsTheOrigin) {
  sim::MoveMouse(70, 80);
  session.ToggleRecording();
  sim::FailCursorPosition(true);
  sim::Advance(1);
  EXPECT_EQ(Recording()[0], (Sample{0, 0, -1}));
}

using Player = SessionTest;

TEST_F(Player, ThreeSamplesTakeFourTicks) {
  session.SetRecording(Samples(3));
  sim::Advance(5);
  session.TogglePlayback();
  EXPECT_EQ(State(), engine::State::Playing);
  sim::Advance(3);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(Playing());
  sim::Advance(1);
  EXPECT_FALSE(Playing());
  EXPECT_EQ(State(), engine::State::Idle);
  EXPECT_EQ(view.changes.back(), engine::Change::State);
  EXPECT_FALSE(engine.chronometer.Running());
}

TEST_F(Player, RepeatWrapsWithATickThatPlaysNothingAndRestartsTheChronometer) {
  engine.switches.ToggleRepeat();
  EXPECT_TRUE(engine.Options().repeat);
  session.SetRecording(Samples(3));
  session.TogglePlayback();
  sim::Advance(8);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(view.Count(engine::Change::Chronometer), 2);
  sim::Advance(1500);  // a pass is 4 ms: the count starts over before it reaches a second
  EXPECT_EQ(engine.chronometer.Seconds(), 0);
  EXPECT_TRUE(Playing());
  engine.switches.ToggleRepeat();
  EXPECT_FALSE(engine.Options().repeat);
  engine.single_timer.Toggle();  // the armed timer locks the option
  engine.switches.ToggleRepeat();
  EXPECT_FALSE(engine.Options().repeat);
}

TEST_F(Player, AStoppedPlaybackResumesWhereItStopped) {
  session.SetRecording(Samples(10));
  session.TogglePlayback();
  sim::Advance(5);
  session.TogglePlayback();
  sim::Advance(50);
  session.TogglePlayback();
  sim::Advance(1);
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(Player, AShorterRecordingAfterAStopEndsAtOnceThenStartsFromOne) {
  session.SetRecording(Samples(10));
  session.TogglePlayback();
  sim::Advance(5);
  session.TogglePlayback();
  session.SetRecording(Samples(3));
  session.TogglePlayback();
  sim::Advance(1);
  EXPECT_FALSE(Playing());
  session.TogglePlayback();
  sim::Advance(1);
  EXPECT_EQ(MovedTo().back(), 1);
}

TEST_F(Player, ButtonSamplesActAtTheirPositionAfterTheYield) {
  model::Recording r;
  for (const Sample& s : {Sample{5, 5, 2}, Sample{6, 6, 0}, Sample{7, 7, 12}, Sample{8, 8, 20}})
    r.push_back(s);
  session.SetRecording(r);
  size_t clicks_at_yield = 99;
  sim::PostAtNextDoEvents([&] { clicks_at_yield = Clicks().size(); });
  session.TogglePlayback();
  sim::Advance(5);
  EXPECT_EQ(clicks_at_yield, 0u);  // the cursor moved, the pending messages ran, then the click
  using namespace platform;
  EXPECT_EQ(Clicks(), (std::vector<ButtonEvent>{kRightDown, kRightUp, kMiddleDown, kMiddleUp}));
  EXPECT_EQ(sim::InputLog()[1].x, 5);      // the right click came at (5, 5)
  EXPECT_EQ(sim::InputLog().back().x, 8);  // the middle button let go at (8, 8)
}

TEST_F(Player, ALateTickPlaysTheSampleDueAndSendsTheButtonsItPassedOver) {
  model::Recording r = Samples(300);
  r[2].code = model::kLeft;
  r[4].code = model::kRight + model::kPress;
  session.SetRecording(r);
  session.TogglePlayback();
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
  EXPECT_EQ(State(), engine::State::Idle);
}

// A tick more than 100 ms late follows a stall: the playback pauses for it and goes on at the
// recorded pace, where a shorter delay still sends what it passed over at once.
TEST_F(SimTest, AStallIsAPauseNotABurstOfOverdueClicks) {
  struct Case {
    std::int64_t stall_ms;
    std::vector<std::int64_t> click_times;  // the clicks of samples 200 and 300
  } const cases[] = {{100, {250, 300}}, {101, {251, 300}}, {2000, {2199, 2299}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stall_ms);
    sim::Reset();
    FakeView view;
    engine::Engine fresh(view);
    engine::Session& session = fresh.session;
    model::Recording r = Hands::Samples(400);
    for (int ms : {100, 200, 300}) r[static_cast<size_t>(ms) - 1].code = model::kLeft;
    session.SetRecording(r);
    session.TogglePlayback();
    sim::Advance(150);
    sim::Stall(c.stall_ms);
    sim::Advance(400);
    std::vector<std::int64_t> times;
    for (const auto& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::Button && e.down && e.time > 150)
        times.push_back(e.time);
    EXPECT_EQ(times, c.click_times);
  }
}

TEST_F(Player, ATickLateAtTheEndStillSendsTheRestAndLetsGo) {
  model::Recording r = Samples(10);
  r[1].code = model::kLeft + model::kPress;  // held from here on
  r[8].code = model::kMiddle;
  session.SetRecording(r);
  session.TogglePlayback();
  sim::Advance(7);
  sim::Stall(10);
  sim::Advance(0);
  using namespace platform;
  EXPECT_EQ(Clicks(), (std::vector<ButtonEvent>{kLeftDown, kMiddleDown, kMiddleUp, kLeftUp}));
  EXPECT_EQ(MovedTo().back(), 10);  // the pointer ends where the recording ended
  EXPECT_FALSE(Playing());
}

TEST_F(Player, ANewRecordingOrALoadedOnePlaysFromItsFirstSample) {
  const std::string path = testing::TempDir() + "three.tpw";
  std::ofstream(path) << "7,70,-1\r\n8,80,-1\r\n9,90,-1\r\n";
  for (bool load : {false, true}) {
    session.SetRecording(Samples(10));
    session.TogglePlayback();
    sim::Advance(5);
    session.TogglePlayback();
    if (load) {
      session.LoadRecording(path);
    } else {
      session.ToggleRecording();
      sim::Advance(3);
      session.ToggleRecording();
    }
    sim::ClearInputLog();
    session.TogglePlayback();
    sim::Advance(1);
    ASSERT_EQ(MovedTo().size(), 1u) << load;
    EXPECT_EQ(MovedTo()[0], Recording()[0].x) << load;
    session.TogglePlayback();
  }
}

TEST_F(Player, AnEmptyRecordingDoesNotPlayEvenWithRepeat) {
  engine.switches.ToggleRepeat();
  session.TogglePlayback();
  sim::Advance(5);
  EXPECT_FALSE(Playing());
  EXPECT_EQ(State(), engine::State::Idle);
}

TEST_F(Player, RecordingsBeyondASixteenBitCountPlayAndWrap) {
  engine.switches.ToggleRepeat();
  session.SetRecording(Samples(40000));
  session.TogglePlayback();
  sim::Advance(40000);
  EXPECT_EQ(MovedTo().back(), 40000);
  sim::Advance(2);
  EXPECT_EQ(MovedTo().back(), 1);
}

TEST_F(Player, AStopInsideTheYieldStillCompletesTheSampleInProgress) {
  session.SetRecording(Samples(3, model::kLeft));
  platform::TimerId poll = 0;
  for (const auto& t : sim::ActiveTimers())
    if (t.interval_ms == 100) poll = t.id;
  sim::KeyDown(platform::vk::kF10);
  session.TogglePlayback();
  sim::Advance(1);
  // The poll comes due while sample 2 plays: it runs in the player's yield and stops playback.
  sim::PostAtNextDoEvents(sim::TimerTickMessage(poll));
  sim::Advance(2);
  EXPECT_FALSE(Playing());
  using namespace platform;
  // Sample 2's click still completed; sample 3 never came.
  EXPECT_EQ(MovedTo(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Clicks(), (std::vector<ButtonEvent>{kLeftDown, kLeftUp, kLeftDown, kLeftUp}));
}

using Toggles = SessionTest;

TEST_F(Toggles, RecordingWhilePlayingChangesNothing) {
  engine.switches.ToggleRepeat();
  session.SetRecording(Samples(3));
  session.TogglePlayback();
  view.changes.clear();
  session.ToggleRecording();
  EXPECT_TRUE(view.changes.empty());  // not even the panels close
  EXPECT_TRUE(Playing());
  EXPECT_EQ(State(), engine::State::Playing);
}

TEST_F(Toggles, PlaybackDuringARecordingEndsIt) {
  session.ToggleRecording();
  sim::Advance(1500);
  const size_t samples = Recording().size();
  view.changes.clear();
  session.TogglePlayback();
  EXPECT_EQ(view.changes.front(), engine::Change::Toggle);  // the panels close
  EXPECT_EQ(State(), engine::State::Playing);
  EXPECT_TRUE(engine.chronometer.Fresh());
  sim::Advance(10);
  EXPECT_EQ(Recording().size(), samples);
  sim::Advance(980);  // the chronometer counts its first second from the restart
  EXPECT_TRUE(engine.chronometer.Fresh());
  sim::Advance(10);
  EXPECT_EQ(engine.chronometer.Seconds(), 1);
}

using Chronometer = SessionTest;

TEST_F(Chronometer, CountsSecondsIntoMinutesAndKeepsItsReadingWhenStopped) {
  session.ToggleRecording();
  sim::Advance(59'000);
  EXPECT_EQ(engine.chronometer.Seconds(), 59);
  sim::Advance(1000);
  EXPECT_EQ(engine.chronometer.Minutes(), 1);
  EXPECT_EQ(engine.chronometer.Seconds(), 0);
  sim::Advance(15'000);
  session.ToggleRecording();
  sim::Advance(5000);
  EXPECT_EQ(engine.chronometer.Minutes(), 1);
  EXPECT_EQ(engine.chronometer.Seconds(), 15);
}

TEST_F(SimTest, TheChronometerHoldsAtItsLargestCount) {
  int ticks = 0;
  engine::Chronometer c([&] { ++ticks; });
  c.Restart();
  sim::Advance((32767LL * 60 + 58) * 1000);
  EXPECT_EQ(c.Minutes(), 32767);
  EXPECT_EQ(c.Seconds(), 58);
  sim::Advance(3000);
  EXPECT_EQ(c.Minutes(), 32767);
  EXPECT_EQ(c.Seconds(), 59);
  EXPECT_EQ(ticks, 32767 * 60 + 59);
}

using HandOver = SessionTest;

// A file handed from outside (a later copy, a drop) is taken only while nothing would lose by
// it: never over a recording in progress, into a playback that holds a button, over file work
// or behind a dialog; the session says so and goes on as it was.
TEST_F(HandOver, AHandedFileWaitsForNothingAndWipesNothing) {
  const TempFolder folder;
  const std::string other = folder.File("other.tpw", 5, 1);
  model::Recording drag = Samples(400);
  drag[0].code = model::kLeft + model::kPress;
  struct Case {
    const char* busy;
    std::function<void()> make_busy;  // none: a dialog shows
    engine::State state;
  };
  const Case cases[] = {
      {"recording", [&] { session.ToggleRecording(); }, engine::State::Recording},
      {"playing",
       [&] {
         session.SetRecording(drag);
         session.TogglePlayback();
         sim::Advance(5);
       },
       engine::State::Playing},
      {"at work on a file",
       [&] {
         sim::HoldBackgroundWork(true);
         session.LoadRecording(other);
       },
       engine::State::Idle},
      {"showing a dialog", nullptr, engine::State::Idle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.busy);
    sim::ClearInputLog();
    session.SetRecording(Samples(3));
    std::vector<std::pair<int, std::string>> outcomes;
    model::Recording before;
    const auto hand = [&] {
      before = Recording();
      const auto heard = [&](int code, const std::string& why) {
        outcomes.emplace_back(code, why);
      };
      session.OpenHandedFile(other, heard);
      session.PlayFile(other, 1, 1, false, heard);
    };
    if (c.make_busy) {
      c.make_busy();
      hand();
    } else {
      view.while_open = hand;
      session.Act(engine::Command::Load);
      sim::Pump();  // the view asks once the command has returned
      view.while_open = nullptr;
    }
    const std::pair<int, std::string> busy{model::kExitBusy, c.busy};
    EXPECT_EQ(outcomes, (std::vector{busy, busy}));
    EXPECT_EQ(State(), c.state);
    EXPECT_EQ(Recording(), before);
    EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::Busy);
    if (State() == engine::State::Playing) {
      EXPECT_EQ(Clicks(), (std::vector{kLeftDown}));  // the button held is the recording's
    }
    if (State() != engine::State::Idle) PressKey(platform::vk::kEscape);
    sim::HoldBackgroundWork(false);
    sim::RunHeldWork();
    sim::Advance(100);
  }
  // Free again, it loads; F10 pressed meanwhile plays it once read.
  int outcome = -1;
  sim::HoldBackgroundWork(true);
  session.OpenHandedFile(other, [&outcome](int code, auto&) { outcome = code; });
  PressKey(platform::vk::kF10);
  sim::RunHeldWork();
  sim::Advance(100);
  EXPECT_EQ(outcome, model::kExitPlayed);
  EXPECT_EQ(Recording().size(), 1u);
  EXPECT_EQ(MovedTo(), (std::vector{5}));
}

// A playback that starts behind a dialog (the sequence, the timer) still stops with Esc.
TEST_F(HandOver, EscStopsAPlaybackBehindADialog) {
  session.SetRecording(Samples(5000));
  view.while_open = [&] {
    session.TogglePlayback();
    PressKey(platform::vk::kEscape);
    EXPECT_EQ(State(), engine::State::Idle);
  };
  session.Act(engine::Command::Load);
  sim::Pump();
  EXPECT_EQ(view.asked.size(), 1u);
}

// A file played from outside keeps its own pace whatever the user's options say, until the user
// changes them while it plays; it tells its outcome once.
TEST(PlayFileJob, PlaysAtItsOwnPaceUntilTheUserChooses) {
  struct Case {
    double speed;
    bool wait;
    bool user_chooses;  // the user changes the speed and waiting while it plays
    double playing_at;
    bool waits;
  } const cases[] = {
      {1, false, false, 1, false}, {1.5, true, false, 1.5, true}, {0.25, false, true, 4, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    model::Options options;
    options.speed_step = 3;
    options.wait_for_screen = true;
    std::vector<int> outcomes;
    engine::PlayFileJob job(options);
    job.Begin([&outcomes](int code, const std::string&) { outcomes.push_back(code); });
    job.Loaded(1, c.speed, c.wait);
    if (c.user_chooses) {
      options.speed_step = 4;
      job.SpeedChosen();
      job.WaitChosen();
    }
    EXPECT_EQ(job.SpeedFactor(), c.playing_at);
    EXPECT_EQ(job.WaitsForScreen(), c.waits);
    job.End(model::kExitPlayed, "");
    job.End(model::kExitStopped, "");
    EXPECT_EQ(job.SpeedFactor(), options.SpeedFactor());
    EXPECT_TRUE(job.WaitsForScreen());
    EXPECT_EQ(outcomes, std::vector{model::kExitPlayed});
    EXPECT_FALSE(job.Running());
  }
}

}  // namespace
