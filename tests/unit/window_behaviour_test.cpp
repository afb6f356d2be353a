// Panels, corner hopping and the About window.
#include "engine_fixture.h"
#include "shell/form_acercade.h"

namespace {

using Panels = EngineTest;

TEST_F(Panels, OneOpensAtATimeInPlaceOfTheStatusStrip) {
  f->ImOp_Click();
  EXPECT_EQ(f->frOptions.Top(), 380);
  EXPECT_EQ(f->Height(), 2650);
  f->ImInfo_Click();
  EXPECT_EQ(f->FrInfo.Top(), 380);
  EXPECT_EQ(f->frOptions.Top(), 5000);
  EXPECT_EQ(f->Height(), 2050);
  f->ImInfo_Click();
  EXPECT_EQ(f->FrInfo.Top(), 5000);
  EXPECT_EQ(f->Height(), 1000);
}

TEST_F(Panels, TheSequenceAndTimerPanelsAreLockedByTheOtherMode) {
  f->ImOp_Click();
  f->ScheduleArmed = true;
  f->ImSec_Click(0);
  EXPECT_EQ(f->frOptions.Top(), 380);
  f->ScheduleArmed = false;
  f->SequenceOn = true;
  f->ImTempo_Click(1);
  EXPECT_EQ(f->frOptions.Top(), 380);
  f->ImSec_Click(1);
  EXPECT_EQ(f->frSec.Top(), 380);
}

TEST_F(Panels, APanelOpenedInABottomCornerLiftsTheWindow) {
  const int sh = 1080 * 15;
  f->Move(0, sh - 1500);
  f->ImOp_Click();
  EXPECT_EQ(f->Top(), sh - 2650);
}

class Corners : public EngineTest {
 protected:
  // A point of the window's own background, clear of its controls.
  void CrossWindow() {
    const auto b = sim::Window(f->hWnd()).bounds;
    sim::MoveMouse(b.left + 5, b.top + 40);
  }
  std::pair<int, int> Position() { return {f->Left(), f->Top()}; }
  const int sw = 1920 * 15, sh = 1080 * 15, w = 2670, h = 1000;
};

TEST_F(Corners, WhileRecordingTheWindowCirclesTheCorners) {
  f->ToggleRecording();
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(sw - w, 0));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(sw - w, sh - h - 500));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, sh - h - 500));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

TEST_F(Corners, FromAnyOtherPlaceItGoesToTheTopLeft) {
  f->ToggleRecording();
  sim::MoveWindowFromOutside(f->hWnd(), 300, 200);
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

TEST_F(Corners, TheyAreThePrimaryMonitorsWhereverItLies) {
  sim::SetVirtualScreen({-1280, 0, 3200, 1080});
  sim::SetPrimaryOrigin(-1280, 100);  // a primary monitor left of and below the screen's origin
  const int x0 = -1280 * 15, y0 = 100 * 15;
  f->ToggleRecording();
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(x0, y0));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(x0 + sw - w, y0));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(x0 + sw - w, y0 + sh - h - 500));
  f->ImOp_Click();  // a panel that would reach below the monitor lifts the window
  EXPECT_EQ(f->Top() + f->Height(), y0 + sh);
  f->ToggleRecording();
  EXPECT_EQ(Position(), std::make_pair(x0, y0));
}

TEST_F(Corners, OnlyTheBackgroundCountsAndOnlyWhileBusy) {
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));
  f->ToggleRecording();
  sim::MoveMouse(30, 33);  // over the status strip
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

TEST_F(Corners, ThePlayersOwnMovesCountAndTheStopBringsItBack) {
  f->CurrentRecording.Redim(2);
  f->CurrentRecording[1] = {5, 40, -1};  // the window's background at the top-left
  f->CurrentRecording[2] = {900, 500, -1};
  f->TogglePlayback();
  sim::Advance(1);
  EXPECT_EQ(Position(), std::make_pair(sw - w, 0));
  sim::Advance(2);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

using About = EngineTest;

TEST_F(About, TheTitleOpensItModalCentredWithTheVersion) {
  for (int round = 0; round < 2; ++round) {
    bool checked = false;
    sim::OnNextModal([&](platform::WindowHandle w) {
      const auto& s = sim::Window(w);
      EXPECT_TRUE(s.visible);
      EXPECT_TRUE(sim::Window(f->hWnd()).disabled);
      EXPECT_EQ(s.bounds.width, 283);
      EXPECT_EQ(s.bounds.height, 170);
      EXPECT_EQ(s.bounds.left, (1920 - 283) / 2);
      EXPECT_EQ(s.bounds.top, (1080 - 170) / 2);
      const auto ops = sim::Paint(w);
      EXPECT_TRUE(std::any_of(ops.begin(), ops.end(),
                              [](const sim::DrawOp& op) { return op.text == "v1.0.8"; }));
      sim::Advance(300);  // the main window's timers go on meanwhile
      // A click on the version label closes it as a click on the picture does.
      sim::Click(s.bounds.left + (round == 0 ? 10 : 250), s.bounds.top + (round == 0 ? 10 : 160));
      checked = true;
    });
    sim::Click(10, 8);  // the title
    EXPECT_TRUE(checked);
    EXPECT_FALSE(sim::Window(f->hWnd()).disabled);
    EXPECT_EQ(sim::Windows().size(), 1u);
  }
}

TEST_F(About, ItsPictureFillsItAtAnyScale) {
  for (const double twips_per_pixel : {15.0, 10.0, 7.5}) {  // 96, 144 and 192 DPI
    sim::SetScreen(1920, 1080, twips_per_pixel);
    tapwright::FormAcercade about;
    about.Form_Load();
    about.Show();
    const platform::Rect window = sim::Window(about.hWnd()).bounds;
    int pictures = 0;
    for (const auto& op : sim::Paint(about.hWnd())) {
      if (op.kind != sim::DrawOp::Kind::Picture) continue;
      ++pictures;
      EXPECT_EQ(op.rect.width, window.width) << twips_per_pixel;
      EXPECT_EQ(op.rect.height, window.height) << twips_per_pixel;
    }
    EXPECT_EQ(pictures, 1) << twips_per_pixel;
  }
}

TEST_F(About, TheVersionLabelStaysInTheBottomRight) {
  tapwright::FormAcercade about;
  about.Form_Load();
  EXPECT_EQ(about.LBVer.Caption(), "v1.0.8");
  EXPECT_EQ(about.LBVer.Left() + about.LBVer.Width(), 2520 + 1455);
  EXPECT_GE(about.LBVer.Top(), 2550 / 2);
}

}  // namespace
