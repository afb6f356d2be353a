// The Windows build's files: what a save must leave alone, what a load refuses unread.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "window_fixture.h"

// Last: its macros would rename the program's own names (vk::kF5 and the like).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

namespace fs = std::filesystem;

class Win32Files : public WindowTest {
 protected:
  Win32Files() {
    dir_ = fs::temp_directory_path() /
           ("tapwright-win32-files-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~Win32Files() override {
    for (const auto& entry : fs::directory_iterator(dir_))
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
  engine::Session& session = Session();
};

// A read-only file is the user's word: the save leaves it, and nothing beside it, as it was.
TEST_F(Win32Files, AReadOnlyFileIsNotReplaced) {
  std::ofstream(Path("locked.tpw")) << "old";
  ASSERT_TRUE(SetFileAttributesW(fs::path(Path("locked.tpw")).c_str(), FILE_ATTRIBUTE_READONLY));
  session.SetRecording(Samples(1));
  sim::AnswerNextDialog(Path("locked.tpw"));
  session.Act(engine::Command::Save);
  sim::Pump();  // the window asks for the file once the command has returned
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Not saved: locked");
  EXPECT_EQ(Read(Path("locked.tpw")), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// A pipe would hold the read for good, as a FIFO does on Linux: nothing is ever written to it.
TEST_F(Win32Files, APipeIsNoRecording) {
  const model::Recording before = Samples(3);
  session.SetRecording(before);
  const HANDLE pipe = CreateNamedPipeW(L"\\\\.\\pipe\\tapwright-fifo.tpw", PIPE_ACCESS_OUTBOUND,
                                       PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  session.LoadRecording("\\\\.\\pipe\\tapwright-fifo.tpw");
  CloseHandle(pipe);
  EXPECT_EQ(StatusStrip().status_line.Caption(), "Not loaded: tapwright-fifo");
  EXPECT_EQ(session.GetRecording(), before);
}

}  // namespace
