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

// Largest file a load reads.
constexpr std::uint64_t kMaxLoadBytes = std::uint64_t{1} << 30;

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

// The recording in the file at path; nullopt when it is no regular file, is too large, cannot
// be read, does not parse, holds no sample or is cancelled. Its memory is the samples alone.
std::optional<model::Recording> ReadRecordingFile(const std::string& path,
                                                  FileProgress* progress = nullptr);

// Saves the recording as text; progress counts the samples written into the text.
bool SaveRecordingFile(const std::string& path, const model::Recording& recording, bool owner_only,
                       FileProgress* progress = nullptr);

}  // namespace engine
