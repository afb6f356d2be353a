#include <gtest/gtest.h>

#include "engine/input.h"
#include "session_fixture.h"

namespace {

using model::kKeyPress;
using model::kKeyRelease;
using model::Sample;
using platform::VK_ESCAPE;
using platform::VK_F8;
using platform::VK_LSHIFT;

class Keyboard : public SessionTest {
 protected:
  // The samples that are keys', with their millisecond.
  static std::vector<std::pair<int, std::int32_t>> KeySamples(const model::Recording& r) {
    std::vector<std::pair<int, std::int32_t>> keys;
    for (int i = 1; i <= r.UBound(); ++i)
      if (engine::KeyPressedBy(r[i].code) || engine::KeyReleasedBy(r[i].code))
        keys.push_back({i, r[i].code});
    return keys;
  }

  static std::vector<std::pair<int, std::uint32_t>> KeysSent() {
    std::vector<std::pair<int, std::uint32_t>> keys;
    for (const auto& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::KeybdEvent) keys.push_back({e.vk, e.flags});
    return keys;
  }
};

TEST_F(Keyboard, KeysAreRecordedOnTheirMillisecondButNotTheHotkeysNorWithTheOptionOff) {
  for (bool on : {false, true}) {
    if (on) session.ToggleRecordKeyboard();
    EXPECT_EQ(session.GetOptions().record_keyboard, on);
    sim::KeyDown('Q');  // held since before the recording
    sim::MoveMouse(7, 8);
    session.ToggleRecording();
    sim::Advance(3);
    sim::KeyUp('Q');
    sim::KeyDown(VK_LSHIFT);
    sim::Advance(2);
    sim::TapKey('A');  // within one millisecond: a press and its release
    sim::TapKey(VK_ESCAPE);
    sim::TapKey(VK_F8);
    sim::Advance(1);
    sim::KeyUp(VK_LSHIFT);
    sim::Click(7, 8);  // a button is not a key
    sim::TapKey(platform::VK_BACK);
    sim::Advance(2);
    session.ToggleRecording();
    if (!on) {
      EXPECT_TRUE(KeySamples(Recording()).empty());
      continue;
    }
    // One tick's keys come after its buttons, in the order of their codes.
    const std::vector<std::pair<int, std::int32_t>> want = {{4, kKeyPress + VK_LSHIFT},
                                                            {6, kKeyPress + 'A'},
                                                            {7, kKeyRelease + 'A'},
                                                            {9, kKeyPress + platform::VK_BACK},
                                                            {10, kKeyRelease + platform::VK_BACK},
                                                            {11, kKeyRelease + VK_LSHIFT}};
    EXPECT_EQ(KeySamples(Recording()), want);
    EXPECT_EQ(Recording()[6], (Sample{7, 8, kKeyPress + 'A'}));
  }
}

TEST_F(Keyboard, SwitchedOnDuringARecordingKeysCountFromThen) {
  session.ToggleRecording();
  sim::TapKey('Z');  // typed while the option was off
  sim::Advance(2);
  session.ToggleRecordKeyboard();
  sim::TapKey('Y');
  sim::Advance(2);
  session.ToggleRecording();
  EXPECT_EQ(KeySamples(Recording()), (std::vector<std::pair<int, std::int32_t>>{
                                         {3, kKeyPress + 'Y'}, {4, kKeyRelease + 'Y'}}));
}

TEST_F(Keyboard, AChordBetweenTwoTicksKeepsItsModifiersAroundTheOtherKeys) {
  // Typed faster than the sampler ticks, as a typing tool does: the watch sees only the state.
  session.ToggleRecordKeyboard();
  session.ToggleRecording();
  sim::Advance(2);
  sim::KeyDown(VK_LSHIFT);
  sim::KeyDown(platform::VK_LCONTROL);
  sim::TapKey('H');  // 'H' comes before Shift and Ctrl in the watch's order
  sim::KeyUp(VK_LSHIFT);
  sim::Advance(1);
  sim::KeyDown(VK_LSHIFT);  // Shift again while Ctrl is held
  sim::TapKey('E');
  sim::KeyUp(platform::VK_LCONTROL);
  sim::Advance(1);
  sim::KeyUp(VK_LSHIFT);
  sim::Advance(1);
  session.ToggleRecording();
  std::vector<std::int32_t> codes;
  for (const auto& k : KeySamples(Recording())) codes.push_back(k.second);
  const std::vector<std::int32_t> want = {kKeyPress + VK_LSHIFT,
                                          kKeyPress + platform::VK_LCONTROL,
                                          kKeyPress + 'H',
                                          kKeyRelease + 'H',
                                          kKeyRelease + VK_LSHIFT,
                                          kKeyPress + VK_LSHIFT,
                                          kKeyPress + 'E',
                                          kKeyRelease + 'E',
                                          kKeyRelease + platform::VK_LCONTROL,
                                          kKeyRelease + VK_LSHIFT};
  EXPECT_EQ(codes, want);
}

TEST_F(Keyboard, AModifierLetGoAndPressedAgainWithinATickStaysHeld) {
  session.ToggleRecordKeyboard();
  session.ToggleRecording();
  sim::KeyDown(VK_LSHIFT);
  sim::Advance(2);
  sim::KeyUp(VK_LSHIFT);
  sim::KeyDown(VK_LSHIFT);
  sim::KeyDown(platform::VK_RMENU);  // AltGr, a modifier too
  sim::TapKey('H');
  sim::Advance(1);
  session.ToggleRecording();
  std::vector<std::int32_t> codes;
  for (const auto& k : KeySamples(Recording())) codes.push_back(k.second);
  EXPECT_EQ(codes, (std::vector<std::int32_t>{kKeyPress + VK_LSHIFT, kKeyRelease + VK_LSHIFT,
                                              kKeyPress + VK_LSHIFT, kKeyPress + platform::VK_RMENU,
                                              kKeyPress + 'H', kKeyRelease + 'H'}));
}

TEST_F(Keyboard, ReplaySendsTheKeysInOrderAndLetsGoOfThoseItHolds) {
  // Shift held over 'B', then Ctrl pressed and never released.
  const std::int32_t codes[] = {kKeyPress + VK_LSHIFT, kKeyPress + 'B', kKeyRelease + 'B',
                                kKeyRelease + VK_LSHIFT, kKeyPress + platform::VK_LCONTROL};
  model::Recording r = Samples(5);
  for (int i = 1; i <= 5; ++i) r[i].code = codes[i - 1];
  session.SetRecording(r);
  for (bool stop_early : {false, true}) {
    sim::ClearInputLog();
    session.TogglePlayback();
    if (stop_early) {
      sim::Advance(2);
      session.TogglePlayback();  // Shift and B are held
      EXPECT_EQ(KeysSent(), (std::vector<std::pair<int, std::uint32_t>>{
                                {VK_LSHIFT, 0},
                                {'B', 0},
                                {'B', platform::KEYEVENTF_KEYUP},
                                {VK_LSHIFT, platform::KEYEVENTF_KEYUP}}));
    } else {
      sim::Advance(7);
      ASSERT_FALSE(Playing());
      const std::vector<std::pair<int, std::uint32_t>> sent = KeysSent();
      ASSERT_EQ(sent.size(), 6u);
      EXPECT_EQ(sent[4], (std::pair<int, std::uint32_t>{platform::VK_LCONTROL, 0}));
      EXPECT_EQ(sent[5],
                (std::pair<int, std::uint32_t>{platform::VK_LCONTROL, platform::KEYEVENTF_KEYUP}));
    }
    EXPECT_FALSE(sim::KeyIsDown(VK_LSHIFT));
    EXPECT_FALSE(sim::KeyIsDown(platform::VK_LCONTROL));
  }
}

TEST(KeyCodes, AHotkeyOrAnythingOutsideTheKeysIsAMove) {
  struct Case {
    std::int32_t code;
    int pressed, released;
  } const cases[] = {{kKeyPress + 'A', 'A', 0},
                     {kKeyRelease + 'A', 0, 'A'},
                     {kKeyPress + VK_F8, 0, 0},
                     {kKeyRelease + VK_ESCAPE, 0, 0},
                     {kKeyPress + platform::VK_LBUTTON, 0, 0},
                     {kKeyPress + 256, 0, 0},
                     {kKeyRelease + 256, 0, 0},
                     {kKeyPress - 1, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(engine::KeyPressedBy(c.code), c.pressed) << c.code;
    EXPECT_EQ(engine::KeyReleasedBy(c.code), c.released) << c.code;
  }
}

TEST_F(Keyboard, AKeyBetweenAPressAndItsReleaseKeepsThemApart) {
  model::Recording r;
  r.Redim(3);
  r[1] = {1, 1, 9};
  r[2] = {1, 1, kKeyPress + 'C'};
  r[3] = {1, 1, 17};
  engine::JoinClicks(r);
  EXPECT_EQ(r[1].code, 9);
  EXPECT_EQ(r[3].code, 17);
}

using Speed = SessionTest;

TEST_F(Speed, StepsStayWithinTheTable) {
  for (int i = 0; i < 8; ++i) session.ChangeSpeed(1);
  EXPECT_EQ(session.GetOptions().speed_step, model::kSpeedCount - 1);
  EXPECT_EQ(session.GetOptions().SpeedFactor(), 8);
  for (int i = 0; i < 8; ++i) session.ChangeSpeed(-1);
  EXPECT_EQ(session.GetOptions().speed_step, 0);
  EXPECT_EQ(session.GetOptions().SpeedFactor(), 0.25);
}

TEST_F(Speed, ThePlaybackClockRunsAtTheFactorAndEveryButtonIsStillSent) {
  struct Case {
    int steps;  // from x1
    int ms;     // to play 2000 samples
  };
  for (const Case& c : {Case{1, 1000}, Case{-1, 4000}, Case{3, 250}}) {
    session.ChangeSpeed(model::kNormalSpeed - session.GetOptions().speed_step);
    for (int i = 0; i < std::abs(c.steps); ++i) session.ChangeSpeed(c.steps > 0 ? 1 : -1);
    model::Recording r = Samples(2000);
    for (int i = 1; i <= 2000; i += 2) r[i].code = model::kLeft;
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
  session.ChangeSpeed(1);  // the other 1500 samples at x2: 750 ms
  sim::Advance(748);
  EXPECT_TRUE(Playing());
  sim::Advance(4);
  EXPECT_FALSE(Playing());
}

}  // namespace
