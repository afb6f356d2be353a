// The simulated desktop keeps the platform's rules, so behaviour tests can trust it.
#include <cstring>
#include <vector>

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
    platform::DoEvents();
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

TEST_F(SimInput, AsyncKeyStateReportsDownAndPressedSinceLastQuery) {
  EXPECT_EQ(platform::GetAsyncKeyState(platform::VK_F8), 0);
  sim::KeyDown(platform::VK_F8);
  EXPECT_EQ(static_cast<std::uint16_t>(platform::GetAsyncKeyState(platform::VK_F8)), 0x8001);
  EXPECT_EQ(static_cast<std::uint16_t>(platform::GetAsyncKeyState(platform::VK_F8)), 0x8000);
  sim::KeyUp(platform::VK_F8);
  EXPECT_EQ(platform::GetAsyncKeyState(platform::VK_F8), 0);
  sim::TapKey(platform::VK_F10);  // shorter than a poll
  EXPECT_EQ(platform::GetAsyncKeyState(platform::VK_F10), 1);
  EXPECT_EQ(platform::GetAsyncKeyState(platform::VK_F10), 0);
}

TEST_F(SimInput, SyntheticInputIsLoggedAndMovesTheCursorWithinTheDesktop) {
  sim::SetVirtualScreen({-1280, 0, 3200, 1080});  // a monitor left of the primary one
  platform::SetCursorPos(-100, 50);
  platform::mouse_event(platform::MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
  platform::SetCursorPos(5000, 5000);
  platform::Point p;
  ASSERT_TRUE(platform::GetCursorPos(p));
  EXPECT_EQ(p.x, 1919);
  EXPECT_EQ(p.y, 1079);
  ASSERT_EQ(sim::InputLog().size(), 3u);
  EXPECT_EQ(sim::InputLog()[1].x, -100);
  EXPECT_EQ(sim::InputLog()[1].flags, platform::MOUSEEVENTF_RIGHTDOWN);
  sim::FailGetCursorPos(true);
  platform::Point q{7, 8};
  EXPECT_FALSE(platform::GetCursorPos(q));
  EXPECT_EQ(q.x, 7);
}

TEST_F(SimInput, ATopmostWindowStaysAboveLaterWindows) {
  const auto a = platform::CreateFormWindow({"a", {0, 0, 10, 10}}, nullptr);
  platform::SetWindowPos(a, platform::HWND_TOPMOST, 0, 0, 0, 0,
                         platform::SWP_NOMOVE | platform::SWP_NOSIZE);
  const auto b = platform::CreateFormWindow({"b", {0, 0, 10, 10}}, nullptr);
  platform::ShowWindow(a, true);
  platform::ShowWindow(b, true);
  EXPECT_EQ(sim::WindowAt(5, 5), a);
  EXPECT_EQ(sim::Window(a).bounds.width, 10);  // SWP_NOSIZE kept the size
  platform::SetWindowPos(a, platform::HWND_NOTOPMOST, 0, 0, 0, 0, 3);
  EXPECT_FALSE(sim::Window(a).topmost);
}

using SimDialogs = SimTest;

struct DialogBuffers {
  char file[255];
  platform::OPENFILENAMEA ofn{};
  DialogBuffers() {
    std::memset(file, ' ', 254);
    file[254] = 0;
    ofn.lStructSize = platform::OPENFILENAME_SIZE_VERSION_400A;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 255;
    ofn.lpstrFilter = "A (*.tpw)\0*.tpw\0";
    ofn.lpstrDefExt = "tpw";
  }
};

TEST_F(SimDialogs, TimersTickWhileADialogIsOpen) {
  int ticks = 0;
  StartTimer(100, [&] { ++ticks; });
  sim::AnswerNextDialog("C:\\rec\\walk", 1000);
  DialogBuffers d;
  ASSERT_EQ(platform::GetSaveFileNameA(&d.ofn), 1);
  EXPECT_STREQ(d.file, "C:\\rec\\walk.tpw");  // default extension added
  EXPECT_EQ(ticks, 10);
  ASSERT_EQ(sim::DialogLog().size(), 1u);
  EXPECT_EQ(*sim::DialogLog()[0].filter, std::string("A (*.tpw)\0*.tpw\0", 16));
  EXPECT_EQ(sim::DialogLog()[0].file->size(), 254u);
}

TEST_F(SimDialogs, CancelFailureAndOverlongPathsReturnZero) {
  DialogBuffers d;
  EXPECT_EQ(platform::GetOpenFileNameA(&d.ofn), 0);  // nothing queued: cancel
  sim::AnswerNextDialog(std::nullopt);
  EXPECT_EQ(platform::GetOpenFileNameA(&d.ofn), 0);
  sim::AnswerNextDialog(std::string(255, 'a'));
  EXPECT_EQ(platform::GetOpenFileNameA(&d.ofn), 0);
  sim::AnswerNextDialog(std::string(254, 'a'));
  EXPECT_EQ(platform::GetOpenFileNameA(&d.ofn), 1);
  EXPECT_EQ(std::strlen(d.file), 254u);
  d.ofn.lStructSize = 76 + 1;
  sim::AnswerNextDialog("x.tpw");
  EXPECT_EQ(platform::GetOpenFileNameA(&d.ofn), 0);
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

}  // namespace
