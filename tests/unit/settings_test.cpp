// Settings kept between runs: the text they are kept as, and a session that keeps them.
#include "model/settings.h"

#include <fstream>
#include <iterator>

#include "platform/input.h"
#include "session_fixture.h"
#include "temp_files.h"

namespace {

using model::ParseSettings;
using model::Settings;

Settings Changed() {
  Settings s;
  s.options = {true, true, true, 0};
  s.timer_start = {9, 5};
  s.timer_end = {23, 59};
  s.last_folder = "/home/ana/my walks";
  s.hotkeys = {platform::vk::kF1 + 8, 0, 0, 0, 0};  // F9 records
  s.strip_x = 1200;
  s.strip_y = 0;
  return s;
}

TEST(SettingsText, WhatIsWrittenReadsBackAndWhatIsBrokenGivesTheDefaults) {
  EXPECT_EQ(ParseSettings(model::FormatSettings(Changed())), Changed());
  EXPECT_EQ(ParseSettings(model::FormatSettings(Settings())), Settings());
  Settings waiting;
  waiting.options.wait_for_screen = true;
  waiting.options.wait_limit_s = 3600;
  EXPECT_EQ(ParseSettings(model::FormatSettings(waiting)), waiting);
  Settings speed;
  speed.options.speed_step = 5;
  EXPECT_EQ(ParseSettings("# kept\r\n\r\nspeed=8\r\nlater_key=x\n"), speed);
  Settings folder;
  folder.last_folder = "C:\\a=b";
  EXPECT_EQ(ParseSettings("last_folder=C:\\a=b"), folder);
  EXPECT_EQ(ParseSettings("key_play=129\nkey_save=254").hotkeys,
            (std::array<int, 5>{0, 129, 0, 0, 254}));
  // A folder with a line break in its name is left out rather than breaking the file.
  Settings odd = Changed();
  odd.last_folder = "/tmp/a\nrepeat=0";
  EXPECT_EQ(ParseSettings(model::FormatSettings(odd)).options.repeat, true);
  for (const char* broken :
       {"repeat=1\nspeed=3", "repeat=1\nrepeat=2", "repeat=1\nsimulate_clicks=yes",
        "repeat=1\nrecord_keyboard=", "repeat=1\ntimer_start=24:00", "repeat=1\ntimer_end=9:30",
        "repeat=1\ntimer_end=09:60", "repeat=1\ntimer_end=09-30", "repeat=1\njunk",
        "repeat=1\ntimer_start=0;:00", "repeat=1\nkey_play=7", "repeat=1\nkey_play=0x78",
        "repeat=1\nkey_save=255", "repeat=1\nkey_save=1a", "repeat=1\nkey_save=0120",
        "repeat=1\nwait_limit=0", "repeat=1\nwait_limit=3601", "repeat=1\nwait_limit=1s",
        "repeat=1\nstrip_x=-1"})
    EXPECT_EQ(ParseSettings(broken), Settings()) << broken;
}

class KeptSettings : public SimTest {
 protected:
  std::string Text() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  TempFolder folder;
  std::string path = folder.Path("config/tapwright/tapwright.conf");
};

TEST_F(KeptSettings, ASessionReadsThemAndWritesEachChange) {
  sim::SetSettingsPath(path);
  {
    FakeView view;
    engine::Engine first(view);
    EXPECT_EQ(first.Options(), model::Options());  // no file: the defaults
    first.hotkeys.Choose(engine::Command::Record);
    sim::TapKey(platform::vk::kF1 + 8);
    sim::Advance(100);
    first.switches.ToggleRepeat();
    first.switches.ToggleSimulateClicks();
    first.switches.ToggleRecordKeyboard();
    first.switches.ChangeSpeed(-2);
    first.single_timer.SetStartTime({9, 5});
    first.single_timer.SetEndTime({23, 59});
    first.settings.SetLastFolder("/home/ana/my walks");
    first.settings.SetStripPlace({1200, 0});
    sim::Advance(999);
    EXPECT_EQ(Text(), "");  // a second after the last change
    sim::Advance(1);
    EXPECT_EQ(ParseSettings(Text()), Changed());
  }
  FakeView view;
  engine::Engine second(view);
  EXPECT_EQ(second.Options(), Changed().options);
  EXPECT_EQ(second.single_timer.StartTime(), Changed().timer_start);
  EXPECT_EQ(second.single_timer.EndTime(), Changed().timer_end);
  EXPECT_EQ(second.settings.LastFolder(), Changed().last_folder);
  EXPECT_EQ(second.settings.StripPlace(), std::pair(1200, 0));
  EXPECT_EQ(second.hotkeys.Keys().KeyOf(engine::Command::Record), platform::vk::kF1 + 8);
  // A file played at its own speed, waiting for the screen, leaves the user's in the settings.
  const std::string walk = folder.File("walk.tpw", 5);
  second.session.PlayFile(walk, 0, 8, true, [](int, auto&) {});
  second.switches.ToggleRepeat();
  sim::Advance(1000);
  EXPECT_EQ(ParseSettings(Text()).options.speed_step, 0);
  EXPECT_FALSE(ParseSettings(Text()).options.wait_for_screen);
  EXPECT_EQ(ParseSettings(Text()).options.repeat, false);
  // A speed the user chooses meanwhile is theirs.
  second.switches.ChangeSpeed(1);
  sim::Advance(1000);
  EXPECT_EQ(ParseSettings(Text()).options.speed_step, 1);
  // Ending the program writes what is not yet written.
  second.switches.ToggleSimulateClicks();
  EXPECT_THROW(second.Quit(), sim::ProgramEnded);
  EXPECT_EQ(ParseSettings(Text()).options.simulate_clicks, false);
}

// Two copies change keys at once: both changes stay, unless they give one key to two commands;
// then this copy's keys, which it checked, go whole.
TEST(SettingsText, MergedKeysNeverShareOne) {
  Settings mine, theirs;
  theirs.hotkeys = {120, 0, 0, 0, 0};
  mine.hotkeys = {0, 121, 0, 0, 0};
  EXPECT_EQ(model::MergeSettings(Settings(), mine, theirs).hotkeys,
            (std::array<int, 5>{120, 121, 0, 0, 0}));
  mine.hotkeys = {0, 120, 0, 0, 0};
  EXPECT_EQ(model::MergeSettings(Settings(), mine, theirs).hotkeys, mine.hotkeys);
}

// Two copies (two displays) write one file: each writes only what it changed, over what the
// other wrote meanwhile.
TEST_F(KeptSettings, TwoCopiesKeepEachOthersChanges) {
  sim::SetSettingsPath(path);
  FakeView view;
  engine::Engine one(view);
  engine::Engine other(view);
  one.switches.ToggleRepeat();
  sim::Advance(1000);
  other.switches.ChangeSpeed(1);
  sim::Advance(1000);
  one.settings.SetLastFolder("/home/ana");
  sim::Advance(1000);
  const Settings s = ParseSettings(Text());
  EXPECT_TRUE(s.options.repeat);
  EXPECT_EQ(s.options.speed_step, model::kNormalSpeed + 1);
  EXPECT_EQ(s.last_folder, "/home/ana");
}

TEST_F(KeptSettings, ABrokenFileGivesTheDefaults) {
  sim::SetSettingsPath(path);
  std::filesystem::create_directories(folder.Path("config/tapwright"));
  std::ofstream(path, std::ios::binary) << "repeat=1\nspeed=fast\n";
  FakeView view;
  const engine::Engine broken(view);
  EXPECT_EQ(broken.Options(), model::Options());
  // One key for two commands, as a hand may write: the keys are the defaults, the rest stays.
  std::ofstream(path, std::ios::binary) << "repeat=1\nkey_record=121\nkey_save=120\n";
  engine::Engine again(view);
  EXPECT_TRUE(again.Options().repeat);
  EXPECT_EQ(again.hotkeys.Keys().KeyOf(engine::Command::Record), platform::vk::kF8);
  EXPECT_EQ(again.hotkeys.Keys().KeyOf(engine::Command::Save), platform::vk::kF6);
  // A key chosen is written as any other change.
  again.hotkeys.Choose(engine::Command::Save);
  sim::TapKey(platform::vk::kF1 + 10);
  sim::Advance(1100);
  EXPECT_EQ(ParseSettings(Text()).hotkeys[4], platform::vk::kF1 + 10);
  // A modifier or a lock key is no command's, whatever the file says: it would take Shift from
  // every program. The others keep their keys.
  for (const int vk : {160, platform::vk::kShift, platform::vk::kCapsLock}) {
    std::ofstream(path, std::ios::binary) << "key_record=" << vk << "\nkey_play=122\n";
    engine::Engine checked(view);
    EXPECT_EQ(checked.hotkeys.Keys().KeyOf(engine::Command::Record), platform::vk::kF8) << vk;
    EXPECT_EQ(checked.hotkeys.Keys().KeyOf(engine::Command::Play), 122) << vk;
  }
}

}  // namespace
