#include "engine/recording_files.h"

#include <array>

#include "model/tpw_format.h"
#include "platform/platform.h"

namespace engine {
namespace {

// Only for a folder that refuses new files while the file itself may be written: the old text
// goes, so it is never tried after a failure of the safe way.
bool WriteInPlace(const platform::SaveTarget& target, std::string_view text) {
  const platform::FileHandle f = platform::OpenFileInPlace(target, text.size());
  if (f == platform::kNoFile) return false;
  const bool ok = platform::WriteToFile(f, text) && platform::SetFileLength(f, text.size()) &&
                  platform::SyncFile(f);
  return platform::CloseFile(f) && ok;
}

}  // namespace

bool SaveText(const std::string& path, std::string_view text, bool owner_only) {
  platform::SaveTarget target;
  if (!platform::GetSaveTarget(path, target) || !target.writable) return false;
  target.owner_only = owner_only;
  std::string temp;
  bool denied = false;
  const platform::FileHandle f = platform::CreateFileBeside(target, temp, denied);
  if (f == platform::kNoFile) return denied && target.exists && WriteInPlace(target, text);
  bool ok = platform::WriteToFile(f, text) && platform::SyncFile(f);
  ok = platform::CloseFile(f) && ok;
  if (!ok || !platform::MoveOverTarget(temp, target)) {
    platform::RemoveFile(temp);
    return false;
  }
  return platform::SyncTargetFolder(target);
}

std::optional<model::Recording> ReadRecordingFile(const std::string& path) {
  std::uint64_t size = 0;
  const platform::FileHandle f = platform::OpenRegularFile(path, size);
  if (f == platform::kNoFile) return std::nullopt;
  model::RecordingReader reader;
  std::array<char, std::size_t{64} * 1024> buffer;
  std::uint64_t total = 0;
  bool ok = size <= kMaxLoadBytes;
  while (ok) {
    const std::int64_t n = platform::ReadFromFile(f, buffer.data(), buffer.size());
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    total += static_cast<std::uint64_t>(n);
    // The size may have grown since it was looked at.
    ok = total <= kMaxLoadBytes && reader.Feed({buffer.data(), static_cast<size_t>(n)});
  }
  platform::CloseFile(f);
  if (!ok) return std::nullopt;
  std::optional<model::Recording> loaded = reader.Finish();
  // A file with no sample would only wipe the recording.
  if (loaded && loaded->UBound() == 0) return std::nullopt;
  return loaded;
}

}  // namespace engine
