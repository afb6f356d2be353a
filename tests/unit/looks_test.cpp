// A replay that waits for the screen: the looks a recording takes at its presses, how a replay
// uses them in a changed world, and how they travel with the recording's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
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

// The world a replay meets: another program's window with a button, its top-left at
// (100 + dx, 100 + dy), unless `task` is false; beneath it a large plain canvas of a second
// program that never moves; with `decoy`, a window of the first program under another title
// that shows the same button, above the others.
constexpr std::uint32_t kButton = 0x2040C0, kPressedButton = 0x102060;
void ShowWorld(bool task, int dx = 0, int dy = 0, bool decoy = false) {
  sim::CloseForeignWindows();
  sim::PaintScreen({0, 0, 1920, 1080}, 0x000000);
  sim::ShowForeignWindow({"Canvas", "Drawing", "paint", {600, 100, 800, 600}});
  sim::PaintScreen({600, 100, 800, 600}, 0x40A040);
  sim::PaintScreen({745, 245, 30, 30}, 0xC03030);
  if (task) {
    sim::ShowForeignWindow({"Demo", "Demo task", "demo", {100 + dx, 100 + dy, 200, 200}});
    sim::PaintScreen({100 + dx, 100 + dy, 200, 200}, 0x808080);
    sim::PaintScreen({150 + dx, 150 + dy, 40, 20}, kButton);  // pressed at its middle
  }
  if (decoy) {
    sim::ShowForeignWindow({"Demo", "Demo other", "demo", {1500, 700, 200, 200}});
    sim::PaintScreen({1500, 700, 200, 200}, 0x808080);
    sim::PaintScreen({1550, 750, 40, 20}, kButton);
  }
}

class Looks : public SessionTest {
 protected:
  // Two clicks on the button 500 ms apart (the button darkens while held, as buttons do), a
  // turn of the wheel of three notches on the canvas, and a click on the red square there the
  // moment the pointer jumps onto it.
  void RecordTask() {
    sim::SetInputEvents(true, false);
    ShowWorld(true);
    sim::MoveMouse(170, 160);
    session.ToggleRecording();
    for (int i = 0; i < 2; ++i) {
      sim::Advance(200);
      sim::MouseDown(platform::MouseButton::Left);
      sim::PaintScreen({150, 150, 40, 20}, kPressedButton);
      sim::Advance(30);
      sim::MouseUp(platform::MouseButton::Left);
      sim::PaintScreen({150, 150, 40, 20}, kButton);
      sim::Advance(270);
    }
    sim::MoveMouse(700, 200);
    sim::Advance(100);
    for (int notch = 0; notch < 3; ++notch) {
      sim::TurnWheel(platform::WheelAxis::Vertical, -120);
      sim::Advance(40);
    }
    sim::Advance(200);
    sim::Click(760, 260);
    sim::Advance(100);
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
    bool decoy;
    int off_ms;            // the option is switched off then; 0: never
    int press_x, press_y;  // where the replay presses the button; 0: nowhere
  };
  const World worlds[] = {
      {"unchanged", true, 0, 0, 0, false, 0, 170, 160},
      {"ten times slower", true, 1500, 0, 0, false, 0, 170, 160},
      {"moved, another of its windows in view", true, 0, 300, 150, true, 0, 470, 310},
      {"slower and moved", true, 1500, -60, 400, false, 0, 110, 560},
      {"never there", true, -1, 0, 0, false, 0, 0, 0},
      {"never there, the option switched off meanwhile", true, -1, 0, 0, false, 1000, 170, 160},
      {"blind, as without the option", false, 0, 300, 150, false, 0, 170, 160},
  };
  // Read while the pointer rests (X11), or brought by each press (Windows' hooks).
  for (const bool brought : {false, true}) {
    SCOPED_TRACE(brought ? "brought by the presses" : "read while the pointer rests");
    sim::SetScreenWithPresses(brought);
    if (engine.Options().wait_for_screen) engine.switches.ToggleWaitForScreen();
    RecordTask();
    // The presses and the first notch of the turn, none of them showing the press's answer.
    ASSERT_EQ(Recording().looks().size(), 4u);
    EXPECT_TRUE(Recording().looks()[0].in_window);
    const std::int64_t recorded_gap = Recording().looks()[1].sample - Recording().looks()[0].sample;
    engine.switches.ToggleWaitForScreen();
    for (const World& w : worlds) {
      SCOPED_TRACE(w.name);
      if (engine.Options().wait_for_screen != w.wait) engine.switches.ToggleWaitForScreen();
      ShowWorld(w.appears_ms == 0, w.dx, w.dy, w.decoy);
      sim::ClearInputLog();
      engine.player.Rewind();
      session.Act(engine::Command::Play);
      const std::int64_t start = sim::Now();
      if (w.off_ms > 0) {
        sim::Advance(w.off_ms);
        engine.switches.ToggleWaitForScreen();
      }
      if (w.appears_ms > 0) {
        sim::Advance(w.appears_ms);
        ShowWorld(true, w.dx, w.dy, w.decoy);
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
      ASSERT_EQ(presses.size(), 3u);
      for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(presses[i].x, w.press_x);
        EXPECT_EQ(presses[i].y, w.press_y);
      }
      // The moves after a press follow the window it found. The canvas never moved: its turn goes
      // where it was recorded, although shifted as the button's window moved it would find the
      // canvas as plain there.
      for (const auto& e : sim::InputLog()) {
        if (e.kind == sim::InputEvent::Kind::MoveCursor && e.time > presses[0].time &&
            e.time < presses[1].time) {
          EXPECT_EQ(e.x, w.press_x);
        }
        if (e.kind == sim::InputEvent::Kind::Wheel) {
          EXPECT_EQ(e.x, 700);
        }
      }
      EXPECT_EQ(presses[2].x, 760);
      EXPECT_EQ(presses[2].y, 260);
      // It pressed within a look's retry of the button showing, then kept the recorded pace.
      const int ready_ms = std::max({w.appears_ms, w.off_ms, 200});
      EXPECT_GE(presses[0].time, start + ready_ms);
      EXPECT_LE(presses[0].time, start + ready_ms + engine::Player::kLookAgainUs / 1000 + 2);
      EXPECT_NEAR(presses[1].time - presses[0].time, recorded_gap, 1);
    }
  }
}

TEST_F(Looks, LooksThatWouldTellNothingAreNotKept) {
  // Over the program's own window (the strip, say), the canvas's presses keep none.
  const platform::WindowHandle own =
      platform::CreateFormWindow({"own", {600, 100, 800, 600}, 0}, nullptr);
  platform::ShowWindow(own, true);
  RecordTask();
  EXPECT_EQ(Recording().looks().size(), 2u);
  platform::DestroyWindow(own);
  // Nor does any press where the screen cannot be read.
  sim::FailScreenCapture(true);
  RecordTask();
  EXPECT_GT(Recording().size(), 1000u);
  EXPECT_TRUE(Recording().looks().empty());
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
#ifndef _WIN32  // Windows keeps the folder's permissions
  EXPECT_EQ((std::filesystem::status(looks_path).permissions() &
             (std::filesystem::perms::group_all | std::filesystem::perms::others_all)),
            std::filesystem::perms::none);
#endif
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
  // Plain screens take little room: all four looks in less than one picture's pixels.
  EXPECT_LT(text.size(), model::kLookPixels * sizeof(std::uint32_t));
  // A recording saved without looks leaves none beside it.
  session.SetRecording(plain);
  session.SaveRecording(path);
  sim::Advance(100);
  EXPECT_FALSE(std::filesystem::exists(looks_path));
  // Looks that cannot be written keep the file from being replaced: the two stay in step.
  std::filesystem::create_directory(looks_path);
  EXPECT_FALSE(engine::SaveRecordingFile(path, recorded, false));
  loaded = engine::ReadRecordingFile(path);
  ASSERT_TRUE(loaded.recording);
  EXPECT_EQ(*loaded.recording, plain);
}

TEST(LooksFile, OneThatIsBrokenOrNotOfTheseSamplesIsNotUsed) {
  // Two looks of one colour with no window: each is 19 bytes and 8 runs of 5.
  model::Recording r;
  for (int i = 0; i < 10; ++i) r.push_back({i, i, model::kMove});
  for (const std::int32_t sample : {2, 7}) {
    model::Look look;
    look.sample = sample;
    look.pixels.assign(model::kLookPixels, 0x336699);
    r.looks().push_back(look);
  }
  const std::string good = model::EncodeLooks(r);
  ASSERT_EQ(good.size(), 18 + 16 + 2 * (19 + 8 * 5));
  ASSERT_EQ(model::DecodeLooks(good, r), r.looks());
  const auto set = [](std::string text, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) text[at + i] = static_cast<char>(value >> (8 * i));
    return text;
  };
  constexpr std::size_t kFirstLook = 18 + 16, kSecondLook = kFirstLook + 59;
  model::Recording other = r;
  other[3].x = 4;
  const struct {
    const char* name;
    std::string text;
    const model::Recording& recording;
  } broken[] = {
      {"another kind of file", "X" + good.substr(1), r},
      {"of other samples", good, other},
      {"more looks than samples", set(good, 18 + 12, 11), r},
      {"a look past the last sample", set(good, kSecondLook, 10), r},
      {"looks out of order", set(good, kSecondLook, 2), r},
      {"a run past the picture's end", set(good, kSecondLook - 5, 0x3366 << 8 | 0xFF), r},
      {"more after the last look", good + '\0', r},
  };
  for (const auto& b : broken) EXPECT_FALSE(model::DecodeLooks(b.text, b.recording)) << b.name;
  // A busy screen: every pixel another, which takes its pixels and a count byte for each 128 of
  // them, no more; then runs and single pixels mixed.
  model::Recording busy = r;
  busy.looks().resize(1);
  std::vector<std::uint32_t>& pixels = busy.looks()[0].pixels;
  for (std::uint32_t i = 0; i < model::kLookPixels; ++i) pixels[i] = i * 2654435761u & 0xFFFFFF;
  EXPECT_EQ(model::EncodeLooks(busy).size(), kFirstLook + 19 + 8 * (1 + 128 * 4));
  EXPECT_EQ(model::DecodeLooks(model::EncodeLooks(busy), busy), busy.looks());
  std::minstd_rand random(7);
  for (std::uint32_t& p : pixels) p = 0x101010 * (random() % 3);
  EXPECT_EQ(model::DecodeLooks(model::EncodeLooks(busy), busy), busy.looks());
}

TEST_F(Looks, PlayedWithWaitItEndsWithItsOwnStatusAndLeavesTheOptionAsItWas) {
  TempFolder folder;
  const std::string path = folder.Path("task.tpw");
  RecordTask();
  session.SaveRecording(path);
  sim::Advance(100);
  ShowWorld(false);
  int outcome = -1;
  session.PlayFile(path, 1, 1, true, [&outcome](int code, auto&) { outcome = code; });
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
