#include <gtest/gtest.h>

#include "engine/input.h"
#include "platform/input.h"
#include "session_fixture.h"

namespace {

using model::kKeyPress;
using model::kKeyRelease;
using model::Sample;
namespace vk = platform::vk;
namespace vk = platform::vk;
namespace vk = platform::vk;

class Keyboard : public SessionTest {
 protected:
  // The samples that are keys', with their millisecond.
  static std::vector<std::pair<int, std::int32_t>> KeySamples(const model::Recording& r) {
    const engine::HotkeySet keys;
    std::vector<std::pair<int, std::int32_t>> key_samples;
    for (size_t i = 0; i < r.size(); ++i)
      if (engine::KeyPressedBy(r[i].code, keys) || engine::KeyReleasedBy(r[i].code, keys))
        key_samples.push_back({static_cast<int>(i) + 1, r[i].code});
    return key_samples;
  }

  // Each key sent, and whether it went down.
  static std::vector<std::pair<int, bool>> KeysSent() {
    std::vector<std::pair<int, bool>> keys;
    for (const auto& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::Key) keys.push_back({e.vk, e.down});
    return keys;
  }
};

TEST_F(Keyboard, KeysAreRecordedOnTheirMillisecondButNotTheHotkeysNorWithTheOptionOff) {
  for (bool on : {false, true}) {
    if (on) engine.switches.ToggleRecordKeyboard();
    EXPECT_EQ(engine.Options().record_keyboard, on);
    sim::KeyDown('Q');  // held since before the recording
    sim::MoveMouse(7, 8);
    session.ToggleRecording();
    sim::Advance(3);
    sim::KeyUp('Q');
    sim::KeyDown(vk::kLeftShift);
    sim::Advance(2);
    sim::TapKey('A');  // within one millisecond: a press and its release
    sim::TapKey(vk::kEscape);
    sim::TapKey(vk::kF8);
    sim::Advance(1);
    sim::KeyUp(vk::kLeftShift);
    sim::Click(7, 8);  // a button is not a key
    sim::TapKey(platform::vk::kBackspace);
    sim::Advance(2);
    session.ToggleRecording();
    if (!on) {
      EXPECT_TRUE(KeySamples(Recording()).empty());
      continue;
    }
    // One tick's keys come after its buttons, in the order of their codes.
    const std::vector<std::pair<int, std::int32_t>> want = {
        {4, kKeyPress + vk::kLeftShift},
        {6, kKeyPress + 'A'},
        {7, kKeyRelease + 'A'},
        {9, kKeyPress + platform::vk::kBackspace},
        {10, kKeyRelease + platform::vk::kBackspace},
        {11, kKeyRelease + vk::kLeftShift}};
    EXPECT_EQ(KeySamples(Recording()), want);
    EXPECT_EQ(Recording()[5], (Sample{7, 8, kKeyPress + 'A'}));
  }
}

TEST_F(Keyboard, FromTheirEventsKeysKeepTheirMillisecondAndOrderThroughALateTick) {
  sim::SetInputEvents(true, false);
  engine.switches.ToggleRecordKeyboard();
  session.ToggleRecording();
  sim::KeyDown('Q');  // held since a recording before this one
  sim::Advance(2);
  session.ToggleRecording();
  session.ToggleRecording();
  sim::Advance(2);
  sim::KeyUp('Q');
  sim::KeyDown(vk::kLeftShift);
  sim::Stall(1);  // the ticks are late
  sim::KeyDown('H');
  sim::KeyDown('H');  // the key repeats
  sim::Stall(1);
  sim::KeyUp('H');
  sim::TapKey(vk::kF8);
  sim::KeyUp(vk::kLeftShift);
  sim::Advance(2);
  session.ToggleRecording();
  EXPECT_EQ(KeySamples(Recording()),
            (std::vector<std::pair<int, std::int32_t>>{{3, kKeyPress + vk::kLeftShift},
                                                       {4, kKeyPress + 'H'},
                                                       {5, kKeyRelease + 'H'},
                                                       {6, kKeyRelease + vk::kLeftShift}}));
}

TEST_F(Keyboard, SwitchedOnDuringARecordingKeysCountFromThen) {
  session.ToggleRecording();
  sim::TapKey('Z');  // typed while the option was off
  sim::Advance(2);
  engine.switches.ToggleRecordKeyboard();
  sim::TapKey('Y');
  sim::Advance(2);
  session.ToggleRecording();
  EXPECT_EQ(KeySamples(Recording()), (std::vector<std::pair<int, std::int32_t>>{
                                         {3, kKeyPress + 'Y'}, {4, kKeyRelease + 'Y'}}));
}

// The keyboard's watch reads keys every millisecond; a hotkey tapped between two key polls must
// still reach the key poll, whichever key the user chose.
TEST_F(Keyboard, AHotkeyTappedWhileKeysAreRecordedStillActs) {
  engine.switches.ToggleRecordKeyboard();
  engine.hotkeys.Choose(engine::Command::Record);
  PressKey(platform::vk::kF1 + 8);
  ToNextPoll();
  PressKey(platform::vk::kF1 + 8);
  ASSERT_EQ(State(), engine::State::Recording);
  ToNextPoll();  // the press is over
  sim::Advance(50);
  sim::TapKey(platform::vk::kF1 + 8);
  ToNextPoll();
  EXPECT_EQ(State(), engine::State::Idle);
}

TEST_F(Keyboard, AChordBetweenTwoTicksKeepsItsModifiersAroundTheOtherKeys) {
  // Typed faster than the sampler ticks, as a typing tool does: the watch sees only the state.
  engine.switches.ToggleRecordKeyboard();
  session.ToggleRecording();
  sim::Advance(2);
  sim::KeyDown(vk::kLeftShift);
  sim::KeyDown(platform::vk::kLeftControl);
  sim::TapKey('H');  // 'H' comes before Shift and Ctrl in the watch's order
  sim::KeyUp(vk::kLeftShift);
  sim::Advance(1);
  sim::KeyDown(vk::kLeftShift);  // Shift again while Ctrl is held
  sim::TapKey('E');
  sim::KeyUp(platform::vk::kLeftControl);
  sim::Advance(1);
  sim::KeyUp(vk::kLeftShift);
  sim::Advance(1);
  session.ToggleRecording();
  std::vector<std::int32_t> codes;
  for (const auto& k : KeySamples(Recording())) codes.push_back(k.second);
  const std::vector<std::int32_t> want = {kKeyPress + vk::kLeftShift,
                                          kKeyPress + platform::vk::kLeftControl,
                                          kKeyPress + 'H',
                                          kKeyRelease + 'H',
                                          kKeyRelease + vk::kLeftShift,
                                          kKeyPress + vk::kLeftShift,
                                          kKeyPress + 'E',
                                          kKeyRelease + 'E',
                                          kKeyRelease + platform::vk::kLeftControl,
                                          kKeyRelease + vk::kLeftShift};
  EXPECT_EQ(codes, want);
}

TEST_F(Keyboard, AModifierLetGoAndPressedAgainWithinATickStaysHeld) {
  engine.switches.ToggleRecordKeyboard();
  session.ToggleRecording();
  sim::KeyDown(vk::kLeftShift);
  sim::Advance(2);
  sim::KeyUp(vk::kLeftShift);
  sim::KeyDown(vk::kLeftShift);
  sim::KeyDown(platform::vk::kRightAlt);  // AltGr, a modifier too
  sim::TapKey('H');
  sim::Advance(1);
  session.ToggleRecording();
  std::vector<std::int32_t> codes;
  for (const auto& k : KeySamples(Recording())) codes.push_back(k.second);
  EXPECT_EQ(codes, (std::vector<std::int32_t>{
                       kKeyPress + vk::kLeftShift, kKeyRelease + vk::kLeftShift,
                       kKeyPress + vk::kLeftShift, kKeyPress + platform::vk::kRightAlt,
                       kKeyPress + 'H', kKeyRelease + 'H'}));
}

TEST_F(Keyboard, ReplaySendsTheKeysInOrderAndLetsGoOfThoseItHolds) {
  // Shift held over 'B', then Ctrl pressed and never released.
  const std::int32_t codes[] = {kKeyPress + vk::kLeftShift, kKeyPress + 'B', kKeyRelease + 'B',
                                kKeyRelease + vk::kLeftShift,
                                kKeyPress + platform::vk::kLeftControl};
  model::Recording r = Samples(5);
  for (size_t i = 0; i < 5; ++i) r[i].code = codes[i];
  session.SetRecording(r);
  for (bool stop_early : {false, true}) {
    sim::ClearInputLog();
    session.TogglePlayback();
    if (stop_early) {
      sim::Advance(2);
      session.TogglePlayback();  // Shift and B are held
      EXPECT_EQ(KeysSent(),
                (std::vector<std::pair<int, bool>>{
                    {vk::kLeftShift, true}, {'B', true}, {'B', false}, {vk::kLeftShift, false}}));
    } else {
      sim::Advance(7);
      ASSERT_FALSE(Playing());
      const std::vector<std::pair<int, bool>> sent = KeysSent();
      ASSERT_EQ(sent.size(), 6u);
      EXPECT_EQ(sent[4], (std::pair<int, bool>{platform::vk::kLeftControl, true}));
      EXPECT_EQ(sent[5], (std::pair<int, bool>{platform::vk::kLeftControl, false}));
    }
    EXPECT_FALSE(sim::KeyIsDown(vk::kLeftShift));
    EXPECT_FALSE(sim::KeyIsDown(platform::vk::kLeftControl));
  }
}

TEST(KeyCodes, AHotkeyOrAnythingOutsideTheKeysIsAMove) {
  struct Case {
    std::int32_t code;
    int pressed, released;
  } const cases[] = {{kKeyPress + 'A', 'A', 0},
                     {kKeyRelease + 'A', 0, 'A'},
                     {kKeyPress + vk::kF8, 0, 0},
                     {kKeyRelease + vk::kEscape, 0, 0},
                     {kKeyPress + platform::vk::kLeftButton, 0, 0},
                     {kKeyPress + 256, 0, 0},
                     {kKeyRelease + 256, 0, 0},
                     {kKeyPress - 1, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(engine::KeyPressedBy(c.code, engine::HotkeySet()), c.pressed) << c.code;
    EXPECT_EQ(engine::KeyReleasedBy(c.code, engine::HotkeySet()), c.released) << c.code;
  }
}

TEST_F(Keyboard, ALateTickStillSendsTheKeysItPassedOver) {
  model::Recording r = Samples(10);
  r[1].code = kKeyPress + 'K';
  r[2].code = kKeyRelease + 'K';
  session.SetRecording(r);
  session.TogglePlayback();
  sim::Stall(5);
  sim::Advance(0);
  EXPECT_EQ(KeysSent(), (std::vector<std::pair<int, bool>>{{'K', true}, {'K', false}}));
}

TEST_F(Keyboard, AKeyBetweenAPressAndItsReleaseKeepsThemApart) {
  model::Recording r;
  r.push_back({1, 1, 9});
  r.push_back({1, 1, kKeyPress + 'C'});
  r.push_back({1, 1, 17});
  engine::JoinClicks(r);
  EXPECT_EQ(r[0].code, 9);
  EXPECT_EQ(r[2].code, 17);
}

using Speed = SessionTest;

TEST_F(Speed, StepsStayWithinTheTable) {
  for (int i = 0; i < 8; ++i) engine.switches.ChangeSpeed(1);
  EXPECT_EQ(engine.Options().speed_step, model::kSpeedCount - 1);
  EXPECT_EQ(engine.Options().SpeedFactor(), 8);
  for (int i = 0; i < 8; ++i) engine.switches.ChangeSpeed(-1);
  EXPECT_EQ(engine.Options().speed_step, 0);
  EXPECT_EQ(engine.Options().SpeedFactor(), 0.25);
}

TEST_F(Speed, ThePlaybackClockRunsAtTheFactorAndEveryButtonIsStillSent) {
  struct Case {
    int steps;  // from x1
    int ms;     // to play 2000 samples
  };
  for (const Case& c : {Case{1, 1000}, Case{-1, 4000}, Case{3, 250}}) {
    engine.switches.ChangeSpeed(model::kNormalSpeed - engine.Options().speed_step);
    for (int i = 0; i < std::abs(c.steps); ++i) engine.switches.ChangeSpeed(c.steps > 0 ? 1 : -1);
    model::Recording r = Samples(2000);
    for (size_t i = 0; i < 2000; i += 2) r[i].code = model::kLeft;
    session.SetRecording(r);
    sim::ClearInputLog();
    session.TogglePlayback();
    sim::Advance(c.ms - 2);
    EXPECT_TRUE(Playing()) << c.steps;
    sim::Advance(4);
    EXPECT_FALSE(Playing()) << c.steps;
    EXPECT_EQ(Clicks().size(), 2000u) << c.steps;  // down and up of 1000 clicks
  }
}

TEST_F(Speed, ChangedDuringAPlaybackItAppliesFromWhereThePlaybackIs) {
  session.SetRecording(Samples(2000));
  session.TogglePlayback();
  sim::Advance(500);
  engine.switches.ChangeSpeed(1);  // the other 1500 samples at x2: 750 ms
  sim::Advance(748);
  EXPECT_TRUE(Playing());
  sim::Advance(4);
  EXPECT_FALSE(Playing());
}

}  // namespace
