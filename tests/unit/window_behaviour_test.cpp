// Panels, corner hopping and the About window.
#include <algorithm>

#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "temp_files.h"
#include "window/about_window.h"
#include "window_fixture.h"

namespace {

using Panels = WindowTest;

TEST_F(Panels, OneOpensAtATimeInPlaceOfTheStatusStrip) {
  ClickOn(TitleRow().options_button);
  EXPECT_EQ(OptionsPanel().frame.Top(), 380);
  EXPECT_EQ(w->Height(), 2935);
  ClickOn(TitleRow().hotkeys_button);
  EXPECT_EQ(HotkeyPanel().frame.Top(), 380);
  EXPECT_EQ(OptionsPanel().frame.Top(), 5000);
  EXPECT_EQ(w->Height(), 2050);
  ClickOn(TitleRow().hotkeys_button);
  EXPECT_EQ(HotkeyPanel().frame.Top(), 5000);
  EXPECT_EQ(w->Height(), 1000);
}

TEST_F(Panels, TheSequenceAndTimerPanelsAreLockedByTheOtherMode) {
  Session().SetRecording(Samples(1));
  Engine().single_timer.Toggle();
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().sequence.button);
  EXPECT_EQ(OptionsPanel().frame.Top(), 380);
  Engine().single_timer.Toggle();
  Engine().sequence.Add("C:\\a.tpw");
  Engine().sequence.Toggle();
  ClickOn(OptionsPanel().single_timer.button);
  EXPECT_EQ(OptionsPanel().frame.Top(), 380);
  ClickOn(TitleRow().sequence_indicator);  // the title row's indicator opens it too
  EXPECT_EQ(SequencePanel().frame.Top(), 380);
}

TEST_F(Panels, APanelOpenedInABottomCornerLiftsTheWindow) {
  const int sh = 1080 * 15;
  w->Move(0, sh - 1500);
  ClickOn(TitleRow().options_button);
  EXPECT_EQ(w->Top(), sh - 2935);
}

class Corners : public WindowTest {
 protected:
  // A point of the window's own background, clear of its controls.
  void CrossWindow() {
    const auto b = sim::Window(w->Handle()).bounds;
    sim::MoveMouse(b.left + 5, b.top + 40);
  }
  std::pair<int, int> Position() { return {w->Left(), w->Top()}; }
  const int sw = 1920 * 15, sh = 1080 * 15, width = 2670, h = 1000;
};

TEST_F(Corners, WhileRecordingTheWindowCirclesTheCorners) {
  Session().ToggleRecording();
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(sw - width, 0));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(sw - width, sh - h - 500));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, sh - h - 500));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

TEST_F(Corners, FromAnyOtherPlaceItGoesToTheTopLeft) {
  Session().ToggleRecording();
  sim::MoveWindowFromOutside(w->Handle(), 300, 200);
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

TEST_F(Corners, TheyAreThePrimaryMonitorsWhereverItLies) {
  sim::SetVirtualScreen({-1280, 0, 3200, 1080});
  sim::SetPrimaryOrigin(-1280, 100);  // a primary monitor left of and below the screen's origin
  const int x0 = -1280 * 15, y0 = 100 * 15;
  Session().ToggleRecording();
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(x0, y0));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(x0 + sw - width, y0));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(x0 + sw - width, y0 + sh - h - 500));
  ClickOn(
      TitleRow().options_button);  // a panel that would reach below the monitor lifts the window
  EXPECT_EQ(w->Top() + w->Height(), y0 + sh);
  Session().ToggleRecording();
  EXPECT_EQ(Position(), std::make_pair(x0, y0));
}

TEST_F(Corners, OnlyTheBackgroundCountsAndOnlyWhileBusy) {
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));
  Session().ToggleRecording();
  sim::MoveMouse(30, 33);  // over the status strip
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

TEST_F(Corners, ThePlayersOwnMovesCountAndTheStopBringsItBack) {
  model::Recording r;
  r.push_back({5, 40, -1});  // the window's background at the top-left
  r.push_back({900, 500, -1});
  Session().SetRecording(r);
  Session().TogglePlayback();
  sim::Advance(1);
  EXPECT_EQ(Position(), std::make_pair(sw - width, 0));
  sim::Advance(2);
  EXPECT_FALSE(Engine().player.Playing());
  EXPECT_EQ(Position(), std::make_pair(0, 0));
}

// Dragged by its title row while idle, the window rests where it was left, after a recording
// and after a restart; a click on the title still opens About; a place the primary monitor no
// longer holds gives the top-left corner.
TEST_F(Corners, DraggedByItsTitleItStaysThereAfterARestart) {
  TempFolder folder;
  sim::SetSettingsPath(folder.Path("tapwright.conf"));
  NewWindow();
  w->StartUp();
  w->Show();
  int abouts = 0;
  sim::OnNextModal([&](platform::WindowHandle) {
    ++abouts;
    PressKey(platform::vk::kEscape);
  });
  // x from the window's left edge: 30 is on the title, 95 on the row's background. The window
  // follows the pointer before the release.
  const auto drag = [&](int x, int dx, int dy, bool follows = true) {
    const auto b = sim::Window(w->Handle()).bounds;
    sim::MoveMouse(b.left + x, b.top + 10);
    sim::MouseDown(platform::MouseButton::Left);
    sim::MoveMouse(b.left + x + 2, b.top + 10);  // a hand that shakes: still no drag
    sim::MoveMouse(b.left + x + dx, b.top + 10 + dy);
    EXPECT_EQ(sim::Window(w->Handle()).bounds.left, b.left + (follows ? dx : 0));
    sim::MouseUp(platform::MouseButton::Left);
  };
  drag(30, 800, 400);
  EXPECT_EQ(Position(), std::make_pair(800 * 15, 400 * 15));
  drag(95, -300, -300);
  EXPECT_EQ(Position(), std::make_pair(500 * 15, 100 * 15));
  EXPECT_EQ(abouts, 0);  // the release of a drag is no click
  Session().ToggleRecording();
  drag(30, 300, 0, false);  // busy, the title is no handle
  EXPECT_EQ(Position(), std::make_pair(500 * 15, 100 * 15));
  CrossWindow();
  EXPECT_EQ(Position(), std::make_pair(0, 0));  // while busy it hops from the corner
  Session().ToggleRecording();
  EXPECT_EQ(Position(), std::make_pair(500 * 15, 100 * 15));
  drag(30, 2000, 2000);  // past the monitor's edge: all of it stays on it
  const auto corner = std::make_pair(sw - width, sh - h / 15 * 15);  // in whole pixels
  EXPECT_EQ(Position(), corner);
  sim::Advance(1000);  // written a second after the change
  for (const bool smaller : {false, true}) {
    if (smaller) sim::SetScreen(1280, 720);
    NewWindow();
    w->StartUp();
    w->Show();
    EXPECT_EQ(Position(), smaller ? std::make_pair(0, 0) : corner);
    if (smaller) continue;
    drag(30, 2, 0, false);  // a shaking click is a click: About, and the window stays
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(Position(), corner);
  }
}

using About = WindowTest;

TEST_F(About, TheTitleOpensItModalCentredWithTheVersion) {
  for (int round = 0; round < 4; ++round) {
    bool checked = false;
    sim::OnNextModal([&](platform::WindowHandle about) {
      const auto& s = sim::Window(about);
      EXPECT_TRUE(s.visible);
      EXPECT_FALSE(sim::Window(w->Handle()).disabled);  // its title takes a second click
      EXPECT_EQ(s.bounds.width, 283);
      EXPECT_EQ(s.bounds.height, 170);
      EXPECT_EQ(s.bounds.left, (1920 - 283) / 2);
      EXPECT_EQ(s.bounds.top, (1080 - 170) / 2);
      const auto ops = sim::Paint(about);
      EXPECT_TRUE(std::any_of(ops.begin(), ops.end(),
                              [](const sim::DrawOp& op) { return op.text == "v1.0.8"; }));
      sim::Advance(300);  // the main window's timers go on meanwhile
      // A click on the version label closes it as a click on the picture does; so do Esc and a
      // second click on the title.
      if (round < 2)
        sim::Click(s.bounds.left + (round == 0 ? 10 : 250), s.bounds.top + (round == 0 ? 10 : 160));
      if (round == 2) PressKey(platform::vk::kEscape);
      if (round == 3) sim::Click(10, 8);
      EXPECT_FALSE(sim::Exists(about));
      checked = true;
    });
    sim::Click(10, 8);  // the title
    EXPECT_TRUE(checked);
    EXPECT_FALSE(sim::Window(w->Handle()).disabled);
    EXPECT_EQ(sim::Windows().size(), 1u);
  }
}

TEST_F(About, ItsPictureFillsItAtAnyScale) {
  for (const double twips_per_pixel : {15.0, 10.0, 7.5}) {  // 96, 144 and 192 DPI
    sim::SetScreen(1920, 1080, twips_per_pixel);
    window::AboutWindow about;
    about.Show();
    const platform::Rect window = sim::Window(about.Handle()).bounds;
    int pictures = 0;
    for (const auto& op : sim::Paint(about.Handle())) {
      if (op.kind != sim::DrawOp::Kind::Picture) continue;
      ++pictures;
      EXPECT_EQ(op.rect.width, window.width) << twips_per_pixel;
      EXPECT_EQ(op.rect.height, window.height) << twips_per_pixel;
    }
    EXPECT_EQ(pictures, 1) << twips_per_pixel;
  }
}

TEST_F(About, TheVersionLabelStaysInTheBottomRight) {
  window::AboutWindow about;
  ASSERT_EQ(about.Children().size(), 1u);  // the version label alone
  const auto& version = dynamic_cast<const ui::Label&>(*about.Children()[0]);
  EXPECT_EQ(version.Caption(), "v1.0.8");
  EXPECT_EQ(version.Left() + version.Width(), 2520 + 1455);
  EXPECT_GE(version.Top(), 2550 / 2);
}

}  // namespace
