// A big recording file loaded as the program loads it, on the X11 backend: how long it takes,
// the longest the UI thread waits between two 1 ms timer ticks meanwhile (a window repainting
// its frame count all along), and the memory it takes; beside it, the same load made on the UI
// thread, as it used to be, whose length is the window's freeze. Needs a display:
// with_xvfb.sh starts a private Xvfb. Usage: x11_load_bench FILE [SAMPLES]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "engine/file_work.h"
#include "engine/recording_files.h"
#include "frame_count_window.h"
#include "model/tpw_format.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/loop.h"

namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Writes `samples` lines as a recording of the pointer's walk would have them.
void MakeFile(const std::string& path, long samples) {
  std::ofstream out(path, std::ios::binary);
  constexpr int kPiece = 1 << 20;
  for (long done = 0; done < samples; done += kPiece) {
    const int n = static_cast<int>(std::min<long>(kPiece, samples - done));
    model::Recording r;
    r.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
      const long i = done + k;
      r.push_back({static_cast<int>(i % 1920), static_cast<int>(i / 7 % 1080), i % 500 ? -1 : 1});
    }
    out << model::FormatRecording(r);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: x11_load_bench FILE [SAMPLES]\n", stderr);
    return 2;
  }
  const std::string path = argv[1];
  const long samples = argc > 2 ? std::atol(argv[2]) : 30'000'000;
  MakeFile(path, samples);
  std::uint64_t bytes = 0;
  CloseFile(OpenRegularFile(path, bytes));
  std::printf("file: %.0f MB, %ld samples (%.1f hours of recording)\n", bytes / 1e6, samples,
              samples / 3.6e6);

  FrameCountWindow listener;
  const WindowHandle w = CreateFormWindow({"load bench", {0, 0, 178, 66}, 0}, &listener);
  ShowWindow(w, true);
  engine::FileWork files([] {});
  std::optional<model::Recording> loaded;
  double longest_gap_ms = 0;
  Clock::time_point last_tick = Clock::now();
  const TimerId ticks = StartTimer(1, [&] {
    const Clock::time_point now = Clock::now();
    longest_gap_ms = std::max(longest_gap_ms,
                              std::chrono::duration<double, std::milli>(now - last_tick).count());
    last_tick = now;
  });
  const TimerId repaint = StartTimer(10, [w] { InvalidateWindow(w); });
  const Clock::time_point start = Clock::now();
  double took = 0;
  files.Load(path, [&](engine::LoadOutcome r) {
    took = Seconds(start);
    loaded = std::move(r.recording);
    DestroyWindow(w);
  });
  last_tick = Clock::now();
  RunModal(w, 0);
  StopTimer(ticks);
  StopTimer(repaint);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  if (!loaded || static_cast<long>(loaded->size()) != samples) {
    std::puts("FAILED: the file did not load whole");
    return 1;
  }
  std::printf(
      "off the UI thread: loaded in %.2f s; longest UI wait %.1f ms; %d frames painted; "
      "peak memory %.0f MB (the samples: %.0f MB)\n",
      took, longest_gap_ms, listener.frames, usage.ru_maxrss / 1e3, samples * 12 / 1e6);
  loaded.reset();

  const Clock::time_point before = Clock::now();
  const bool again = engine::ReadRecordingFile(path).recording.has_value();
  std::printf("on the UI thread, as before: the window freezes %.2f s%s\n", Seconds(before),
              again ? "" : " (FAILED to load)");
  return 0;
}
