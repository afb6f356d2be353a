// Hit testing and event routing, done once in the model for every backend.
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/input.h"
#include "sim_fixture.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using platform::MouseButton;

// 15 twips to the pixel on the simulated screen: control positions below are pixels x 15.
class TestForm : public ui::Form {
 public:
  TestForm() : ui::Form("t", 3000, 3000, ui::kBlack, true, true) {
    Add(border);
    border.Move(0, 0, 3000, 3000);
    Add(button);
    button.Move(150, 150, 240, 240);  // pixels 10..25
    button.hand = true;
    Add(hidden);
    hidden.Move(600, 150, 240, 240);
    hidden.SetVisible(false);
    Add(frame);
    frame.Move(1500, 0, 1500, 3000);  // pixels 100..200
    frame.Add(inner);
    inner.Move(150, 150, 300, 300);  // pixels 110..130 on screen
    frame.Add(list);
    list.Move(0, 1500, 1500, 1500);  // pixels 100.., 100..
    list.Add("a");
    list.Add("b");
    list.Add("c");
    Show();
  }
  std::vector<std::string> log;
  ui::Shape border;
  ui::Label button;
  ui::Label hidden;
  ui::Frame frame;
  ui::Label inner;
  ui::ListBox list;

 protected:
  void OnBackgroundMove(int, int, int x, int y) override {
    log.push_back("form move " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnBackgroundClick() override { log.push_back("form click"); }
};

class ControlModel : public SimTest {
 protected:
  void Wire(ui::Control& c, const std::string& n) {
    c.on_click = [this, n] { f.log.push_back(n + " click"); };
    c.on_double_click = [this, n] { f.log.push_back(n + " dblclick"); };
    c.on_mouse_down = [this, n](int b, int, int x, int y) {
      f.log.push_back(n + " down " + std::to_string(b) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    };
    c.on_mouse_up = [this, n](int b, int, int, int) {
      f.log.push_back(n + " up " + std::to_string(b));
    };
    c.on_mouse_move = [this, n](int, int, int, int) { f.log.push_back(n + " move"); };
  }
  TestForm f;
};

TEST_F(ControlModel, ClicksReachTheControlUnderThePointerInItsOwnTwips) {
  Wire(f.button, "button");
  sim::Click(12, 13, MouseButton::Right);
  EXPECT_EQ(f.log, (std::vector<std::string>{"button move", "button down 2 30,45", "button up 2",
                                             "button click"}));
}

TEST_F(ControlModel, MovesOverTheBackgroundAreTheFormsOwn) {
  Wire(f.button, "button");
  Wire(f.frame, "frame");
  Wire(f.inner, "inner");
  sim::MoveMouse(50, 4);    // background (the border shape lets the mouse through)
  sim::MoveMouse(15, 15);   // button
  sim::MoveMouse(45, 15);   // where the hidden label would be: background
  sim::MoveMouse(150, 20);  // frame
  sim::MoveMouse(115, 15);  // label inside the frame
  EXPECT_EQ(f.log, (std::vector<std::string>{"form move 750,60", "button move", "form move 675,225",
                                             "frame move", "inner move"}));
}

TEST_F(ControlModel, ThePressingControlKeepsTheMouseUntilRelease) {
  Wire(f.button, "button");
  sim::MoveMouse(15, 15);
  sim::MouseDown(MouseButton::Left);
  sim::MoveMouse(60, 60);  // dragged off the control
  sim::MouseUp(MouseButton::Left);
  EXPECT_EQ(f.log, (std::vector<std::string>{"button move", "button down 1 75,75", "button move",
                                             "button up 1"}));  // no click off the control
  f.log.clear();
  sim::Click(60, 60);
  EXPECT_EQ(f.log, (std::vector<std::string>{"form move 900,900", "form click"}));
}

TEST_F(ControlModel, ADoubleClickRaisesDblClickInsteadOfASecondDown) {
  Wire(f.button, "button");
  sim::DoubleClick(15, 15);
  EXPECT_EQ(f.log, (std::vector<std::string>{"button move", "button down 1 75,75", "button up 1",
                                             "button click", "button dblclick", "button up 1",
                                             "button click"}));
}

TEST_F(ControlModel, TheHandShowsOverClickableControlsOnly) {
  sim::MoveMouse(15, 15);
  EXPECT_EQ(sim::Window(f.Handle()).cursor, platform::CursorShape::Hand);
  sim::MoveMouse(50, 50);
  EXPECT_EQ(sim::Window(f.Handle()).cursor, platform::CursorShape::Arrow);
}

TEST_F(ControlModel, ListSelectionByMouseAndArrowKeys) {
  std::vector<int> clicks;
  f.list.on_click = [&] { clicks.push_back(f.list.Selected()); };
  const int line_px = ui::TwipsToPixelsY(f.list.LineHeight());
  sim::Click(110, 100 + line_px + 1);  // second line
  EXPECT_EQ(f.list.Selected(), 1);
  sim::SendKey(f.Handle(), platform::vk::kDown);
  sim::SendKey(f.Handle(), platform::vk::kDown);  // already at the last line: no change
  sim::SendKey(f.Handle(), platform::vk::kUp);
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 1}));
  sim::Click(110, 199);  // below the last line: selection stays
  EXPECT_EQ(f.list.Selected(), 1);
  f.list.Remove(0);
  EXPECT_EQ(f.list.Selected(), 0);  // the selected line moved up with it
  EXPECT_EQ(f.list.Item(0), "b");
}

// New lines keep the selection while its line exists and never leave the list scrolled past them.
TEST_F(ControlModel, NewListLinesKeepASelectionThatStillExists) {
  std::vector<int> clicks;
  f.list.on_click = [&] { clicks.push_back(f.list.Selected()); };
  f.list.SetLines(std::vector<std::string>(20, "x"));
  f.list.Select(19);
  ASSERT_GT(f.list.FirstShown(), 0);  // scrolled to show it
  f.list.SetLines({"a", "b", "c", "d"});
  EXPECT_EQ(f.list.Selected(), -1);
  EXPECT_EQ(f.list.FirstShown(), 0);
  f.list.Select(2);
  f.list.SetLines({"a", "b", "c", "d", "e"});
  EXPECT_EQ(f.list.Selected(), 2);
  EXPECT_EQ(clicks, (std::vector<int>{19, 2}));  // new lines raise no Click
}

TEST_F(ControlModel, DropsGoToTheNearestControlThatTakesThem) {
  std::vector<std::string> got;
  f.frame.on_drop = [&](const platform::DropEvent& e) { got.push_back("frame " + e.files[0]); };
  f.list.on_drop = [&](const platform::DropEvent& e) { got.push_back("list " + e.files[0]); };
  sim::Drop(f.Handle(), {"a.tpw"}, 7, 115, 15);   // label in the frame: the frame takes it
  sim::Drop(f.Handle(), {"b.tpw"}, 7, 150, 150);  // the list
  sim::Drop(f.Handle(), {"c.tpw"}, 7, 15, 15);    // nobody
  EXPECT_EQ(got, (std::vector<std::string>{"frame a.tpw", "list b.tpw"}));
}

TEST_F(ControlModel, LengthsReadBackAsSetUntilTheWindowIsMovedFromOutside) {
  f.Move(0, 0, 2670, 1000);  // 66.67 pixels high
  EXPECT_EQ(sim::Window(f.Handle()).bounds.height, 66);
  EXPECT_EQ(f.Height(), 1000);
  sim::MoveWindowFromOutside(f.Handle(), 7, 9);
  EXPECT_EQ(f.Left(), 105);
  EXPECT_EQ(f.Top(), 135);
  EXPECT_EQ(f.Height(), 1000);
}

}  // namespace

namespace {

TEST_F(ControlModel, AnUnloadedFormIgnoresLateWindowEvents) {
  Wire(f.button, "button");
  f.Unload();
  platform::MouseEvent down;
  down.kind = platform::MouseEvent::Kind::Down;
  down.button = MouseButton::Left;
  down.x = down.y = 15;
  f.OnMouse(down);
  EXPECT_TRUE(f.log.empty());
}

}  // namespace

namespace {

TEST_F(ControlModel, ACaptionWiderThanItsLabelDrawsSmallerNotCut) {
  f.button.SetCaption("x");  // fits its 16 pixels at the design's 11
  f.inner.SetCaption("Tapwright");
  f.inner.Move(150, 150, 600, 300);  // 40 pixels: nine letters fit at 8 pixels an em
  int button_px = 0, inner_px = 0, inner_width = 0;
  for (const auto& op : sim::Paint(f.Handle())) {
    if (op.kind != sim::DrawOp::Kind::Text) continue;
    if (op.text == "x") button_px = op.font.pixel_height;
    if (op.text == "Tapwright") inner_px = op.font.pixel_height, inner_width = op.rect.width;
  }
  EXPECT_EQ(button_px, 11);
  EXPECT_EQ(inner_px, 8);
  EXPECT_LE(sim::SimTextWidth("Tapwright", inner_px), inner_width);
}

}  // namespace
