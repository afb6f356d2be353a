// The wheel and the side buttons: their codes, their place in a recording, their replay.
#include <vector>

#include "engine/input.h"
#include "platform/input.h"
#include "session_fixture.h"

namespace {

using model::Sample;
using platform::MouseButton;
using platform::WheelAxis;

TEST(InputCodes, WheelAndSideButtonCodesReadBackAsWritten) {
  struct Case {
    std::int32_t code;
    int pressed, released, vertical, horizontal;
  };
  const Case cases[] = {
      {32, 32, 32, 0, 0},
      {40, 32, 0, 0, 0},
      {48, 0, 32, 0, 0},
      {64, 64, 64, 0, 0},
      {72, 64, 0, 0, 0},
      {80, 0, 64, 0, 0},
      {56, 0, 0, 0, 0},
      {8192 + 120, 0, 0, 120, 0},
      {8192 - 4095, 0, 0, -4095, 0},
      {8192 + 1, 0, 0, 1, 0},
      {16384 - 120, 0, 0, 0, -120},
      {16384 + 4095, 0, 0, 0, 4095},
      {8192, 0, 0, 0, 0},
      {8192 + 4096, 0, 0, 0, 0},
      {16384 - 4096, 0, 0, 0, 0},
      {16384 + 4096, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(engine::PressedBy(c.code), c.pressed) << c.code;
    EXPECT_EQ(engine::ReleasedBy(c.code), c.released) << c.code;
    EXPECT_EQ(engine::WheelTurnedBy(c.code, WheelAxis::Vertical), c.vertical) << c.code;
    EXPECT_EQ(engine::WheelTurnedBy(c.code, WheelAxis::Horizontal), c.horizontal) << c.code;
    const bool acts = c.pressed || c.released || c.vertical || c.horizontal;
    EXPECT_EQ(engine::Acts(c.code, engine::HotkeySet()), acts) << c.code;
    if (c.vertical) {
      EXPECT_EQ(engine::WheelCodes(WheelAxis::Vertical, c.vertical),
                (std::vector<std::int32_t>{c.code}));
    }
    if (c.horizontal) {
      EXPECT_EQ(engine::WheelCodes(WheelAxis::Horizontal, c.horizontal),
                (std::vector<std::int32_t>{c.code}));
    }
  }
  // More than a code holds is split, and nothing is no code at all.
  EXPECT_EQ(engine::WheelCodes(WheelAxis::Vertical, -5000),
            (std::vector<std::int32_t>{8192 - 4095, 8192 - 905}));
  EXPECT_TRUE(engine::WheelCodes(WheelAxis::Horizontal, 0).empty());
}

// From x -100, a press 20 ms in and a notch down 40 ms in, with no sampler tick until 50 ms: the
// hand at x 100 and 200 then, at x 300 when the tick came.
TEST_F(SimTest, EventsGoOnTheMillisecondTheyHappenedAtThePlaceOnThePath) {
  struct Placed {
    int ms;
    int x;
    std::int32_t code;
  };
  struct Case {
    const char* name;
    bool events, with_position;
    std::vector<Placed> placed;
  };
  const Case cases[] = {
      {"placed by the system", true, true, {{21, 100, 9}, {41, 200, 8192 - 120}}},
      {"on the line between two ticks", true, false, {{21, 68, 9}, {41, 228, 8192 - 120}}},
      {"polled at the tick", false, false, {{50, 300, 9}}},
  };
  for (const Case& c : cases) {
    sim::Reset();
    sim::SetInputEvents(c.events, c.with_position);
    const engine::HotkeySet keys;
    engine::Recorder recorder(keys, nullptr);
    model::Recording r;
    sim::MoveMouse(-100, 0);
    recorder.Start(r, false);
    sim::Stall(20);
    sim::MoveMouse(100, 0);
    sim::MouseDown(MouseButton::Left);
    sim::MoveMouse(200, 0);
    sim::Stall(20);
    sim::TurnWheel(WheelAxis::Vertical, -120);
    sim::MoveMouse(300, 0);
    sim::Stall(10);
    sim::Advance(0);
    recorder.Stop();
    ASSERT_EQ(r.size(), 50u) << c.name;
    EXPECT_EQ(r[49].x, 300) << c.name;
    for (const Placed& p : c.placed) {
      EXPECT_EQ(r[static_cast<size_t>(p.ms) - 1].x, p.x) << c.name << " " << p.code;
      EXPECT_EQ(r[static_cast<size_t>(p.ms) - 1].code, p.code) << c.name;
    }
    int coded = 0;
    for (const Sample& s : r) coded += s.code != model::kMove;
    EXPECT_EQ(coded, static_cast<int>(c.placed.size())) << c.name;
  }
}

// The X server's clock, read to the millisecond, may stamp a release before its own press, or a
// click made as the pointer arrived on the tick that read the pointer still on its way.
TEST_F(SimTest, AClickStampedEarlyStaysInOrderWhereItWasMade) {
  struct Case {
    const char* name;
    bool tick_before_move;
    std::int64_t press_skew_us, release_skew_us;
  };
  const Case cases[] = {
      {"release read before the press", false, 0, -1000},
      {"click read on the tick before the move", true, -1000, -1000},
  };
  for (const Case& c : cases) {
    sim::Reset();
    sim::SetInputEvents(true, true);
    const engine::HotkeySet keys;
    engine::Recorder recorder(keys, nullptr);
    model::Recording r;
    sim::MoveMouse(-100, 0);
    recorder.Start(r, false);
    sim::Stall(20);
    if (c.tick_before_move) sim::Advance(0);
    sim::MoveMouse(100, 0);
    sim::SkewNextInputEvent(c.press_skew_us);
    sim::MouseDown(MouseButton::Left);
    sim::SkewNextInputEvent(c.release_skew_us);
    sim::MouseUp(MouseButton::Left);
    sim::Stall(5);
    sim::Advance(0);
    recorder.Stop();
    std::vector<Sample> coded;
    for (const Sample& s : r)
      if (s.code != model::kMove) coded.push_back(s);
    EXPECT_EQ(coded, (std::vector<Sample>{{100, 0, model::kLeft}})) << c.name;
  }
}

using Recorder = SessionTest;

TEST_F(Recorder, FromEventsOnlyWhatTheRecordingPressedIsReleasedAndAClickTakesOneSample) {
  sim::SetInputEvents(true, true);
  sim::MouseDown(MouseButton::X2);  // held since before the recording
  session.ToggleRecording();
  sim::Advance(3);
  sim::MouseUp(MouseButton::X2);
  sim::Click(7, 7, MouseButton::X1);
  sim::Advance(1);
  EXPECT_EQ(Recording().size(), 4u);  // the click took one sample
  sim::Advance(1);
  session.ToggleRecording();
  EXPECT_FALSE(sim::WatchingInputEvents());  // idle, nothing piles up
  ASSERT_EQ(Recording().size(), 5u);
  EXPECT_EQ(Recording()[3], (Sample{7, 7, 32}));
  for (size_t i : {0, 1, 2, 4}) EXPECT_EQ(Recording()[i].code, model::kMove) << i;
}

// Only a release joins the press before it into a click: a turn in the press's millisecond, in
// place, keeps a sample of its own.
TEST_F(Recorder, ATurnOnTheHeelsOfAPressIsNoClick) {
  sim::SetInputEvents(true, true);
  session.ToggleRecording();
  sim::Advance(2);
  sim::MoveMouse(7, 7);
  sim::MouseDown(MouseButton::Left);
  sim::TurnWheel(WheelAxis::Vertical, -120);
  sim::Advance(1);
  session.ToggleRecording();
  std::vector<std::int32_t> codes;
  for (const Sample& s : Recording())
    if (s.code != model::kMove) codes.push_back(s.code);
  EXPECT_EQ(codes, (std::vector<std::int32_t>{9, 8192 - 120}));
}

// Whatever the system cannot send of a turn goes with the next turn on the same axis.
TEST_F(SimTest, TheWheelTurnsAsFarAsRecordedWithWhatCannotBeSentCarried) {
  const std::int32_t turns[] = {8192 + 60,  16384 + 100, 8192 + 60,  8192 - 30,
                                8192 + 150, 16384 + 20,  8192 - 250, 64};
  struct Case {
    int step;
    std::vector<std::pair<WheelAxis, int>> sent;
  };
  const WheelAxis v = WheelAxis::Vertical, h = WheelAxis::Horizontal;
  const Case cases[] = {
      {120, {{v, 120}, {v, 120}, {h, 120}, {v, -240}}},
      {1, {{v, 60}, {h, 100}, {v, 60}, {v, -30}, {v, 150}, {h, 20}, {v, -250}}},
  };
  for (const Case& c : cases) {
    sim::Reset();
    sim::SetWheelStep(c.step);
    FakeView fresh_view;
    engine::Engine fresh{fresh_view};
    engine::Session& s = fresh.session;
    model::Recording r = Hands::Samples(static_cast<int>(std::size(turns)));
    for (size_t i = 0; i < std::size(turns); ++i) r[i].code = turns[i];
    s.SetRecording(r);
    s.TogglePlayback();
    sim::Advance(20);
    s.TogglePlayback();  // a second playback starts with nothing carried
    sim::Advance(20);
    std::vector<std::pair<WheelAxis, int>> sent;
    for (const sim::InputEvent& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::Wheel) sent.emplace_back(e.axis, e.delta);
    std::vector<std::pair<WheelAxis, int>> twice = c.sent;
    twice.insert(twice.end(), c.sent.begin(), c.sent.end());
    EXPECT_EQ(sent, twice) << c.step;
    EXPECT_EQ(Hands::Clicks(), (std::vector<ButtonEvent>{{MouseButton::X2, true},
                                                         {MouseButton::X2, false},
                                                         {MouseButton::X2, true},
                                                         {MouseButton::X2, false}}));
  }
}

}  // namespace
