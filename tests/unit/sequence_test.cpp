// The sequence: a list of recording files played one after another at their times.
#include <algorithm>

#include "session_fixture.h"
#include "temp_files.h"
#include "window_fixture.h"

namespace {

constexpr std::uint32_t kShell = 7;

// The list in the sequence panel: what drops, the buttons and the time fields do to it.
class SequenceList : public WindowTest {
 protected:
  void OpenSequencePanel() {
    ClickOn(TitleRow().options_button);
    ClickOn(OptionsPanel().sequence.button);
  }
  void CloseAllPanels() {
    ClickOn(TitleRow().options_button);
    ClickOn(TitleRow().options_button);
  }
  void DropOnList(std::vector<std::string> files, std::uint32_t effects = kShell) {
    OpenSequencePanel();  // the list is visible only in its panel, from pixel (14, 45)
    sim::Drop(w->Handle(), std::move(files), effects, 30, 60);
    CloseAllPanels();
  }
  void SelectLine(int i) { List().Select(i); }
  std::vector<std::string> Lines() {
    std::vector<std::string> l;
    for (int i = 0; i < List().Count(); ++i) l.push_back(List().Item(i));
    return l;
  }
  TempFolder folder;
};

class Sequence : public SessionTest {
 protected:
  engine::Sequence& Seq() { return engine.sequence; }
  // one.tpw, whose samples move to x 11, at 12:01, and two.tpw (x 22) at 12:02.
  void TwoEntries() {
    Seq().Add(folder.File("one.tpw", 11));
    Seq().Add(folder.File("two.tpw", 22));
    Seq().SetStartTime(0, {12, 1});
    Seq().SetStartTime(1, {12, 2});
  }
  TempFolder folder;
};

TEST_F(SequenceList, DroppedRecordingFilesAreAddedAtTheEndUnselected) {
  DropOnList({"C:\\r\\a.tpw", "C:\\r\\b.TPW", "C:\\r\\c.txt"});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b"}));
  const auto& entries = Engine().sequence.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].path, "C:\\r\\b.TPW");
  EXPECT_EQ(entries[1].start, (model::HourMinute{12, 0}));
  EXPECT_TRUE(SequencePanel().entry_frame.Visible());
  EXPECT_EQ(List().Selected(), -1);
  OpenSequencePanel();
  ClickOn(SequencePanel().remove_button);  // nothing selected: nothing removed
  EXPECT_EQ(List().Count(), 2);
}

TEST_F(SequenceList, OnlyDropsThatOfferCopyMoveAndLinkCount) {
  DropOnList({"C:\\r\\a.tpw"}, platform::kDropCopy);
  EXPECT_EQ(List().Count(), 0);
  sim::Drop(w->Handle(), {folder.File("x.tpw", 5)}, platform::kDropCopy, 30, 33);
  EXPECT_TRUE(Session().GetRecording().empty());
}

TEST_F(SequenceList, ADropOnTheStatusStripLoadsTheFirstFileOnly) {
  sim::Drop(w->Handle(), {folder.File("first.tpw", 5, 2), folder.File("second.tpw", 6, 4)}, kShell,
            30, 33);
  EXPECT_EQ(Session().GetRecording().size(), 2u);
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Load: first");
  sim::Drop(w->Handle(), {}, kShell, 30, 33);  // no file list: nothing happens
  EXPECT_EQ(Session().GetRecording().size(), 2u);
}

// The system would stop reading the name at the NUL and open another file than the one shown.
TEST_F(SequenceList, ANameWithANulIsNoRecordingFile) {
  const std::string cut = folder.File("walk", 5) + std::string(1, '\0') + ".tpw";
  sim::Drop(w->Handle(), {cut}, kShell, 30, 33);
  EXPECT_TRUE(Session().GetRecording().empty());
  EXPECT_EQ(StatusStrip().status_line.Caption(), "F8: record");  // no word of a load
  DropOnList({cut});
  EXPECT_EQ(List().Count(), 0);
}

TEST_F(SequenceList, DeletingTheMiddleLineKeepsTheOthersAndSelectsTheFirst) {
  DropOnList({"C:\\a.tpw", "C:\\b.tpw", "C:\\c.tpw"});
  Engine().sequence.SetStartTime(0, {9, 30});
  OpenSequencePanel();
  SelectLine(1);
  ClickOn(SequencePanel().remove_button);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(Engine().sequence.Entries()[1].path, "C:\\c.tpw");
  EXPECT_EQ(List().Selected(), 0);
  EXPECT_EQ(SequencePanel().entry.hour.Caption(), "09");
  EXPECT_EQ(SequencePanel().entry.minute.Caption(), "30");
}

// The first line stays selected, but is another entry now: the fields show that one's time.
TEST_F(SequenceList, DeletingTheFirstLineShowsTheTimeOfTheOneAfterIt) {
  DropOnList({"C:\\a.tpw", "C:\\b.tpw"});
  Engine().sequence.SetStartTime(1, {9, 30});
  OpenSequencePanel();
  SelectLine(0);
  ClickOn(SequencePanel().remove_button);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"b"}));
  EXPECT_EQ(List().Selected(), 0);
  EXPECT_EQ(SequencePanel().entry.hour.Caption(), "09");
  EXPECT_EQ(SequencePanel().entry.minute.Caption(), "30");
}

TEST_F(SequenceList, DeletingTheOnlyLineHidesTheTimeRow) {
  DropOnList({"C:\\a.tpw"});
  Engine().sequence.SetStartTime(0, {0, 5});
  OpenSequencePanel();
  SelectLine(0);
  EXPECT_EQ(SequencePanel().entry.hour.Caption(), "00");
  EXPECT_EQ(SequencePanel().entry.minute.Caption(), "05");
  ClickOn(SequencePanel().remove_button);
  EXPECT_EQ(List().Count(), 0);
  EXPECT_TRUE(Engine().sequence.Entries().empty());
  EXPECT_FALSE(SequencePanel().entry_frame.Visible());
}

TEST_F(SequenceList, TheAddDialogPausesTheKeyPoller) {
  OpenSequencePanel();
  sim::AnswerNextDialog("C:\\rec\\walk.tpw", 1000);
  const int polls = sim::Window(w->Handle()).topmost_calls;
  ClickOn(SequencePanel().add_button);
  EXPECT_EQ(sim::Window(w->Handle()).topmost_calls, polls);
  ASSERT_EQ(sim::DialogLog().size(), 1u);
  EXPECT_EQ(sim::DialogLog()[0].title, "Tapwright - Load file");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"walk"}));
  sim::Advance(100);
  EXPECT_GT(sim::Window(w->Handle()).topmost_calls, polls);  // polling again
}

TEST_F(SequenceList, WhileThePlayerIsOnTheButtonsDoNothingButDropsStillAdd) {
  DropOnList({"C:\\a.tpw"});
  OpenSequencePanel();
  ClickOn(SequencePanel().sequence_switch);  // the switch sits in the open panel, and closes it
  ASSERT_TRUE(Engine().sequence.On());
  EXPECT_EQ(SequencePanel().frame.Top(), 5000);
  EXPECT_TRUE(TitleRow().sequence_indicator.Visible());
  OpenSequencePanel();
  SelectLine(0);
  ClickOn(SequencePanel().remove_button);
  ClickOn(SequencePanel().add_button);
  EXPECT_TRUE(sim::DialogLog().empty());
  CloseAllPanels();
  DropOnList({"C:\\b.tpw"});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b"}));
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().single_timer.button);  // the timer panel is locked meanwhile
  EXPECT_EQ(TimerPanel().frame.Top(), 5000);
}

TEST_F(Sequence, TheSwitchRefusesAnEmptyListOrAnArmedTimer) {
  EXPECT_FALSE(Seq().Toggle());
  EXPECT_FALSE(Seq().On());
  Seq().Add("C:\\a.tpw");
  session.SetRecording(Samples(1));
  engine.single_timer.Toggle();
  EXPECT_FALSE(Seq().Toggle());
  EXPECT_FALSE(Seq().On());
}

TEST_F(Sequence, AnIndexOutsideTheListChangesNothing) {
  Seq().Add("C:\\a.tpw");
  for (int index : {-1, 1}) {
    EXPECT_FALSE(Seq().Remove(index)) << index;
    Seq().SetStartTime(index, {9, 30});
  }
  ASSERT_EQ(Seq().Entries().size(), 1u);
  EXPECT_EQ(Seq().Entries()[0].start, (model::HourMinute{12, 0}));
}

TEST_F(Sequence, TheButtonsDoNothingWhileItPlays) {
  Seq().Add("C:\\a.tpw");
  ASSERT_TRUE(Seq().Toggle());
  EXPECT_EQ(view.changes.back(), engine::Change::Sequence);
  EXPECT_FALSE(Seq().Remove(0));
  EXPECT_TRUE(Seq().Add("C:\\b.tpw"));  // a drop still adds
  EXPECT_EQ(Seq().Entries().size(), 2u);
}

TEST_F(Sequence, EntriesPlayInOrderAtTheirTimesAndThePlayerEndsAfterTheLast) {
  TwoEntries();
  sim::SetTimeOfDay(12, 0, 30);
  Seq().Toggle();
  sim::Advance(30'000);  // 12:01:00
  EXPECT_TRUE(Playing());
  EXPECT_EQ(Seq().Position(), 1);
  EXPECT_EQ(engine.status.Name(), "one");
  sim::Advance(60'000 + 1);  // 12:02:00 and the first sample of two
  EXPECT_EQ(MovedTo(), (std::vector<int>{11, 11, 11, 22}));
  EXPECT_FALSE(Seq().On());  // repeat off: off after starting the last entry
  EXPECT_EQ(view.changes.back(), engine::Change::Sequence);
  EXPECT_EQ(view.Count(engine::Change::Sequence), 2);
  EXPECT_EQ(Seq().Position(), 0);
  EXPECT_TRUE(Playing());             // while that entry plays on
  EXPECT_EQ(RunningTimers(1000), 2);  // the chronometer and the status line: not the sequence
}

TEST_F(Sequence, AnEntryDueWhileTheLastOneStillPlaysWaitsADay) {
  engine.switches.ToggleRepeat();  // entries repeat until stopped
  TwoEntries();
  sim::SetTimeOfDay(12, 0, 59);
  Seq().Toggle();
  sim::Advance(61'000);  // 12:02:00 passes while one still repeats
  EXPECT_EQ(Seq().Position(), 1);
  const std::vector<int> moved = MovedTo();
  EXPECT_FALSE(moved.empty());
  EXPECT_EQ(std::count(moved.begin(), moved.end(), 22), 0);
}

TEST_F(Sequence, AnUnreadableEntryIsPassedOverAndSaysSo) {
  session.SetRecording(Samples(2));
  Seq().Add(folder.Path("missing.tpw"));
  Seq().Add(folder.File("two.tpw", 22));
  Seq().SetStartTime(0, {12, 1});
  sim::SetTimeOfDay(12, 0, 59);
  Seq().Toggle();
  sim::Advance(1000);
  EXPECT_EQ(Seq().Position(), 1);
  EXPECT_EQ(engine.status.GetKind(), engine::StatusLine::Kind::LoadFailed);
  EXPECT_EQ(engine.status.Name(), "missing");
  sim::Advance(10);
  EXPECT_TRUE(MovedTo().empty());  // not the recording that was there
}

// With repeat on the player starts over at the first entry and stays on; an entry ends its
// playback in the tick before the next one is due, which then waits; a clock set back does not
// play an entry twice.
TEST_F(Sequence, WithRepeatThePlayerStartsOverAndNothingPlaysTwice) {
  engine.switches.ToggleRepeat();
  TwoEntries();
  sim::SetTimeOfDay(12, 0, 59);
  Seq().Toggle();
  sim::Advance(1000);  // 12:01:00: one starts and repeats
  ASSERT_TRUE(Playing());
  sim::Advance(59'500);
  session.TogglePlayback();  // stopped just before 12:02:00
  sim::Advance(500);
  EXPECT_FALSE(Playing());
  EXPECT_EQ(Seq().Position(), 1);
  Seq().SetStartTime(1, {12, 3});
  sim::Advance(60'000);  // 12:03:00: two starts, and the player goes back to one
  EXPECT_TRUE(Playing());
  EXPECT_TRUE(Seq().On());
  EXPECT_EQ(Seq().Position(), 0);
  session.TogglePlayback();
  sim::SetTimeOfDay(12, 0, 58);
  sim::Advance(5000);  // 12:01:00 again
  EXPECT_FALSE(Playing());
}

TEST_F(Sequence, SwitchedOffAndOnItStartsAtTheFirstEntry) {
  TwoEntries();
  sim::SetTimeOfDay(12, 0, 59);
  Seq().Toggle();
  sim::Advance(1000);
  ASSERT_EQ(Seq().Position(), 1);
  Seq().Toggle();
  Seq().Toggle();
  EXPECT_EQ(Seq().Position(), 0);
}

}  // namespace
