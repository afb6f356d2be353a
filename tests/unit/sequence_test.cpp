// The sequence: a list of recording files played one after another at their times.
#include <filesystem>
#include <fstream>

#include "engine_fixture.h"

namespace {

namespace fs = std::filesystem;
constexpr std::uint32_t kShell = 7;

class Sequence : public EngineTest {
 protected:
  Sequence() {
    dir_ = fs::temp_directory_path() /
           ("tapwright-seq-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
  }
  ~Sequence() override { fs::remove_all(dir_); }

  // A recording file whose samples all move to x.
  std::string File(const std::string& name, int x, int samples = 3) {
    const std::string path = (dir_ / name).string();
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < samples; ++i) out << x << ",0,-1\r\n";
    return path;
  }
  void DropOnList(std::vector<std::string> files, std::uint32_t effects = kShell) {
    f->ImSec_Click(0);  // the list is visible only in its panel, from pixel (14, 45)
    sim::Drop(f->hWnd(), std::move(files), effects, 30, 60);
    f->ImSec_Click(0);
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> l;
    for (int i = 0; i < f->Lista.ListCount(); ++i) l.push_back(f->Lista.List(i));
    return l;
  }
  fs::path dir_;
};

TEST_F(Sequence, DroppedRecordingFilesAreAddedAtTheEndUnselected) {
  DropOnList({"C:\\r\\a.tpw", "C:\\r\\b.TPW", "C:\\r\\c.txt"});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(f->SequenceItems.size(), 2u);
  EXPECT_EQ(f->SequenceItems[1].Path, "C:\\r\\b.TPW");
  EXPECT_EQ(f->SequenceItems[1].StartTime, 1200);
  EXPECT_TRUE(f->frSecTime.Visible());
  EXPECT_EQ(f->Lista.ListIndex(), -1);
  f->imDel_Click();  // nothing selected: nothing removed
  EXPECT_EQ(f->Lista.ListCount(), 2);
}

TEST_F(Sequence, OnlyDropsThatOfferCopyMoveAndLinkCount) {
  DropOnList({"C:\\r\\a.tpw"}, platform::kDropCopy);
  EXPECT_EQ(f->Lista.ListCount(), 0);
  const auto before = f->CurrentRecording;
  sim::Drop(f->hWnd(), {File("x.tpw", 5)}, platform::kDropCopy, 30, 33);
  EXPECT_EQ(f->CurrentRecording, before);
}

TEST_F(Sequence, ADropOnTheStatusStripLoadsTheFirstFileOnly) {
  sim::Drop(f->hWnd(), {File("first.tpw", 5, 2), File("second.tpw", 6, 4)}, kShell, 30, 33);
  EXPECT_EQ(f->CurrentRecording.UBound(), 2);
  EXPECT_EQ(f->LBMsg.Caption(), "Load: first");
  sim::Drop(f->hWnd(), {}, kShell, 30, 33);  // no file list: nothing happens
  EXPECT_EQ(f->CurrentRecording.UBound(), 2);
}

// The system would stop reading the name at the NUL and open another file than the one shown.
TEST_F(Sequence, ANameWithANulIsNoRecordingFile) {
  const std::string cut = File("walk", 5) + std::string(1, '\0') + ".tpw";
  sim::Drop(f->hWnd(), {cut}, kShell, 30, 33);
  EXPECT_EQ(f->CurrentRecording.UBound(), 0);
  EXPECT_FALSE(f->LBMsg.Visible());
  DropOnList({cut});
  EXPECT_EQ(f->Lista.ListCount(), 0);
}

TEST_F(Sequence, DeletingTheMiddleLineKeepsTheOthersAndSelectsTheFirst) {
  for (const char* p : {"C:\\a.tpw", "C:\\b.tpw", "C:\\c.tpw"}) f->AddToSequence(p);
  f->SequenceItems[0].StartTime = 930;
  f->Lista.SetListIndex(1);
  f->imDel_Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(f->SequenceItems[1].Path, "C:\\c.tpw");
  EXPECT_EQ(f->Lista.ListIndex(), 0);
  EXPECT_EQ(f->LBHora[4].Caption(), "09");
  EXPECT_EQ(f->LBHora[5].Caption(), "30");
}

TEST_F(Sequence, DeletingTheOnlyLineHidesTheTimeRow) {
  f->AddToSequence("C:\\a.tpw");
  f->SequenceItems[0].StartTime = 5;
  f->Lista.SetListIndex(0);
  EXPECT_EQ(f->LBHora[4].Caption(), "00");
  EXPECT_EQ(f->LBHora[5].Caption(), "05");
  f->imDel_Click();
  EXPECT_EQ(f->Lista.ListCount(), 0);
  EXPECT_TRUE(f->SequenceItems.empty());
  EXPECT_FALSE(f->frSecTime.Visible());
}

TEST_F(Sequence, TheAddDialogPausesTheKeyPoller) {
  sim::AnswerNextDialog("C:\\rec\\walk.tpw", 1000);
  const int polls = sim::Window(f->hWnd()).topmost_calls;
  f->imAdd_Click();
  EXPECT_EQ(sim::Window(f->hWnd()).topmost_calls, polls);
  ASSERT_EQ(sim::DialogLog().size(), 1u);
  EXPECT_EQ(sim::DialogLog()[0].title, "Tapwright - Load file");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"walk"}));
  EXPECT_TRUE(f->tmrKeys.Enabled());
}

TEST_F(Sequence, WhileThePlayerIsOnTheButtonsDoNothingButDropsStillAdd) {
  f->AddToSequence("C:\\a.tpw");
  f->ImSec_Click(0);  // the switch sits in the open panel, and closes it
  f->ImSecOnOff_Click();
  ASSERT_TRUE(f->SequenceOn);
  EXPECT_EQ(f->frSec.Top(), 5000);
  EXPECT_TRUE(f->ImSec[1].Visible());
  EXPECT_TRUE(f->tmrSec.Enabled());
  f->Lista.SetListIndex(0);
  f->imDel_Click();
  f->imAdd_Click();
  EXPECT_TRUE(sim::DialogLog().empty());
  DropOnList({"C:\\b.tpw"});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b"}));
  f->ImTempo_Click(0);  // the timer panel is locked meanwhile
  EXPECT_EQ(f->FrTempo.Top(), 5000);
}

TEST_F(Sequence, TheSwitchRefusesAnEmptyListOrAnArmedTimer) {
  f->ImSecOnOff_Click();
  EXPECT_FALSE(f->SequenceOn);
  f->AddToSequence("C:\\a.tpw");
  f->ScheduleArmed = true;
  f->ImSecOnOff_Click();
  EXPECT_FALSE(f->SequenceOn);
}

TEST_F(Sequence, EntriesPlayInOrderAtTheirTimesAndThePlayerEndsAfterTheLast) {
  f->AddToSequence(File("one.tpw", 11));
  f->AddToSequence(File("two.tpw", 22));
  f->SequenceItems[0].StartTime = 1201;
  f->SequenceItems[1].StartTime = 1202;
  sim::SetTimeOfDay(12, 0, 30);
  f->ImSec_Click(0);
  f->ImSecOnOff_Click();
  EXPECT_EQ(f->frSec.Top(), 5000);  // the switch closed its panel
  sim::Advance(30'000);             // 12:01:00
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->SequencePos, 1);
  EXPECT_EQ(f->LBMsg.Caption(), "Load: one");
  sim::Advance(60'000 + 1);  // 12:02:00 and the first sample of two
  EXPECT_EQ(MovedTo(), (std::vector<int>{11, 11, 11, 22}));
  EXPECT_FALSE(f->SequenceOn);  // repeat off: off after starting the last entry
  EXPECT_FALSE(f->ImSec[1].Visible());
  EXPECT_FALSE(f->tmrSec.Enabled());
  EXPECT_EQ(f->SequencePos, 0);
  EXPECT_TRUE(f->tmrPLAY.Enabled());  // while that entry plays on
}

TEST_F(Sequence, AnEntryDueWhileTheLastOneStillPlaysWaitsADay) {
  f->ImRepetir_Click(0);  // entries repeat until stopped
  f->AddToSequence(File("one.tpw", 11));
  f->AddToSequence(File("two.tpw", 22));
  f->SequenceItems[0].StartTime = 1201;
  f->SequenceItems[1].StartTime = 1202;
  sim::SetTimeOfDay(12, 0, 59);
  f->ImSecOnOff_Click();
  sim::Advance(61'000);  // 12:02:00 passes while one still repeats
  EXPECT_EQ(f->SequencePos, 1);
  const std::vector<int> moved = MovedTo();
  EXPECT_FALSE(moved.empty());
  EXPECT_EQ(std::count(moved.begin(), moved.end(), 22), 0);
}

TEST_F(Sequence, AnUnreadableEntryIsPassedOverAndSaysSo) {
  f->CurrentRecording = Samples(2);
  f->AddToSequence((dir_ / "missing.tpw").string());
  f->AddToSequence(File("two.tpw", 22));
  f->SequenceItems[0].StartTime = 1201;
  sim::SetTimeOfDay(12, 0, 59);
  f->ImSecOnOff_Click();
  sim::Advance(1000);
  EXPECT_EQ(f->SequencePos, 1);
  EXPECT_EQ(f->LBMsg.Caption(), "Not loaded: missing");
  sim::Advance(10);
  EXPECT_TRUE(MovedTo().empty());  // not the recording that was there
}

// With repeat on the player starts over at the first entry and stays on; an entry ends its
// playback in the tick before the next one is due, which then waits; switching on starts at the
// first entry; a clock set back does not play an entry twice.
TEST_F(Sequence, WithRepeatThePlayerStartsOverAndNothingPlaysTwice) {
  f->ImRepetir_Click(0);
  f->AddToSequence(File("one.tpw", 11));
  f->AddToSequence(File("two.tpw", 22));
  f->SequenceItems[0].StartTime = 1201;
  f->SequenceItems[1].StartTime = 1202;
  sim::SetTimeOfDay(12, 0, 59);
  f->ImSecOnOff_Click();
  sim::Advance(1000);  // 12:01:00: one starts and repeats
  ASSERT_TRUE(f->tmrPLAY.Enabled());
  sim::Advance(59'500);
  f->TogglePlayback();  // stopped just before 12:02:00
  sim::Advance(500);
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  EXPECT_EQ(f->SequencePos, 1);
  f->SequenceItems[1].StartTime = 1203;
  sim::Advance(60'000);  // 12:03:00: two starts, and the player goes back to one
  EXPECT_TRUE(f->tmrPLAY.Enabled());
  EXPECT_TRUE(f->SequenceOn);
  EXPECT_TRUE(f->tmrSec.Enabled());
  EXPECT_EQ(f->SequencePos, 0);
  f->TogglePlayback();
  sim::SetTimeOfDay(12, 0, 58);
  sim::Advance(5000);  // 12:01:00 again
  EXPECT_FALSE(f->tmrPLAY.Enabled());
  f->ImSecOnOff_Click();
  f->SequencePos = 1;
  f->ImSecOnOff_Click();
  EXPECT_EQ(f->SequencePos, 0);
}
}  // namespace
