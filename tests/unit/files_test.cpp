// Recording files: the format, the dialogs as the platform receives them, save, load, status.
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>

#include "engine/recording_files.h"
#include "model/command_line.h"
#include "model/file_names.h"
#include "model/sample_code.h"
#include "model/tpw_format.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/process.h"
#include "window_fixture.h"

namespace {

namespace fs = std::filesystem;
using model::FileBaseName;
using model::FileExtension;

TEST(Paths, ExtensionAndBaseName) {
  EXPECT_EQ(FileExtension("C:\\rec\\b.c"), "c");
  EXPECT_EQ(FileExtension("C:\\rec\\walk."), "");
  EXPECT_EQ(FileExtension("C:\\rec\\walk"), "C:\\rec\\walk");
  EXPECT_EQ(FileExtension("C:\\a.b\\walk"), "b\\walk");
  EXPECT_EQ(FileBaseName("C:\\rec\\walk.tpw"), "walk");
  EXPECT_EQ(FileBaseName("walk.tpw"), "walk");
  EXPECT_EQ(FileBaseName("C:\\rec\\a.b.tpw"), "a.b");
  EXPECT_EQ(FileBaseName("C:\\rec\\walk."), "walk");
  EXPECT_EQ(FileBaseName(""), "");
  EXPECT_EQ(FileBaseName("/home/ana/walk.tpw"), "walk");
  EXPECT_EQ(FileBaseName("C:\\a.b\\walk"), "walk");  // no "." in the name itself
}

model::Recording Of(std::initializer_list<model::Sample> samples) {
  model::Recording r;
  for (const auto& s : samples) r.push_back(s);
  return r;
}

TEST(TpwFormat, OneLineASampleWithCrLf) {
  EXPECT_EQ(model::FormatRecording(Of({{7, 8, 2}})), "7,8,2\r\n");
  EXPECT_EQ(model::FormatRecording(Of({{-1280, 200, -1}, {0, -5, 4}})),
            "-1280,200,-1\r\n0,-5,4\r\n");
  EXPECT_EQ(model::FormatRecording(model::Recording()), "");
}

TEST(TpwFormat, ParsesWhatItWritesAndToleratesLineEndingsAndBlanks) {
  const auto r = Of({{-1280, 200, -1}, {2147483647, -2147483647 - 1, 1}});
  EXPECT_EQ(model::ParseRecording(model::FormatRecording(r)), r);
  EXPECT_EQ(model::ParseRecording("1,2,3\n4, 5 ,6\n\n"), Of({{1, 2, 3}, {4, 5, 6}}));
  EXPECT_EQ(model::ParseRecording(""), model::Recording());
  EXPECT_EQ(model::ParseRecording("\xEF\xBB\xBF"
                                  "1,2,3"),
            Of({{1, 2, 3}}));
  EXPECT_EQ(model::ParseRecording("1\r\n2\r\n3"), Of({{1, 2, 3}}));
  EXPECT_EQ(model::ParseRecording("-2147483648,+5,007"), Of({{-2147483647 - 1, 5, 7}}));
  // Read in pieces, a value may be cut anywhere.
  const std::string text = model::FormatRecording(r);
  model::RecordingReader bytewise;
  for (const char& c : text) ASSERT_TRUE(bytewise.Feed({&c, 1}));
  EXPECT_EQ(bytewise.Finish(), r);
}

// Most lines take a quick way through the reader; cut anywhere into pieces of their own, the
// text must still read exactly as the careful way reads it.
TEST(TpwFormat, ReadsTheSameWhereverThePiecesAreCut) {
  struct Case {
    const char* text;
    std::optional<model::Recording> expected;
  } const cases[] = {
      // The first line always goes the careful way (it may start with a byte-order mark).
      {"1,2,3\r\n12,34,56\r\n-7,1920,1080\n2147483647,-2147483648,0\r\n",
       Of({{1, 2, 3}, {12, 34, 56}, {-7, 1920, 1080}, {2147483647, -2147483647 - 1, 0}})},
      {"1,2,3\r\n4,5,6 \r\n7,8,9\r\r\n", Of({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}})},
      {"1,2,3\r\n4,5,6x\n", std::nullopt},
      {"1,2,3\r\n4x5,6\r\n", std::nullopt},
      {"1,2,3\r\n4,5x6\r\n", std::nullopt},
      {"1,2,3\r\n4,,6\r\n", std::nullopt},
      {"1,2,3\r\n,5,6\r\n", std::nullopt},
      {"1,2,3\r\n2147483648,0,0\r\n", std::nullopt},
      {"1,2,3\r\n12345678901,0,0\r\n", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string text = c.text;
    for (size_t cut = 0; cut <= text.size(); ++cut) {
      SCOPED_TRACE(text + " cut at " + std::to_string(cut));
      // Each piece in a buffer of its own, so that a read past its end is caught.
      const auto first = std::make_unique<char[]>(cut);
      const auto second = std::make_unique<char[]>(text.size() - cut);
      text.copy(first.get(), cut);
      text.copy(second.get(), text.size() - cut, cut);
      model::RecordingReader reader;
      const bool fed =
          reader.Feed({first.get(), cut}) && reader.Feed({second.get(), text.size() - cut});
      EXPECT_EQ(fed ? reader.Finish() : std::nullopt, c.expected);
    }
  }
}

TEST(TpwFormat, RejectsAWholeFileForOneBadValue) {
  EXPECT_FALSE(model::ParseRecording("1,2,3\r\n4,5\r\n"));  // the last sample is short
  EXPECT_FALSE(model::ParseRecording("1,x,3\r\n"));
  EXPECT_FALSE(model::ParseRecording("1,2.5,3\r\n"));
  EXPECT_FALSE(model::ParseRecording("2147483648,0,0\r\n"));
  EXPECT_FALSE(model::ParseRecording("1,,3\r\n"));
  EXPECT_FALSE(model::ParseRecording("-2147483649,0,0\r\n"));
  EXPECT_FALSE(model::ParseRecording("-21474836480,0,0\r\n"));
  EXPECT_FALSE(
      model::ParseRecording("2147483648,1,2,3\r\n"));  // not skipped, which would leave a sample
  EXPECT_FALSE(
      model::ParseRecording("18446744073709551617,0,0\r\n"));  // 2^64 + 1 must not wrap to 1
  EXPECT_FALSE(model::ParseRecording("1 2,3\r\n"));
  EXPECT_FALSE(model::ParseRecording("1,2,3\r\n-"));
  EXPECT_FALSE(model::ParseRecording("1,2,3\r\n\xEF\xBB\xBF"));  // a mark only leads
  EXPECT_FALSE(
      model::ParseRecording("\xEF\xBB"
                            "1,2,3"));  // part of one
}

// Saving and loading through the session, with the real window asking for the files and
// showing the outcome.
class Files : public WindowTest {
 protected:
  Files() {
    dir_ = fs::temp_directory_path() /
           ("tapwright-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~Files() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  const model::Recording& Recording() { return session.GetRecording(); }
  // F6's command: the window asks for the file once the command has returned.
  void AskToSave() {
    Session().Act(engine::Command::Save);
    sim::Pump();
  }

  fs::path dir_;
  engine::Session& session = Session();
};

TEST_F(Files, SavingAnEmptyRecordingAsksNothing) {
  AskToSave();
  EXPECT_TRUE(sim::DialogLog().empty());
}

TEST_F(Files, SaveFillsTheDialogAsDesignedAndWritesEverySample) {
  session.SetRecording(Of({{7, 8, 2}, {-1280, 200, -1}}));
  sim::AnswerNextDialog(Path("walk"));  // the dialog adds the default extension
  AskToSave();
  ASSERT_EQ(sim::DialogLog().size(), 1u);
  const platform::FileRequest& d = sim::DialogLog()[0];
  EXPECT_TRUE(d.save);
  EXPECT_EQ(d.owner, w->Handle());
  EXPECT_EQ(d.filter_name, "Tapwright recordings (*.tpw)");
  EXPECT_EQ(d.filter_pattern, "*.tpw");
  EXPECT_EQ(d.start_folder, platform::AppFolder());
  EXPECT_EQ(d.title, "Tapwright - Save file");
  EXPECT_EQ(d.default_extension, "tpw");
  EXPECT_EQ(Read(Path("walk.tpw")), "7,8,2\r\n-1280,200,-1\r\n");
  EXPECT_TRUE(StatusStrip().status_line.Visible());
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Save: walk");
  EXPECT_GE(ui::TwipsToPixelsX(StatusStrip().status_line.Width()),
            StatusStrip().status_line.TextWidthPixels());
  // The next dialog, open or save, starts where the file went; a cancel changes nothing.
  AskToSave();
  session.Act(engine::Command::Load);
  sim::Advance(100);
  ASSERT_EQ(sim::DialogLog().size(), 3u);
  EXPECT_EQ(sim::DialogLog()[1].start_folder, dir_.string());
  EXPECT_EQ(sim::DialogLog()[2].start_folder, dir_.string());
}

TEST_F(Files, ASaveReplacesAnExistingFileWhole) {
  Write(Path("walk.tpw"), std::string(5000, 'x'));
  session.SetRecording(Of({{1, 2, 3}}));
  sim::AnswerNextDialog(Path("walk.tpw"));
  AskToSave();
  EXPECT_EQ(Read(Path("walk.tpw")), "1,2,3\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(Files, ACancelledSaveShowsNothingAFailedOneSaysSoInRed) {
  session.SetRecording(Of({{1, 2, 3}}));
  sim::AnswerNextDialog(std::nullopt);
  AskToSave();
  EXPECT_EQ(StatusStrip().status_line.Caption(), "F10: play");
  EXPECT_EQ(RunningTimers(1000), 0);
  sim::AnswerNextDialog(Path("no-such-folder/walk.tpw"));
  AskToSave();
  EXPECT_TRUE(StatusStrip().status_line.Visible());
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Not saved: walk");
  EXPECT_EQ(StatusStrip().status_line.ForeColor(), ui::kLightRed);
  sim::Advance(5500);
  EXPECT_TRUE(StatusStrip().status_line.Visible());
  sim::Advance(1000);
  EXPECT_EQ(StatusStrip().status_line.Caption(), "F10: play");
  sim::AnswerNextDialog(Path("walk.tpw"));
  AskToSave();  // a success after a failure is grey again
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Save: walk");
  EXPECT_EQ(StatusStrip().status_line.ForeColor(), ui::kGrey);
}

TEST_F(Files, F5WhileIdleOpensTheDialogAndLoads) {
  Write(Path("walk.TPW"), "1,2,-1\r\n3,4,1\r\n");
  sim::SetAppFolder("C:\\Tapwright");
  sim::AnswerNextDialog(Path("walk.TPW"), 2000);
  PressKey(platform::vk::kF5);
  ASSERT_EQ(sim::DialogLog().size(), 1u);
  const platform::FileRequest& d = sim::DialogLog()[0];
  EXPECT_FALSE(d.save);
  EXPECT_EQ(d.owner, w->Handle());
  EXPECT_EQ(d.filter_name, "Tapwright recordings (*.tpw)");
  EXPECT_EQ(d.filter_pattern, "*.tpw");
  EXPECT_EQ(d.start_folder, "C:\\Tapwright");
  EXPECT_EQ(d.title, "Tapwright - Load file");
  EXPECT_EQ(d.default_extension, "");
  EXPECT_EQ(Recording(), Of({{1, 2, -1}, {3, 4, 1}}));
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Load: walk");
}

TEST_F(Files, F5AndF6DoNothingWhileBusyNorOnceIdleAgain) {
  session.ToggleRecording();
  PressKey(platform::vk::kF5);
  PressKey(platform::vk::kF6);
  session.ToggleRecording();
  sim::Advance(300);
  EXPECT_TRUE(sim::DialogLog().empty());
}

TEST_F(Files, WhatCannotBeLoadedLeavesTheRecordingAsItWas) {
  const auto before = Of({{9, 9, 9}});
  session.SetRecording(before);
  Write(Path("a.txt"), "1,2,3\r\n");
  Write(Path("short.tpw"), "1,2,3\r\n4,5\r\n");
  for (const std::string name : {"a.txt", "a.tpw.bak"}) session.LoadRecording(Path(name));
  EXPECT_EQ(StatusStrip().status_line.Caption(), "F10: play");  // not recording files: ignored
  for (const std::string name : {"short.tpw", "missing.tpw"}) {
    session.LoadRecording(Path(name));
    EXPECT_EQ(StatusStrip().status_line.Caption(), "Not loaded: " + fs::path(name).stem().string());
  }
  EXPECT_EQ(Recording(), before);
  EXPECT_EQ(StatusStrip().status_line.ForeColor(), ui::kLightRed);
}

#ifdef __linux__
// Every load closes its file, loaded or not: a program that runs for days loads thousands.
TEST_F(Files, ALoadLeavesNoFileOpen) {
  const auto open_files = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  };
  Write(Path("walk.tpw"), "1,2,3\r\n");
  Write(Path("bad.tpw"), "1,x,3\r\n");
  const auto before = open_files();
  for (int i = 0; i < 10; ++i)
    for (const char* name : {"walk.tpw", "bad.tpw"}) session.LoadRecording(Path(name));
  EXPECT_EQ(open_files(), before);
}
#endif

// A file with no sample would only wipe the recording; one an older Windows editor saved with a
// byte-order mark loads.
TEST_F(Files, AFileWithNoSampleIsNotLoadedAByteOrderMarkIsPassedOver) {
  const auto before = Of({{9, 9, 9}});
  for (const char* text : {"", "\r\n \r\n", "\xEF\xBB\xBF"}) {
    session.SetRecording(before);
    Write(Path("empty.tpw"), text);
    session.LoadRecording(Path("empty.tpw"));
    EXPECT_EQ(Recording(), before);
    EXPECT_EQ(StatusStrip().status_line.Caption(), "Not loaded: empty");
  }
  Write(Path("marked.tpw"),
        "\xEF\xBB\xBF"
        "1,2,3\r\n");
  session.LoadRecording(Path("marked.tpw"));
  EXPECT_EQ(Recording(), Of({{1, 2, 3}}));
}

// Files are read and written on another thread: the recording changes only once a load is
// done, Esc cancels a load, and F10 meanwhile plays the file once it is read.
TEST_F(Files, LoadsAndSavesRunApart) {
  const auto before = Of({{9, 9, 9}});
  session.SetRecording(before);
  Write(Path("walk.tpw"), "1,2,3\r\n");
  sim::HoldBackgroundWork(true);
  session.LoadRecording(Path("walk.tpw"));
  sim::Advance(100);
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Loading 0 %");
  EXPECT_EQ(Recording(), before);
  session.Act(engine::Command::Stop);
  sim::RunHeldWork();
  sim::Advance(200);
  EXPECT_EQ(Recording(), before);
  EXPECT_EQ(StatusStrip().status_line.Caption(), "F10: play");

  session.LoadRecording(Path("walk.tpw"));
  session.Act(engine::Command::Play);
  sim::RunHeldWork();
  sim::Advance(100);
  EXPECT_EQ(Recording(), Of({{1, 2, 3}}));
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Load: walk");
  platform::Point at;
  ASSERT_TRUE(platform::CursorPosition(at));
  EXPECT_EQ(at.x, 1);  // played: the cursor went to the sample's place
  EXPECT_EQ(at.y, 2);

  sim::AnswerNextDialog(Path("saved.tpw"));
  AskToSave();
  sim::RunHeldWork();
  sim::Advance(100);
  EXPECT_EQ(Read(Path("saved.tpw")), "1,2,3\r\n");
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Save: saved");
}

TEST_F(Files, LongRecordingsSurviveASaveAndALoad) {
  session.SetRecording(Samples(40000));
  sim::AnswerNextDialog(Path("long.tpw"));
  AskToSave();
  const auto saved = Recording();
  session.SetRecording(model::Recording());
  session.LoadRecording(Path("long.tpw"));
  EXPECT_EQ(Recording(), saved);
}

TEST_F(SimTest, TheStatusShowsForSixTicksFromTheLatestCall) {
  int changes = 0;
  engine::StatusLine status([&] { ++changes; });
  status.Show(engine::StatusLine::Kind::Saved, "walk");
  sim::Advance(3000);
  status.Show(engine::StatusLine::Kind::Loaded, "run");
  EXPECT_EQ(status.Name(), "run");
  sim::Advance(5500);
  EXPECT_TRUE(status.Visible());
  sim::Advance(1000);
  EXPECT_FALSE(status.Visible());
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(sim::ActiveTimers().empty());
}

TEST_F(Files, SpanishStatusTexts) {
  DropWindow();
  sim::Reset();
  sim::SetLocaleLanguage("Spanish");
  NewWindow();
  w->StartUp();
  engine::Session& s = Session();
  Write(Path("walk.tpw"), "1,2,3\r\n");
  s.LoadRecording(Path("walk.tpw"));
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Abierto: walk");
  s.LoadRecording(Path("gone.tpw"));
  EXPECT_EQ(StatusStrip().status_line.Caption(), "No abierto: gone");
  sim::AnswerNextDialog(Path("walk.tpw"));
  AskToSave();
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Guardado: walk");
  sim::AnswerNextDialog(Path("no-such-folder/walk.tpw"));
  AskToSave();
  EXPECT_EQ(StatusStrip().status_line.Caption(), "No guardado: walk");
}

// Whichever step fails, the old file stays byte for byte and nothing is left beside it.
TEST_F(Files, AFailedSaveKeepsTheOldFileWhole) {
  using sim::FileStep;
  struct Case {
    const char* what;
    std::vector<FileStep> failing;
    bool deny_writing = false;
  };
  const Case cases[] = {
      {"write", {FileStep::Write}},
      {"fsync", {FileStep::Sync}},
      {"close", {FileStep::Close}},
      {"rename", {FileStep::Replace}},
      {"no temporary file, and the file cannot be opened",
       {FileStep::CreateBeside, FileStep::OpenInPlace}},
      {"a file the user may not write", {FileStep::CreateBeside}, true},
  };
  const std::string old = "5,6,7\r\n8,9,10\r\n11,12,13\r\n";
  session.SetRecording(Of({{1, 2, 3}}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::ClearFileFailures();
    Write(Path("walk.tpw"), old);
    for (FileStep step : c.failing) sim::FailFileStep(step);
    if (c.deny_writing) sim::DenyWritingTargets();
    sim::AnswerNextDialog(Path("walk.tpw"));
    AskToSave();
    EXPECT_EQ(Read(Path("walk.tpw")), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_EQ(StatusStrip().status_line.Caption(), "Not saved: walk");
  }
}

// A folder that takes no new file: the file itself is written, cut to the new length; a write
// that fails there is told, and the old text is put back.
TEST_F(Files, WithoutATemporaryFileAWritableFileIsWrittenInPlace) {
  Write(Path("walk.tpw"), std::string(100, 'x'));
  sim::FailFileStep(sim::FileStep::CreateBeside);
  session.SetRecording(Of({{1, 2, 3}}));
  sim::AnswerNextDialog(Path("walk.tpw"));
  AskToSave();
  EXPECT_EQ(Read(Path("walk.tpw")), "1,2,3\r\n");
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Save: walk");
  sim::FailFileStep(sim::FileStep::Write, 1);
  session.SetRecording(Of({{4, 5, 6}, {7, 8, 9}}));
  sim::AnswerNextDialog(Path("walk.tpw"));
  AskToSave();
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Not saved: walk");
  EXPECT_EQ(Read(Path("walk.tpw")), "1,2,3\r\n");
}

#ifndef _WIN32  // POSIX modes, the umask and symbolic links
TEST_F(Files, ASaveKeepsTheFilesModeAndLinks) {
  const mode_t old_umask = ::umask(027);
  session.SetRecording(Of({{1, 2, 3}}));
  Write(Path("private.tpw"), "old");
  fs::permissions(Path("private.tpw"), fs::perms::owner_read | fs::perms::owner_write);
  Write(Path("real.tpw"), "old");
  fs::create_symlink("real.tpw", Path("link.tpw"));
  for (const char* name : {"private.tpw", "link.tpw", "new.tpw"}) {
    sim::AnswerNextDialog(Path(name));
    AskToSave();
  }
  ::umask(old_umask);
  EXPECT_EQ(fs::status(Path("private.tpw")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(fs::is_symlink(Path("link.tpw")));
  EXPECT_EQ(Read(Path("real.tpw")), "1,2,3\r\n");
  EXPECT_EQ(fs::status(Path("new.tpw")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);
}

// A save killed half-way leaves its temporary file: a later save into that folder removes those
// of earlier runs, and nothing else (a save of another copy running now, a file of that look
// that is no save's).
TEST_F(Files, ASaveRemovesTheTemporaryFilesOfEarlierSaves) {
  const auto an_hour = std::chrono::hours(1);
  const struct {
    const char* name;
    fs::file_time_type time;
    bool stays;
  } files[] = {{".tapwright-123456.tmp", fs::file_time_type::clock::now() - an_hour, false},
               {".tapwright-654321.tmp", fs::file_time_type::clock::now() + an_hour, true},
               {".tapwright-notes.tmp", fs::file_time_type::clock::now() - an_hour, true}};
  for (const auto& f : files) {
    Write(Path(f.name), "half a save");
    fs::last_write_time(Path(f.name), f.time);
  }
  session.SetRecording(Of({{1, 2, 3}}));
  sim::AnswerNextDialog(Path("walk.tpw"));
  AskToSave();
  for (const auto& f : files) EXPECT_EQ(fs::exists(Path(f.name)), f.stays) << f.name;
}

// Recorded keystrokes may hold a password: a file that holds keys keeps no group or other
// permission, new or replaced; it is written in place only over a file that was private already
// (another user's open handle would read it); a file of moves keeps what it had.
TEST_F(Files, AFileOfKeystrokesIsTheOwnersAlone) {
  const mode_t old_umask = ::umask(022);
  const model::Recording keys = Of({{1, 2, -1}, {1, 2, model::kKeyRelease + 'P'}});  // last
  const auto perms = [&](const char* name) { return fs::status(Path(name)).permissions(); };
  const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
  const fs::perms shared = rw | fs::perms::group_read | fs::perms::others_read;
  Write(Path("old.tpw"), "old");
  fs::permissions(Path("old.tpw"), shared);
  Write(Path("moves.tpw"), "old");
  fs::permissions(Path("moves.tpw"), shared);
  Write(Path("in-place.tpw"), "old");
  fs::permissions(Path("in-place.tpw"), shared);
  Write(Path("private.tpw"), "old");
  fs::permissions(Path("private.tpw"), rw);
  struct Save {
    const char* name;
    bool with_keys;
    bool in_place;
    fs::perms after;
    bool saved;
  } const saves[] = {{"new.tpw", true, false, rw, true},
                     {"old.tpw", true, false, rw, true},
                     {"moves.tpw", false, false, shared, true},
                     {"in-place.tpw", true, true, shared, false},
                     {"private.tpw", true, true, rw, true}};
  for (const Save& s : saves) {
    SCOPED_TRACE(s.name);
    sim::ClearFileFailures();
    if (s.in_place) sim::FailFileStep(sim::FileStep::CreateBeside);
    session.SetRecording(s.with_keys ? keys : Of({{1, 2, 3}}));
    sim::AnswerNextDialog(Path(s.name));
    AskToSave();
    EXPECT_EQ(StatusStrip().status_line.Caption(),
              (s.saved ? "Save: " : "Not saved: ") + fs::path(s.name).stem().string());
    EXPECT_EQ(perms(s.name), s.after);
    EXPECT_EQ(Read(Path(s.name)) == "old", !s.saved);
  }
  ::umask(old_umask);
}

// Names as long as the system takes work (the temporary file's name is short whatever the
// target's); one it refuses is told.
TEST_F(Files, LongNamesSaveOrSaySo) {
  const std::string deep = Path(std::string(200, 'd') + "/" + std::string(200, 'e'));
  fs::create_directories(deep);
  const std::string long_name = std::string(250, 'n');
  Write(Path(long_name + ".tpw"), "old");
  struct Case {
    std::string path;
    bool saves;
  } const cases[] = {{Path(long_name + ".tpw"), true},
                     {deep + "/" + std::string(240, 'f') + ".tpw", true},
                     {Path(std::string(300, 'x') + ".tpw"), false}};
  session.SetRecording(Of({{1, 2, 3}}));
  for (const Case& c : cases) {
    sim::AnswerNextDialog(c.path);
    AskToSave();
    EXPECT_EQ(StatusStrip().status_line.Caption(),
              (c.saves ? "Save: " : "Not saved: ") + FileBaseName(c.path));
    EXPECT_EQ(c.saves, Read(c.path) == "1,2,3\r\n");
  }
}

// A save keeps the file's ACL and other extended attributes, for its owner as an ordinary
// user (a child as nobody when the tests run as root).
TEST_F(Files, ASaveKeepsTheAclAndAttributes) {
  const std::string path = Path("shared/walk.tpw");
  fs::create_directory(Path("shared"));
  fs::permissions(Path("shared"), fs::perms::all);
  // u::rw-, u:daemon:rw-, g::r--, m::rw-, o::---, as setfacl writes it.
  const std::uint32_t acl[] = {2,          0x00060001, 0xFFFFFFFF, 0x00060002,
                               1,          0x00040004, 0xFFFFFFFF, 0x00060010,
                               0xFFFFFFFF, 0x00000020, 0xFFFFFFFF};
  const auto attribute = [&](const char* name) {
    char value[256];
    const ssize_t n = getxattr(path.c_str(), name, value, sizeof value);
    return n < 0 ? std::string("none") : std::string(value, static_cast<size_t>(n));
  };
  const auto check = [&]() -> std::string {
    Write(path, "old");
    if (setxattr(path.c_str(), "system.posix_acl_access", acl, sizeof acl, 0) != 0 ||
        setxattr(path.c_str(), "user.origin", "desk", 4, 0) != 0)
      return "skip";
    const std::string before = attribute("system.posix_acl_access");
    if (!engine::SaveText(path, "1,2,3\r\n")) return "not saved";
    if (Read(path) != "1,2,3\r\n") return "not written";
    if (attribute("system.posix_acl_access") != before) return "the ACL changed";
    if (attribute("user.origin") != "desk") return "the attribute is " + attribute("user.origin");
    return "";
  };
  std::string outcome;
  if (geteuid() != 0) {
    outcome = check();
  } else {
    int to_parent[2];
    ASSERT_EQ(pipe(to_parent), 0);
    const pid_t child = fork();
    if (child == 0) {
      const std::string said = setgid(65534) == 0 && setuid(65534) == 0 ? check() : "no setuid";
      (void)!write(to_parent[1], said.data(), said.size());
      _exit(0);
    }
    close(to_parent[1]);
    char said[256];
    const ssize_t n = read(to_parent[0], said, sizeof said);
    outcome.assign(said, static_cast<size_t>(std::max<ssize_t>(n, 0)));
    close(to_parent[0]);
    waitpid(child, nullptr, 0);
  }
  if (outcome == "skip") GTEST_SKIP() << "the file system keeps no ACL or user attributes";
  EXPECT_EQ(outcome, "");
}
#endif

// Only regular files of a sane size load, and each failure says why: a FIFO would block the
// program for good in open, a device or a huge file would eat the memory.
TEST_F(Files, OnlyRecordingFilesLoadAndEachFailureSaysWhy) {
#ifndef _WIN32  // no FIFOs there; win32_files_test.cpp tries a pipe
  ASSERT_EQ(::mkfifo(Path("fifo.tpw").c_str(), 0600), 0);
#endif
  fs::create_directory(Path("folder.tpw"));
  fs::resize_file((std::ofstream(Path("huge.tpw")), Path("huge.tpw")), engine::kMaxLoadBytes + 1);
  Write(Path("bad.tpw"), "1,2,-1\r\n3,x,-1\r\n");
  Write(Path("empty.tpw"), "");
  Write(Path("short.tpw"), "1,2,-1\r\n3,4");
  const std::pair<const char*, std::string> cases[] = {
#ifndef _WIN32
      {"fifo", "not a regular file"},
#endif
      {"folder", "not a regular file"},
      {"huge", "too big: more than " + std::to_string(engine::kMaxSamples) + " samples"},
      {"missing", "no such file"},
      {"bad", "line 2 is not a recording line"},
      {"short", "line 2 is not a recording line"},
      {"empty", "it holds no sample"},
  };
  const auto before = Of({{9, 9, 9}});
  session.SetRecording(before);
  for (const auto& [name, why] : cases) {
    int outcome = -1;
    std::string said;
    session.PlayFile(Path(std::string(name) + ".tpw"), 1, 1, false,
                     [&](int code, const std::string& words) {
                       outcome = code;
                       said = words;
                     });
    EXPECT_EQ(outcome, model::kExitNotLoaded) << name;
    EXPECT_EQ(said, why) << name;
    EXPECT_EQ(StatusStrip().status_line.Caption(), std::string("Not loaded: ") + name);
  }
  EXPECT_EQ(Recording(), before);
}

// Whatever a save writes, a load takes back: the limit counts samples, not the bytes of a
// file whose line ends may have grown.
TEST_F(Files, ASaveRefusesWhatNoLoadWouldTake) {
  const std::string path = Path("limit.tpw");
  ASSERT_TRUE(engine::SaveRecordingFile(path, Samples(5), false, nullptr, 5));
  const engine::LoadOutcome at_limit = engine::ReadRecordingFile(path, nullptr, 5);
  ASSERT_TRUE(at_limit.recording);
  EXPECT_EQ(*at_limit.recording, Samples(5));
  EXPECT_FALSE(engine::SaveRecordingFile(path, Samples(6), false, nullptr, 5));
  Write(path, model::FormatRecording(Samples(6)));
  EXPECT_EQ(engine::ReadRecordingFile(path, nullptr, 5).fault, engine::LoadFault::TooBig);
  static_assert(engine::kMaxLoadBytes >= std::uint64_t{engine::kMaxSamples} * 37);
}

// A file played from the command line: its passes at its own pace, whatever the user's options
// say, and each way it can end.
TEST_F(Files, APlayedFileTellsHowItEnded) {
  Write(Path("walk.tpw"), "5,0,-1\r\n6,0,-1\r\n7,0,-1\r\n");
  Engine().switches.ChangeSpeed(model::kSpeedCount - 1 - model::kNormalSpeed);
  const auto passes_played = [] {
    const std::vector<int> xs = MovedTo();
    return std::count(xs.begin(), xs.end(), 7);
  };
  struct Case {
    const char* file;
    int passes;
    bool repeat_option;
    int expected;         // exit code; -1 still playing after a second
    int expected_passes;  // -1: at half the recorded pace, a pass (3 samples and its end) takes 8
                          // ms
  };
  const Case cases[] = {
      {"walk.tpw", 2, false, model::kExitPlayed, 2},
      {"walk.tpw", 3, true, model::kExitPlayed, 3},
      {"walk.tpw", 1, true, model::kExitPlayed, 1},
      {"walk.tpw", 0, false, -1, 1000 / 8},
      {"missing.tpw", 1, false, model::kExitNotLoaded, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " x" + std::to_string(c.passes));
    sim::ClearInputLog();
    if (Engine().Options().repeat != c.repeat_option) Engine().switches.ToggleRepeat();
    int outcome = -1;
    session.PlayFile(Path(c.file), c.passes, 0.5, false,
                     [&outcome](int code, auto&) { outcome = code; });
    sim::Advance(1000);
    EXPECT_EQ(outcome, c.expected);
    EXPECT_NEAR(passes_played(), c.expected_passes, 2);
    EXPECT_EQ(Engine().Options().speed_step, model::kSpeedCount - 1);
    if (c.expected >= 0) {
      EXPECT_EQ(session.GetState(), engine::State::Idle);
    } else {
      PressKey(platform::vk::kEscape);
      EXPECT_EQ(outcome, model::kExitStopped);
    }
  }
  // Its asker gave up, during the playback or the load: it stops, as with Esc.
  for (const bool loading : {false, true}) {
    int outcome = -1;
    sim::HoldBackgroundWork(loading);
    session.PlayFile(Path("walk.tpw"), 0, 1, false,
                     [&outcome](int code, auto&) { outcome = code; });
    sim::Advance(10);
    session.StopPlayFile();
    EXPECT_EQ(outcome, model::kExitStopped) << loading;
    sim::HoldBackgroundWork(false);
    sim::RunHeldWork();
    sim::Advance(10);
    EXPECT_EQ(session.GetState(), engine::State::Idle) << loading;
  }
}

// A file recorded for the command line: it records until the record hotkey, Esc or a word from
// outside, the keyboard only when asked, and saves; a name it could not load is refused first.
TEST_F(Files, ARecordedFileIsSavedHoweverItEnds) {
  struct Case {
    const char* file;
    bool keyboard;
    std::function<void(engine::Session&)> stop;
    int expected;
  } const cases[] = {
      {"walk.tpw", false, [](auto&) { PressKey(platform::vk::kF1 + 7); }, model::kExitPlayed},
      {"walk.tpw", true, [](auto&) { PressKey(platform::vk::kEscape); }, model::kExitPlayed},
      {"walk.tpw", false, [](auto& s) { s.StopRecordFile(); }, model::kExitPlayed},
      {"walk.txt", false, nullptr, model::kExitNotLoaded},
      {"no folder/walk.tpw", false, nullptr, model::kExitNotLoaded},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<int> outcomes;
    session.RecordFile(Path(c.file), c.keyboard,
                       [&outcomes](int code, auto&) { outcomes.push_back(code); });
    if (c.expected != model::kExitPlayed) {
      EXPECT_EQ(outcomes, std::vector{c.expected});
      EXPECT_EQ(session.GetState(), engine::State::Idle);
      continue;
    }
    sim::Advance(5);
    sim::MoveMouse(40, 50);
    PressKey('A');
    sim::Advance(5);
    PressKey(platform::vk::kF1 + 9);  // play: refused while it records
    EXPECT_NE(session.GetState(), engine::State::Playing);
    c.stop(session);
    sim::Advance(100);
    EXPECT_EQ(outcomes, std::vector{c.expected});
    EXPECT_EQ(session.GetState(), engine::State::Idle);
    const model::Recording saved = model::ParseRecording(Read(Path(c.file))).value();
    EXPECT_EQ(saved, Recording());
    EXPECT_EQ(saved.back().x, 40);
    const bool key = std::any_of(saved.begin(), saved.end(), [](const model::Sample& s) {
      return model::Decode(s.code) == model::KeyAction(model::Action::Kind::KeyPress, 'A');
    });
    EXPECT_EQ(key, c.keyboard);
  }
  // A recording in progress is the user's: a file to record is refused.
  session.ToggleRecording();
  std::vector<int> outcomes;
  session.RecordFile(Path("other.tpw"), false,
                     [&outcomes](int code, auto&) { outcomes.push_back(code); });
  EXPECT_EQ(outcomes, std::vector{model::kExitBusy});
  PressKey(platform::vk::kF1 + 7);
  EXPECT_FALSE(fs::exists(Path("other.tpw")));
}

}  // namespace
