// "Simulate mouse clicks": a translucent square under the cursor while recording.
#include "engine/buttons.h"
#include "engine/form_click.h"
#include "ui/modtrans.h"
#include "engine_fixture.h"

namespace {

using ClickIndicator = EngineTest;

TEST_F(ClickIndicator, OffByDefaultARecordingNeverCreatesIt) {
  const auto windows = sim::Windows().size();
  f->ToggleRecording();
  sim::Advance(50);
  f->ToggleRecording();  // closing what is not there does no harm
  EXPECT_EQ(f->FormClick_, nullptr);
  EXPECT_EQ(sim::Windows().size(), windows);
}

TEST_F(ClickIndicator, TheOptionAndItsIndicatorFollowEachClickEvenWhileArmed) {
  f->ImSimular_Click(0);
  EXPECT_TRUE(f->SimulateClicks);
  EXPECT_TRUE(f->ImSimular[1].Visible());
  f->ScheduleArmed = true;
  f->ImSimular_Click(1);
  EXPECT_FALSE(f->SimulateClicks);
  EXPECT_FALSE(f->ImSimular[1].Visible());
}

TEST_F(ClickIndicator, ATranslucentSquareCentredUnderTheCursor) {
  f->ImSimular_Click(0);
  sim::MoveMouse(100, 160);
  f->ToggleRecording();
  ASSERT_NE(f->FormClick_, nullptr);
  sim::Advance(1);
  const auto& w = sim::Window(f->FormClick_->hWnd());
  EXPECT_TRUE(w.visible);
  EXPECT_EQ(w.title, "Tapwright");
  EXPECT_EQ(w.alpha, 128);
  EXPECT_EQ(w.bounds.left, 90);
  EXPECT_EQ(w.bounds.top, 150);
  EXPECT_EQ(w.bounds.width, 20);
  EXPECT_EQ(f->FormClick_->Left(), 1350);
  EXPECT_EQ(f->FormClick_->BackColor(), ui::kLightRed);
  // The user's click lands on it and is still recorded from the global button state; any
  // button flashes it, and the second press of a double click too.
  sim::MouseDown(platform::MouseButton::Right);
  EXPECT_EQ(f->FormClick_->BackColor(), ui::kLightBlue);
  sim::Advance(100);
  sim::MouseUp(platform::MouseButton::Right);
  EXPECT_EQ(f->FormClick_->BackColor(), ui::kLightRed);
  platform::MouseEvent second;
  second.kind = platform::MouseEvent::Kind::DoubleClick;
  second.button = platform::MouseButton::Left;
  w.listener->OnMouse(second);
  EXPECT_EQ(f->FormClick_->BackColor(), ui::kLightBlue);
  sim::Advance(1);
  bool right = false;
  for (int i = 1; i <= f->CurrentRecording.UBound(); ++i)
    right |= engine::PressedBy(f->CurrentRecording[i].code) == engine::kRight;
  EXPECT_TRUE(right);
  f->ToggleRecording();
  EXPECT_EQ(f->FormClick_, nullptr);
}

TEST_F(ClickIndicator, SwitchedOffDuringARecordingItStaysStill) {
  f->ImSimular_Click(0);
  sim::MoveMouse(100, 100);
  f->ToggleRecording();
  sim::Advance(1);
  f->ImSimular_Click(0);
  sim::MoveMouse(400, 400);
  sim::Advance(5);
  EXPECT_EQ(sim::Window(f->FormClick_->hWnd()).bounds.left, 90);
  EXPECT_TRUE(f->FormClick_->Visible());
}

TEST_F(ClickIndicator, SwitchedOnDuringARecordingItFollowsHiddenUntilTheNext) {
  f->ToggleRecording();
  f->ImSimular_Click(0);
  sim::MoveMouse(200, 200);
  sim::Advance(1);
  ASSERT_NE(f->FormClick_, nullptr);
  EXPECT_FALSE(f->FormClick_->Visible());
  EXPECT_EQ(sim::Window(f->FormClick_->hWnd()).bounds.left, 190);
  f->ToggleRecording();
  f->ToggleRecording();
  EXPECT_TRUE(f->FormClick_->Visible());
}

TEST_F(ClickIndicator, APlaybackStartedDuringTheRecordingLeavesItWhereItWas) {
  f->ImSimular_Click(0);
  f->ToggleRecording();
  sim::Advance(3);
  f->TogglePlayback();
  ASSERT_NE(f->FormClick_, nullptr);
  EXPECT_TRUE(f->FormClick_->Visible());
}

TEST(Transparency, AlphaRoundsHalvesToEven) {
  EXPECT_EQ(modTrans::AlphaForPercent(50), 128);  // 127.5
  EXPECT_EQ(modTrans::AlphaForPercent(93), 237);
  EXPECT_EQ(modTrans::AlphaForPercent(100), 255);
  EXPECT_EQ(modTrans::AlphaForPercent(0), 0);
  EXPECT_EQ(modTrans::AlphaForPercent(1), 3);      // 2.55
  EXPECT_EQ(modTrans::AlphaForPercent(200), 255);  // more than opaque is opaque
}

}  // namespace
