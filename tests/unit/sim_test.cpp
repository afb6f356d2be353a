// The simulated desktop keeps the platform's rules, so behaviour tests can trust it.
#include <cstring>
#include <vector>

#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "platform/screen.h"
#include "sim_fixture.h"

namespace {

using platform::StartTimer;
using platform::StopTimer;

using SimTimers = SimTest;

TEST_F(SimTimers, TickOnAFixedGridFromTheirStart) {
  sim::Advance(37);
  std::vector<std::int64_t> at;
  const auto id = StartTimer(100, [&] { at.push_back(sim::Now()); });
  sim::Advance(300);
  EXPECT_EQ(at, (std::vector<std::int64_t>{137, 237, 337}));
  StopTimer(id);
  sim::Advance(500);
  EXPECT_EQ(at.size(), 3u);
}

TEST_F(SimTimers, OneMillisecondTimerTicksEveryMillisecond) {
  int ticks = 0;
  StartTimer(1, [&] { ++ticks; });
  sim::Advance(1000);
  EXPECT_EQ(ticks, 1000);
}

TEST_F(SimTimers, EqualDueTimesGoToTheOlderTimerFirst) {
  std::vector<char> order;
  StartTimer(10, [&] { order.push_back('a'); });
  StartTimer(5, [&] { order.push_back('b'); });
  sim::Advance(10);
  EXPECT_EQ(order, (std::vector<char>{'b', 'a', 'b'}));
}

TEST_F(SimTimers, ALongHandlerIsNotReenteredAndCausesNoBurst) {
  std::vector<std::int64_t> slow_at;
  int fast = 0;
  bool first = true;
  StartTimer(100, [&] {
    slow_at.push_back(sim::Now());
    if (first) {
      first = false;
      sim::Advance(350);  // a nested loop, as a dialog runs one
    }
  });
  StartTimer(10, [&] { ++fast; });
  sim::Advance(600);
  // Inside the nested loop only the other timer ran. The tick that fell due meanwhile comes
  // once, late (450), then the grid goes on (500): no catch-up burst.
  EXPECT_EQ(slow_at, (std::vector<std::int64_t>{100, 450, 500, 600}));
  EXPECT_EQ(fast, 60);
}

TEST_F(SimTimers, DoEventsRunsDueTimersOnceButNotTheOneOnTheStack) {
  int outer = 0, other = 0;
  StartTimer(5, [&] {
    ++outer;
    platform::RunPendingEvents();
  });
  StartTimer(5, [&] { ++other; });
  sim::Advance(5);
  EXPECT_EQ(outer, 1);
  EXPECT_EQ(other, 1);  // ran inside the yield, and not again afterwards
  EXPECT_EQ(sim::DoEventsCalls(), 1);
}

TEST_F(SimTimers, AHandlerMayStopItsOwnTimer) {
  int ticks = 0;
  platform::TimerId id = 0;
  id = StartTimer(1, [&] {
    if (++ticks == 3) StopTimer(id);
  });
  sim::Advance(10);
  EXPECT_EQ(ticks, 3);
}

TEST_F(SimTimers, PostedMessagesRunBeforeTimersAtTheNextPump) {
  std::vector<char> order;
  StartTimer(1, [&] { order.push_back('t'); });
  sim::Post([&] { order.push_back('m'); });
  sim::Advance(1);
  EXPECT_EQ(order, (std::vector<char>{'m', 't'}));
}

TEST_F(SimTimers, ClockMovesWithVirtualTime) {
  sim::SetTimeOfDay(23, 59, 59);
  sim::Advance(1000);
  const auto t = platform::LocalTimeOfDay();
  EXPECT_EQ(t.hour * 10000 + t.minute * 100 + t.second, 0);
}

using SimInput = SimTest;

TEST_F(SimInput, QueryKeyReportsDownAndPressedSinceLastQuery) {
  using platform::KeyState;
  const auto query = [](int vk) {
    const KeyState k = platform::QueryKey(vk);
    return std::pair(k.down, k.pressed_since);
  };
  EXPECT_EQ(query(platform::vk::kF8), std::pair(false, false));
  sim::KeyDown(platform::vk::kF8);
  EXPECT_EQ(query(platform::vk::kF8), std::pair(true, true));
  EXPECT_EQ(query(platform::vk::kF8), std::pair(true, false));
  sim::KeyUp(platform::vk::kF8);
  EXPECT_EQ(query(platform::vk::kF8), std::pair(false, false));
  sim::TapKey(platform::vk::kF10);  // shorter than a poll
  EXPECT_EQ(query(platform::vk::kF10), std::pair(false, true));
  EXPECT_EQ(query(platform::vk::kF10), std::pair(false, false));
}

TEST_F(SimInput, SyntheticInputIsLoggedAndMovesTheCursorWithinTheDesktop) {
  sim::SetVirtualScreen({-1280, 0, 3200, 1080});  // a monitor left of the primary one
  platform::MoveCursor(-100, 50);
  platform::SendButton(platform::MouseButton::Right, true);
  platform::MoveCursor(5000, 5000);
  platform::Point p;
  ASSERT_TRUE(platform::CursorPosition(p));
  EXPECT_EQ(p.x, 1919);
  EXPECT_EQ(p.y, 1079);
  ASSERT_EQ(sim::InputLog().size(), 3u);
  EXPECT_EQ(sim::InputLog()[1].x, -100);
  EXPECT_EQ(sim::InputLog()[1].button, platform::MouseButton::Right);
  EXPECT_TRUE(sim::InputLog()[1].down);
  sim::FailCursorPosition(true);
  platform::Point q{7, 8};
  EXPECT_FALSE(platform::CursorPosition(q));
  EXPECT_EQ(q.x, 7);
}

TEST_F(SimInput, ATopmostWindowStaysAboveLaterWindows) {
  const auto a = platform::CreateFormWindow({"a", {0, 0, 10, 10}}, nullptr);
  platform::SetTopmost(a, true);
  const auto b = platform::CreateFormWindow({"b", {0, 0, 10, 10}}, nullptr);
  platform::ShowWindow(a, true);
  platform::ShowWindow(b, true);
  EXPECT_EQ(sim::WindowAt(5, 5), a);
  EXPECT_EQ(sim::Window(a).bounds.width, 10);
  platform::SetTopmost(a, false);
  EXPECT_FALSE(sim::Window(a).topmost);
}

using SimDialogs = SimTest;

platform::FileRequest Request(bool save) {
  platform::FileRequest r;
  r.save = save;
  r.filter_name = "A (*.tpw)";
  r.filter_pattern = "*.tpw";
  r.default_extension = "tpw";
  return r;
}

TEST_F(SimDialogs, TimersTickWhileADialogIsOpen) {
  int ticks = 0;
  StartTimer(100, [&] { ++ticks; });
  sim::AnswerNextDialog("C:\\rec\\walk", 1000);
  EXPECT_EQ(platform::ChooseFile(Request(true)), "C:\\rec\\walk.tpw");  // default extension
  EXPECT_EQ(ticks, 10);
  ASSERT_EQ(sim::DialogLog().size(), 1u);
  EXPECT_EQ(sim::DialogLog()[0].filter_pattern, "*.tpw");
}

TEST_F(SimDialogs, CancelAndFailureChooseNothingWhileLongPathsAreChosen) {
  EXPECT_EQ(platform::ChooseFile(Request(false)), std::nullopt);  // nothing queued: cancel
  sim::AnswerNextDialog(std::nullopt);
  EXPECT_EQ(platform::ChooseFile(Request(false)), std::nullopt);
  sim::FailNextDialog();
  EXPECT_EQ(platform::ChooseFile(Request(false)), std::nullopt);
  sim::AnswerNextDialog(std::string(1000, 'a'));
  EXPECT_EQ(platform::ChooseFile(Request(true)), std::string(1000, 'a') + ".tpw");
}

TEST_F(SimDialogs, ModalLoopsKeepTimersTickingAndDisableTheOwner) {
  const auto owner = platform::CreateFormWindow({"o", {0, 0, 10, 10}}, nullptr);
  const auto about = platform::CreateFormWindow({"a", {0, 0, 10, 10}}, nullptr);
  int ticks = 0;
  bool owner_disabled = false;
  StartTimer(100, [&] { ++ticks; });
  sim::OnNextModal([&](platform::WindowHandle w) {
    owner_disabled = sim::Window(owner).disabled;
    sim::Advance(500);
    platform::DestroyWindow(w);
  });
  platform::RunModal(about, owner);
  EXPECT_TRUE(owner_disabled);
  EXPECT_FALSE(sim::Window(owner).disabled);
  EXPECT_EQ(ticks, 5);
}

// What the simulated screen shows: the latest paint wins, black elsewhere; the topmost window of
// another program under a point, never where the program's own window is.
TEST_F(SimTest, TheScreenShowsWhatWasPaintedAndTheWindowOnTop) {
  sim::PaintScreen({0, 0, 10, 10}, 0x112233);
  sim::PaintScreen({5, 5, 10, 10}, 0xFF8000);
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(platform::CaptureScreen({4, 4, 2, 2}, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0x112233, 0x112233, 0x112233, 0xFF8000}));
  ASSERT_TRUE(platform::CaptureScreen({-1, 14, 1, 2}, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0, 0}));
  sim::FailScreenCapture(true);
  EXPECT_FALSE(platform::CaptureScreen({0, 0, 1, 1}, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0, 0}));  // untouched

  sim::ShowForeignWindow({"Gedit", "notes", "gedit", {100, 100, 200, 200}});
  sim::ShowForeignWindow({"Dialog", "Open", "gedit", {150, 150, 50, 50}});
  platform::TopWindow w;
  ASSERT_TRUE(platform::TopWindowAt({160, 160}, w));
  EXPECT_EQ(w.title, "Open");
  ASSERT_TRUE(platform::TopWindowAt({120, 120}, w));
  EXPECT_EQ(w.title, "notes");
  EXPECT_FALSE(platform::TopWindowAt({50, 50}, w));
  const platform::WindowHandle own =
      platform::CreateFormWindow({"own", {110, 110, 20, 20}, 0}, nullptr);
  platform::ShowWindow(own, true);
  EXPECT_FALSE(platform::TopWindowAt({115, 115}, w));
  // The program's own window hides what lies beneath it.
  sim::FailScreenCapture(false);
  ASSERT_TRUE(platform::CaptureScreen({109, 110, 2, 1}, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0, platform::kHiddenPixel}));
  sim::CloseForeignWindows();
  EXPECT_FALSE(platform::TopWindowAt({120, 120}, w));
}

}  // namespace
