// A replay that waits for the screen: the looks a recording takes at its presses, how a replay
// uses them in a changed world, and how they travel with the recording's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/recording_files.h"
#include "model/command_line.h"
#include "model/looks_file.h"
#include "session_fixture.h"
#include "temp_files.h"

namespace {

// A press the replay sent, where and when.
struct Press {
  int x, y;
  std::int64_t time;
};

std::vector<Press> Presses() {
  std::vector<Press> presses;
  for (const auto& e : sim::InputLog())
    if (e.kind == sim::InputEvent::Kind::Button && e.down) presses.push_back({e.x, e.y, e.time});
  return presses;
}

// Another program's window with a button, its top-left at (100 + dx, 100 + dy); or, with show
// false, the screen without it.
void ShowWorld(bool show, int dx = 0, int dy = 0) {
  sim::CloseForeignWindows();
  sim::PaintScreen({0, 0, 1920, 1080}, 0x000000);
  if (!show) return;
  sim::ShowForeignWindow({"Demo", "Demo task", "demo", {100 + dx, 100 + dy, 200, 200}});
  sim::PaintScreen({100 + dx, 100 + dy, 200, 200}, 0x808080);
  sim::PaintScreen({150 + dx, 150 + dy, 40, 20}, 0x2040C0);  // the button, pressed at its middle
}

class Looks : public SessionTest {
 protected:
  // Two clicks on the button 500 ms apart, then a move away.
  void RecordTask() {
    ShowWorld(true);
    sim::MoveMouse(170, 160);
    session.ToggleRecording();
    for (int i = 0; i < 2; ++i) {
      sim::Advance(200);
      sim::MouseDown(platform::MouseButton::Left);
      sim::Advance(30);
      sim::MouseUp(platform::MouseButton::Left);
      sim::Advance(270);
    }
    sim::MoveMouse(250, 250);
    sim::Advance(100);
    session.ToggleRecording();
  }
};

TEST_F(Looks, AReplayPressesOnlyWhereTheScreenLooksAsRecorded) {
  struct World {
    const char* name;
    bool wait;
    int appears_ms;  // after the start; -1: never
    int dx, dy;
    int press_x, press_y;  // where the replay presses; 0: nowhere
  };
  const World worlds[] = {
      {"unchanged", true, 0, 0, 0, 170, 160},
      {"ten times slower", true, 1500, 0, 0, 170, 160},
      {"moved", true, 0, 300, 150, 470, 310},
      {"slower and moved", true, 1500, -60, 400, 110, 560},
      {"never there", true, -1, 0, 0, 0, 0},
      {"blind, as without the option", false, 0, 300, 150, 170, 160},
  };
  RecordTask();
  ASSERT_EQ(Recording().looks().size(), 2u);
  EXPECT_TRUE(Recording().looks()[0].in_window);
  const std::int64_t recorded_gap = Recording().looks()[1].sample - Recording().looks()[0].sample;
  engine.switches.ToggleWaitForScreen();
  for (const World& w : worlds) {
    SCOPED_TRACE(w.name);
    if (engine.Options().wait_for_screen != w.wait) engine.switches.ToggleWaitForScreen();
    ShowWorld(w.appears_ms == 0, w.dx, w.dy);
    sim::ClearInputLog();
    engine.player.Rewind();
    session.Act(engine::Command::Play);
    const std::int64_t start = sim::Now();
    if (w.appears_ms > 0) {
      sim::Advance(w.appears_ms);
      ShowWorld(true, w.dx, w.dy);
    }
    sim::Advance(12'000);
    EXPECT_FALSE(Playing());
    const std::vector<Press> presses = Presses();
    if (w.press_x == 0) {
      EXPECT_TRUE(presses.empty());
      EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::NotFound);
      EXPECT_EQ(engine.status.Name(), "0m 0s");
      continue;
    }
    ASSERT_EQ(presses.size(), 2u);
    for (const Press& p : presses) {
      EXPECT_EQ(p.x, w.press_x);
      EXPECT_EQ(p.y, w.press_y);
    }
    // It pressed within a look's retry of the button showing, then kept the recorded pace.
    EXPECT_GE(presses[0].time, start + std::max(w.appears_ms, 200));
    EXPECT_LE(presses[0].time,
              start + std::max(w.appears_ms, 200) + engine::Player::kLookAgainUs / 1000 + 2);
    EXPECT_NEAR(presses[1].time - presses[0].time, recorded_gap, 1);
    // The move after the presses follows the window.
    EXPECT_EQ(sim::CursorPos().x, 250 + (w.wait ? w.dx : 0));
  }
}

TEST_F(Looks, TravelWithTheFileAndOnlyWithItsSamples) {
  TempFolder folder;
  const std::string path = folder.Path("task.tpw");
  const std::string looks_path = model::LooksPathOf(path);
  RecordTask();
  const model::Recording recorded = Recording();
  session.SaveRecording(path);
  sim::Advance(100);
  // The samples are a plain recording file; the looks are the owner's alone.
  model::Recording plain = recorded;
  plain.looks().clear();
  ASSERT_TRUE(std::filesystem::exists(looks_path));
  EXPECT_EQ((std::filesystem::status(looks_path).permissions() &
             (std::filesystem::perms::group_all | std::filesystem::perms::others_all)),
            std::filesystem::perms::none);
  engine::LoadOutcome loaded = engine::ReadRecordingFile(path);
  ASSERT_TRUE(loaded.recording);
  EXPECT_EQ(*loaded.recording, recorded);
  // A file changed by another program keeps its samples and loses looks that are not theirs.
  { std::ofstream(path, std::ios::binary | std::ios::app) << "5,5,-1\r\n"; }
  loaded = engine::ReadRecordingFile(path);
  ASSERT_TRUE(loaded.recording);
  EXPECT_TRUE(loaded.recording->looks().empty());
  EXPECT_EQ(loaded.recording->size(), recorded.size() + 1);
  // Cut short, the looks are not used either.
  const std::string text = model::EncodeLooks(recorded);
  EXPECT_TRUE(model::DecodeLooks(text, plain));
  EXPECT_FALSE(model::DecodeLooks(text.substr(0, text.size() - 1), plain));
  // A recording saved without looks leaves none beside it.
  session.SetRecording(plain);
  session.SaveRecording(path);
  sim::Advance(100);
  EXPECT_FALSE(std::filesystem::exists(looks_path));
}

TEST_F(Looks, PlayedWithWaitItEndsWithItsOwnStatusAndLeavesTheOptionAsItWas) {
  TempFolder folder;
  const std::string path = folder.Path("task.tpw");
  RecordTask();
  session.SaveRecording(path);
  sim::Advance(100);
  ShowWorld(false);
  int outcome = -1;
  session.PlayFile(path, 1, -1, true, [&outcome](int code, auto&) { outcome = code; });
  sim::Advance(12'000);
  EXPECT_EQ(outcome, model::kExitNotFound);
  EXPECT_FALSE(engine.Options().wait_for_screen);
  EXPECT_TRUE(Clicks().empty());
}

TEST(LooksAlike, ToleratesACaretAndAntiAliasingButNotAnotherPicture) {
  const std::vector<std::uint32_t> grey(model::kLookPixels, 0x808080);
  struct Case {
    const char* name;
    int changed;  // pixels set to `to`
    std::uint32_t to;
    bool alike;
  };
  const Case cases[] = {
      {"the same", 0, 0, true},
      {"a caret", model::kChangedPixels, 0x000000, true},
      {"a caret and one more", model::kChangedPixels + 1, 0x000000, false},
      {"shading within the slack", model::kLookPixels, 0x808080 + model::kChannelSlack, true},
      {"shading past it", model::kLookPixels, 0x808080 + model::kChannelSlack + 1, false},
      {"half hidden", model::kLookPixels / 2, model::kUnseen, true},
      {"more than half hidden", model::kLookPixels / 2 + 1, model::kUnseen, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint32_t> now = grey;
    std::fill_n(now.begin(), c.changed, c.to);
    EXPECT_EQ(model::LooksAlike(grey, now), c.alike);
  }
}

}  // namespace
