// The key poller: global keys become commands once per press.
#include "platform/input.h"
#include "session_fixture.h"
#include "temp_files.h"

namespace {

using namespace platform;
using Hotkeys = SessionTest;

TEST_F(Hotkeys, F8StartsAndStopsARecordingOncePerPress) {
  sim::KeyDown(vk::kF8);
  int samples = -1;
  for (int poll = 1; poll <= 4; ++poll) {  // held across four polls: one recording, never restarted
    ToNextPoll();
    EXPECT_TRUE((State() == engine::State::Recording)) << poll;
    EXPECT_GT(static_cast<int>(Recording().size()), samples) << poll;
    samples = static_cast<int>(Recording().size());
  }
  sim::KeyUp(vk::kF8);
  sim::Advance(100);
  EXPECT_TRUE((State() == engine::State::Recording));
  PressKey(vk::kF8);
  EXPECT_FALSE((State() == engine::State::Recording));
  EXPECT_EQ(State(), engine::State::Idle);
}

TEST_F(Hotkeys, ATapBetweenTwoPollsIsNotLostAndTapsInTwoIntervalsCountTwice) {
  sim::Advance(50);
  sim::TapKey(vk::kF8);
  ToNextPoll();
  EXPECT_TRUE((State() == engine::State::Recording));
  sim::Advance(50);
  sim::TapKey(vk::kF8);
  ToNextPoll();
  EXPECT_FALSE((State() == engine::State::Recording));
}

TEST_F(Hotkeys, F10PlaysAndEscStops) {
  engine.switches.ToggleRepeat();
  session.SetRecording(Samples(2));
  PressKey(vk::kF10);
  EXPECT_TRUE(Playing());
  PressKey(vk::kEscape);
  EXPECT_FALSE(Playing());
  EXPECT_EQ(State(), engine::State::Idle);
}

TEST_F(Hotkeys, EscStopsARecordingAndDoesNothingWhileIdle) {
  PressKey(vk::kEscape);
  EXPECT_EQ(State(), engine::State::Idle);
  EXPECT_FALSE(Playing());
  PressKey(vk::kF8);
  PressKey(vk::kEscape);
  EXPECT_FALSE((State() == engine::State::Recording));
  EXPECT_FALSE(Recording().empty());
}

TEST_F(Hotkeys, F8AndEscInOnePollLeaveAnEmptyRecording) {
  for (const bool esc_tapped : {false, true}) {  // a tap, let go before the poll, counts too
    session.SetRecording(Samples(4));
    sim::Advance(99 - sim::Now() % 100);
    sim::KeyDown(vk::kF8);
    esc_tapped ? sim::TapKey(vk::kEscape) : sim::KeyDown(vk::kEscape);
    sim::Advance(1);
    EXPECT_FALSE((State() == engine::State::Recording));
    EXPECT_TRUE(Recording().empty());
    EXPECT_EQ(State(), engine::State::Idle);
    sim::KeyUp(vk::kF8);
    sim::KeyUp(vk::kEscape);
    ToNextPoll();
  }
}

TEST_F(Hotkeys, F8AndF10InOnePollEndIdleWithNothingToPlay) {
  sim::Advance(99);
  sim::KeyDown(vk::kF8);
  sim::KeyDown(vk::kF10);
  sim::Advance(1);
  EXPECT_FALSE((State() == engine::State::Recording));
  EXPECT_FALSE(Playing());
  EXPECT_FALSE(engine.recorder.Running());
  EXPECT_EQ(State(), engine::State::Idle);
}

TEST_F(Hotkeys, EveryPollIsToldSoTheWindowStaysOnTop) {
  sim::Advance(300);
  EXPECT_EQ(view.Count(engine::Change::HotkeyPoll), 3);
}

TEST_F(Hotkeys, WhileTheTimerIsArmedOnlyEscActs) {
  engine.switches.ToggleRepeat();
  session.SetRecording(Samples(2));
  engine.single_timer.SetEndTime({13, 0});
  ASSERT_TRUE(engine.single_timer.Toggle());
  session.TogglePlayback();
  view.changes.clear();
  PressKey(vk::kF10);
  PressKey(vk::kF8);
  sim::KeyDown(vk::kLeftButton);
  EXPECT_TRUE(Playing());
  EXPECT_EQ(view.Count(engine::Change::HotkeyPoll), 0);
  PressKey(vk::kF5);
  PressKey(vk::kF6);
  PressKey(vk::kEscape);
  EXPECT_FALSE(Playing());
  EXPECT_FALSE(engine.single_timer.Armed());
  EXPECT_EQ(view.Count(engine::Change::SingleTimer), 1);
  // What was pressed while armed is spent: it does not act once the timer is off.
  sim::Advance(300);
  EXPECT_EQ(State(), engine::State::Idle);
  EXPECT_TRUE(view.asked.empty());
}

// Keys only the application in front should see are left to it: loading and saving act only
// while idle, a stop only while something runs.
TEST_F(Hotkeys, OnlyTheKeysThatActNowAreTakenFromOtherApplications) {
  const std::vector<int> idle{vk::kF8, vk::kF10, vk::kF5, vk::kF6};
  const std::vector<int> running{vk::kF8, vk::kF10, vk::kEscape};
  EXPECT_EQ(sim::TakenKeys(), idle);
  const int calls = sim::TakeHotkeysCalls();
  sim::Advance(500);
  EXPECT_EQ(sim::TakeHotkeysCalls(), calls) << "the same keys are not taken again";
  PressKey(vk::kF8);
  EXPECT_EQ(sim::TakenKeys(), running) << "recording";
  ToNextPoll();
  PressKey(vk::kF8);
  EXPECT_EQ(sim::TakenKeys(), idle);
  engine.switches.ToggleRepeat();
  PressKey(vk::kF10);
  EXPECT_EQ(sim::TakenKeys(), running) << "playing";
  PressKey(vk::kEscape);
  EXPECT_EQ(sim::TakenKeys(), idle);
  engine.single_timer.SetEndTime({13, 0});
  ASSERT_TRUE(engine.single_timer.Toggle());
  ToNextPoll();
  EXPECT_EQ(sim::TakenKeys(), running) << "timer armed";
  ToNextPoll();
  PressKey(vk::kEscape);
  EXPECT_EQ(sim::TakenKeys(), idle);
  const TempFolder folder;
  sim::HoldBackgroundWork(true);
  view.Answer(folder.File("t.tpw", 5));
  PressKey(vk::kF5);
  EXPECT_EQ(sim::TakenKeys(), running) << "loading";
  sim::RunHeldWork();
  ToNextPoll();
  EXPECT_EQ(sim::TakenKeys(), idle);
  view.Answer(folder.File("u.tpw", 5));
  PressKey(vk::kF5);
  ToNextPoll();
  PressKey(vk::kEscape);
  EXPECT_EQ(sim::TakenKeys(), idle) << "load cancelled";
  sim::RunHeldWork();
}

// A key pressed while a file dialog shows is spent, not acted on once it closes.
TEST_F(Hotkeys, KeysPressedWhileADialogShowsAreSpent) {
  session.SetRecording(Samples(3));
  for (const int opening : {vk::kF5, vk::kF6}) {
    for (const int meanwhile : {vk::kF8, vk::kF5, vk::kF6}) {
      view.asked.clear();
      view.while_open = [meanwhile] { sim::TapKey(meanwhile); };
      view.Answer(std::nullopt, 250);
      PressKey(opening);
      view.while_open = nullptr;
      sim::Advance(300);
      EXPECT_EQ(State(), engine::State::Idle) << opening << " " << meanwhile;
      EXPECT_EQ(view.asked.size(), 1u) << opening << " " << meanwhile;
    }
  }
  // A dialog that fails leaves the keys working.
  view.throw_next = true;
  PressKey(vk::kF5);
  PressKey(vk::kF8);
  EXPECT_EQ(State(), engine::State::Recording);
}

// A click on a line of the hotkey panel, then a key: the command takes that key, and the key it
// had goes back to the application in front. Esc keeps the key; another command's is refused.
TEST_F(Hotkeys, AChosenKeyTakesTheCommandsPlace) {
  const int f9 = vk::kF1 + 8;
  engine.hotkeys.Choose(engine::Command::Record);
  EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::ChooseKey);
  PressKey(vk::kF8);  // while choosing, no hotkey acts: F8 is the choice
  EXPECT_EQ(State(), engine::State::Idle);
  EXPECT_EQ(engine.hotkeys.Keys().KeyOf(engine::Command::Record), vk::kF8);
  engine.hotkeys.Choose(engine::Command::Record);
  for (const int modifier : {vk::kShift, vk::kLeftShift, vk::kRightAlt}) sim::TapKey(modifier);
  ToNextPoll();
  PressKey(f9);  // a modifier is no choice: the key after it is
  EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::KeyChosen);
  EXPECT_EQ(engine.hotkeys.Keys().KeyOf(engine::Command::Record), f9);
  EXPECT_EQ(sim::TakenKeys(), (std::vector<int>{f9, vk::kF10, vk::kF5, vk::kF6}));
  ToNextPoll();
  PressKey(vk::kF8);
  EXPECT_EQ(State(), engine::State::Idle);
  PressKey(f9);
  EXPECT_EQ(State(), engine::State::Recording);
  ToNextPoll();
  PressKey(f9);
  EXPECT_EQ(State(), engine::State::Idle);

  engine.hotkeys.Choose(engine::Command::Play);
  PressKey(vk::kEscape);
  EXPECT_EQ(engine.hotkeys.Keys().KeyOf(engine::Command::Play), vk::kF10);
  EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::KeyKept);
  engine.hotkeys.Choose(engine::Command::Play);
  ToNextPoll();
  PressKey(f9);
  EXPECT_EQ(engine.hotkeys.Keys().KeyOf(engine::Command::Play), vk::kF10);
  EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::KeyInUse);
  EXPECT_EQ(engine.status.Name(), "F9");
  EXPECT_EQ(State(), engine::State::Idle);
}

// The desktop tells of a taken key's press before the session starts.
struct HotkeyPressesTold {
  HotkeyPressesTold() { sim::TellHotkeyPresses(true); }
};
class IdleHotkeys : public SimTest, protected Hands, HotkeyPressesTold {
 protected:
  FakeView view;
  engine::Engine engine{view};
  engine::Session& session = engine.session;
};

TEST_F(IdleHotkeys, IdleATakenKeysPressWakesTheSessionWhichElsePollsOnceASecond) {
  sim::Advance(1000);
  EXPECT_EQ(RunningTimers(100), 0);
  EXPECT_EQ(view.Count(engine::Change::HotkeyPoll), 1);  // on top, once a second
  sim::TapKey(vk::kEscape);  // into the application in front, not taken while idle
  sim::KeyDown(vk::kF8);
  sim::Advance(1);
  EXPECT_EQ(session.GetState(), engine::State::Recording);
  sim::KeyUp(vk::kF8);
  EXPECT_EQ(RunningTimers(100), 1);  // Esc is polled while something runs
  PressKey(vk::kEscape);
  EXPECT_EQ(session.GetState(), engine::State::Idle);
  EXPECT_EQ(RunningTimers(100), 0);

  // F8 acts before the sampler's next tick, in the last tick's millisecond or after it: the
  // recording still runs to where the pointer went meanwhile.
  for (const int late : {0, 1}) {
    sim::KeyDown(vk::kF8);
    sim::Advance(0);
    ASSERT_EQ(session.GetState(), engine::State::Recording);  // its release went unseen
    const std::int64_t started = sim::Now();
    sim::KeyUp(vk::kF8);
    sim::Advance(5);
    sim::MoveMouse(40 + late, 50);
    sim::Stall(late);
    sim::KeyDown(vk::kF8);
    sim::Advance(0);
    sim::KeyUp(vk::kF8);
    ASSERT_EQ(session.GetState(), engine::State::Idle);
    const model::Recording& r = session.GetRecording();
    EXPECT_EQ(static_cast<std::int64_t>(r.size()), sim::Now() - started);
    EXPECT_EQ(std::pair(r.back().x, r.back().y), std::pair(40 + late, 50));
  }

  engine.hotkeys.Choose(engine::Command::Play);  // any key may be the one: all are polled
  EXPECT_EQ(RunningTimers(100), 1);
  sim::KeyDown(vk::kEscape);
  sim::Advance(100);
  sim::KeyUp(vk::kEscape);
  EXPECT_EQ(RunningTimers(100), 0);

  session.SetRecording(Samples(2));
  ASSERT_TRUE(engine.single_timer.Toggle());  // Esc disarms it: taken at once
  EXPECT_EQ(sim::TakenKeys(), (std::vector<int>{vk::kF8, vk::kF10, vk::kEscape}));
  sim::KeyDown(vk::kEscape);
  sim::Advance(1);
  EXPECT_FALSE(engine.single_timer.Armed());
}

}  // namespace
