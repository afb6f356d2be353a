// The Windows build's loading: what is no file on a disk is refused without a read.
#include "engine_fixture.h"

// Last: its macros would rename the program's own names (VK_F5 and the like).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

using Win32Files = EngineTest;

// A pipe would hold the read for good, as a FIFO does on Linux: nothing is ever written to it.
TEST_F(Win32Files, APipeIsNoRecording) {
  const engine::Recording before = Samples(3);
  f->CurrentRecording = before;
  const HANDLE pipe = CreateNamedPipeW(L"\\\\.\\pipe\\tapwright-fifo.tpw", PIPE_ACCESS_OUTBOUND,
                                       PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(f->LoadRecording("\\\\.\\pipe\\tapwright-fifo.tpw"));
  CloseHandle(pipe);
  EXPECT_EQ(f->LBMsg.Caption(), "Not loaded: tapwright-fifo");
  EXPECT_EQ(f->CurrentRecording, before);
}

}  // namespace
