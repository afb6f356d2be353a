// Recording files on the disk: a save that never destroys the file it replaces, and a load that
// reads only regular files of a sane size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/recording.h"

namespace engine {

// Largest file a load reads.
constexpr std::uint64_t kMaxLoadBytes = std::uint64_t{1} << 30;

// Puts text in the file at path. false when the text is not safely there; the file then holds
// what it held before. owner_only: the file keeps no group or other permission.
bool SaveText(const std::string& path, std::string_view text, bool owner_only = false);

// The recording in the file at path; nullopt when it is no regular file, is too large, cannot
// be read, does not parse or holds no sample.
std::optional<model::Recording> ReadRecordingFile(const std::string& path);

}  // namespace engine
