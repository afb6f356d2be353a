// Recording files on the disk: a save that never destroys the file it replaces, and a load that
// reads only regular files of a sane size.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/recording.h"

namespace engine {

// Most samples a recording file may hold (37 hours at a sample a millisecond): a save refuses
// more, so that whatever is saved can be loaded again.
constexpr std::int32_t kMaxSamples = std::int32_t{1} << 27;
// Largest file a load reads: the most samples, each on the longest line a save writes
// ("-2147483648,-2147483648,-2147483648" and CR LF).
constexpr std::uint64_t kLongestLine = 37;
constexpr std::uint64_t kMaxLoadBytes = std::uint64_t{kMaxSamples} * kLongestLine;
// Largest looks file a load reads: some 60,000 presses on a busy screen, far more on a plain one.
constexpr std::size_t kMaxLooksBytes = std::size_t{256} << 20;

// Why a file did not load.
enum class LoadFault {
  None,
  Missing,       // no such file
  NotAFile,      // a folder, a FIFO, a device
  Unreadable,    // it cannot be read
  NotRecording,  // a line that is no sample
  NoSample,
  TooBig,
  NoMemory,
  Cancelled,
};

struct LoadOutcome {
  std::optional<model::Recording> recording;  // there when the load succeeded
  LoadFault fault = LoadFault::None;
  std::int64_t line = 0;  // NotRecording: the first line that is not a sample
};

// Why, in words for the command line ("line 3 is not a recording line").
std::string DescribeLoadFault(const LoadOutcome& outcome);

// How far a load or a save on another thread has come, and the UI thread's word to stop.
struct FileProgress {
  std::atomic<std::uint64_t> done{0};
  std::atomic<std::uint64_t> total{0};
  std::atomic<bool> cancelled{false};
  int Percent() const {
    const std::uint64_t t = total.load(), d = done.load();
    return t == 0 ? 0 : static_cast<int>(std::min(d, t) * 100 / t);
  }
};

// Puts text in the file at path. false when the text is not safely there; the file then holds
// what it held before. owner_only: the file keeps no group or other permission.
bool SaveText(const std::string& path, std::string_view text, bool owner_only = false);

// The whole of a small text file (settings); nullopt when it is no regular file, cannot be read
// or is larger than max_bytes.
std::optional<std::string> ReadSmallText(const std::string& path, std::size_t max_bytes = 65536);

// The recording in the file at path, or why there is none: it is no regular file, holds more
// than max_samples, cannot be read, does not parse, holds no sample or is cancelled. Its memory
// is the samples alone, and the looks beside it when they are of these samples.
LoadOutcome ReadRecordingFile(const std::string& path, FileProgress* progress = nullptr,
                              std::int32_t max_samples = kMaxSamples);

// Saves the recording as text, and its looks beside it (LooksPathOf) or none; progress counts the
// samples written into the text. false without a try for more than max_samples, which no load
// would take.
bool SaveRecordingFile(const std::string& path, const model::Recording& recording, bool owner_only,
                       FileProgress* progress = nullptr, std::int32_t max_samples = kMaxSamples);

}  // namespace engine
