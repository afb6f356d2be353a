// "Simulate mouse clicks": a translucent square under the cursor while recording.
#include "engine/input.h"
#include "platform/display.h"
#include "platform/input.h"
#include "ui/opacity.h"
#include "window_fixture.h"

namespace {

class ClickIndicator : public WindowTest {
 protected:
  const window::ClickIndicator* Indicator() const { return w->GetClickIndicator(); }
  engine::Session& session = Session();
};

TEST_F(ClickIndicator, OffByDefaultARecordingNeverCreatesIt) {
  const auto windows = sim::Windows().size();
  session.ToggleRecording();
  sim::Advance(50);
  session.ToggleRecording();  // closing what is not there does no harm
  EXPECT_EQ(Indicator(), nullptr);
  EXPECT_EQ(sim::Windows().size(), windows);
}

TEST_F(ClickIndicator, TheOptionAndItsIndicatorFollowEachClickEvenWhileArmed) {
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().simulate_clicks.button);
  EXPECT_TRUE(Engine().Options().simulate_clicks);
  EXPECT_TRUE(TitleRow().simulate_indicator.Visible());
  session.SetRecording(Samples(1));
  ASSERT_TRUE(Engine().single_timer.Toggle());
  ClickOn(TitleRow().simulate_indicator);
  EXPECT_FALSE(Engine().Options().simulate_clicks);
  EXPECT_FALSE(TitleRow().simulate_indicator.Visible());
}

TEST_F(ClickIndicator, ATranslucentSquareCentredUnderTheCursor) {
  Engine().switches.ToggleSimulateClicks();
  sim::MoveMouse(100, 160);
  session.ToggleRecording();
  ASSERT_NE(Indicator(), nullptr);
  sim::Advance(1);
  const auto& square = sim::Window(Indicator()->Handle());
  EXPECT_TRUE(square.visible);
  EXPECT_EQ(square.title, "Tapwright");
  EXPECT_EQ(square.alpha, 128);
  EXPECT_EQ(square.bounds.left, 90);
  EXPECT_EQ(square.bounds.top, 150);
  EXPECT_EQ(square.bounds.width, 20);
  EXPECT_EQ(Indicator()->Left(), 1350);
  EXPECT_EQ(Indicator()->BackColor(), ui::kLightRed);
  // The user's click lands on it and is still recorded from the global button state; any
  // button flashes it, and the second press of a double click too.
  sim::MouseDown(platform::MouseButton::Right);
  EXPECT_EQ(Indicator()->BackColor(), ui::kLightBlue);
  sim::Advance(100);
  sim::MouseUp(platform::MouseButton::Right);
  EXPECT_EQ(Indicator()->BackColor(), ui::kLightRed);
  platform::MouseEvent second;
  second.kind = platform::MouseEvent::Kind::DoubleClick;
  second.button = platform::MouseButton::Left;
  square.listener->OnMouse(second);
  EXPECT_EQ(Indicator()->BackColor(), ui::kLightBlue);
  sim::Advance(1);
  bool right = false;
  for (const model::Sample& s : session.GetRecording())
    right |= engine::PressedBy(s.code) == model::kRight;
  EXPECT_TRUE(right);
  session.ToggleRecording();
  EXPECT_EQ(Indicator(), nullptr);
}

TEST_F(ClickIndicator, SwitchedOffDuringARecordingItStaysStill) {
  Engine().switches.ToggleSimulateClicks();
  sim::MoveMouse(100, 100);
  session.ToggleRecording();
  sim::Advance(1);
  Engine().switches.ToggleSimulateClicks();
  sim::MoveMouse(400, 400);
  sim::Advance(5);
  EXPECT_EQ(sim::Window(Indicator()->Handle()).bounds.left, 90);
  EXPECT_TRUE(Indicator()->Visible());
}

TEST_F(ClickIndicator, SwitchedOnDuringARecordingItFollowsHiddenUntilTheNext) {
  session.ToggleRecording();
  Engine().switches.ToggleSimulateClicks();
  sim::MoveMouse(200, 200);
  sim::Advance(1);
  ASSERT_NE(Indicator(), nullptr);
  EXPECT_FALSE(Indicator()->Visible());
  EXPECT_EQ(sim::Window(Indicator()->Handle()).bounds.left, 190);
  session.ToggleRecording();
  session.ToggleRecording();
  EXPECT_TRUE(Indicator()->Visible());
}

TEST_F(ClickIndicator, APlaybackStartedDuringTheRecordingLeavesItWhereItWas) {
  Engine().switches.ToggleSimulateClicks();
  session.ToggleRecording();
  sim::Advance(3);
  session.TogglePlayback();
  ASSERT_NE(Indicator(), nullptr);
  EXPECT_TRUE(Indicator()->Visible());
}

TEST(Transparency, AlphaRoundsHalvesToEven) {
  EXPECT_EQ(ui::AlphaForPercent(50), 128);  // 127.5
  EXPECT_EQ(ui::AlphaForPercent(93), 237);
  EXPECT_EQ(ui::AlphaForPercent(100), 255);
  EXPECT_EQ(ui::AlphaForPercent(0), 0);
  EXPECT_EQ(ui::AlphaForPercent(1), 3);      // 2.55
  EXPECT_EQ(ui::AlphaForPercent(200), 255);  // more than opaque is opaque
}

}  // namespace
