#include "engine/recording_files.h"

#include <algorithm>
#include <array>

#include "model/looks_file.h"
#include "model/tpw_format.h"
#include "platform/files.h"

namespace engine {
namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;

// Reads the file from its start in chunks, each handed to `take`; a fault when it cannot be
// read, grows past max_bytes, is cancelled or `take` refuses a chunk (NotRecording).
template <typename Take>
LoadFault ReadChunks(const std::string& path, FileProgress& progress, std::uint64_t max_bytes,
                     Take take) {
  std::uint64_t size = 0;
  platform::OpenFault open_fault = platform::OpenFault::Unreadable;
  const platform::FileHandle f = platform::OpenRegularFile(path, size, &open_fault);
  if (f == platform::kNoFile) {
    if (open_fault == platform::OpenFault::Missing) return LoadFault::Missing;
    return open_fault == platform::OpenFault::NotRegular ? LoadFault::NotAFile
                                                         : LoadFault::Unreadable;
  }
  std::array<char, kChunk> buffer;
  std::uint64_t total = 0;
  LoadFault fault = size <= max_bytes ? LoadFault::None : LoadFault::TooBig;
  if (progress.total == 0) progress.total = 2 * size;  // one look to count, one to read
  while (fault == LoadFault::None && !progress.cancelled) {
    const std::int64_t n = platform::ReadFromFile(f, buffer.data(), buffer.size());
    if (n <= 0) {
      if (n < 0) fault = LoadFault::Unreadable;
      break;
    }
    total += static_cast<std::uint64_t>(n);
    progress.done += static_cast<std::uint64_t>(n);
    // The size may have grown since it was looked at.
    if (total > max_bytes)
      fault = LoadFault::TooBig;
    else if (!take(std::string_view(buffer.data(), static_cast<size_t>(n))))
      fault = LoadFault::NotRecording;
  }
  platform::CloseFile(f);
  return progress.cancelled ? LoadFault::Cancelled : fault;
}

// The whole of a file, for putting it back; nullopt when it cannot be read or is too large.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileProgress progress;
  std::string text;
  if (ReadChunks(path, progress, kMaxLoadBytes, [&](std::string_view piece) {
        text.append(piece);
        return true;
      }) != LoadFault::None)
    return std::nullopt;
  return text;
}

bool WriteOver(const platform::SaveTarget& target, std::string_view text) {
  const platform::FileHandle f = platform::OpenFileInPlace(target, text.size());
  if (f == platform::kNoFile) return false;
  const bool ok = platform::WriteToFile(f, text) && platform::SetFileLength(f, text.size()) &&
                  platform::SyncFile(f);
  return platform::CloseFile(f) && ok;
}

// Only for a folder that refuses new files while the file itself may be written: the old text
// goes, so it is never tried after a failure of the safe way. A write that fails half-way puts
// the old text back as well as it can, rather than leave a mix of both.
bool WriteInPlace(const platform::SaveTarget& target, std::string_view text) {
  const std::optional<std::string> old = ReadWholeFile(target.path);
  if (WriteOver(target, text)) return true;
  if (old) WriteOver(target, *old);
  return false;
}

}  // namespace

bool SaveText(const std::string& path, std::string_view text, bool owner_only) {
  platform::SaveTarget target;
  if (!platform::GetSaveTarget(path, target) || !target.writable) return false;
  target.owner_only = owner_only;
  std::string temp;
  bool denied = false;
  const platform::FileHandle f = platform::CreateFileBeside(target, temp, denied);
  // Written in place, private text would be read through any handle another user holds open.
  const bool may_write_in_place = !owner_only || (target.mode & 077) == 0;
  if (f == platform::kNoFile)
    return denied && target.exists && may_write_in_place && WriteInPlace(target, text);
  bool ok = platform::WriteToFile(f, text) && platform::SyncFile(f);
  ok = platform::CloseFile(f) && ok;
  if (!ok || !platform::MoveOverTarget(temp, target)) {
    platform::RemoveFile(temp);
    return false;
  }
  return platform::SyncTargetFolder(target);
}

std::optional<std::string> ReadSmallText(const std::string& path, std::size_t max_bytes) {
  FileProgress progress;
  std::string text;
  if (ReadChunks(path, progress, max_bytes, [&](std::string_view piece) {
        text.append(piece);
        return true;
      }) != LoadFault::None)
    return std::nullopt;
  return text;
}

LoadOutcome ReadRecordingFile(const std::string& path, FileProgress* progress,
                              std::int32_t max_samples) {
  FileProgress own;
  FileProgress& p = progress ? *progress : own;
  LoadOutcome outcome;
  const std::uint64_t max_bytes = std::uint64_t(max_samples) * kLongestLine;
  // A first look counts the lines, so that the samples take their room once: a vector that
  // doubles as it grows would need up to three times the memory for a moment.
  std::uint64_t lines = 1;
  outcome.fault = ReadChunks(path, p, max_bytes, [&](std::string_view piece) {
    lines += static_cast<std::uint64_t>(std::count(piece.begin(), piece.end(), '\n'));
    return true;
  });
  if (outcome.fault != LoadFault::None) return outcome;
  model::RecordingReader reader;
  reader.Limit(max_samples);
  reader.Expect(static_cast<std::int32_t>(std::min<std::uint64_t>(lines, max_samples)));
  outcome.fault =
      ReadChunks(path, p, max_bytes, [&](std::string_view piece) { return reader.Feed(piece); });
  if (outcome.fault == LoadFault::None) {
    outcome.recording = reader.Finish();
    if (!outcome.recording) outcome.fault = LoadFault::NotRecording;
  }
  if (outcome.fault == LoadFault::NotRecording && reader.TooMany())
    outcome.fault = LoadFault::TooBig;
  outcome.line = reader.Line();
  // A file with no sample would only wipe the recording.
  if (outcome.recording && outcome.recording->empty()) {
    outcome.recording.reset();
    outcome.fault = LoadFault::NoSample;
  }
  // Looks that are not there, or not of these samples, leave a recording that replays blind.
  if (outcome.recording && !p.cancelled)
    if (const std::optional<std::string> text =
            ReadSmallText(model::LooksPathOf(path), kMaxLooksBytes))
      if (std::optional<std::vector<model::Look>> looks =
              model::DecodeLooks(*text, *outcome.recording))
        outcome.recording->looks() = std::move(*looks);
  return outcome;
}

std::string DescribeLoadFault(const LoadOutcome& outcome) {
  switch (outcome.fault) {
    case LoadFault::None:
      return "";
    case LoadFault::Missing:
      return "no such file";
    case LoadFault::NotAFile:
      return "not a regular file";
    case LoadFault::Unreadable:
      return "it cannot be read";
    case LoadFault::NotRecording:
      return "line " + std::to_string(outcome.line) + " is not a recording line";
    case LoadFault::NoSample:
      return "it holds no sample";
    case LoadFault::TooBig:
      return "too big: more than " + std::to_string(kMaxSamples) + " samples";
    case LoadFault::NoMemory:
      return "not enough memory";
    case LoadFault::Cancelled:
      return "stopped";
  }
  return "";
}

bool SaveRecordingFile(const std::string& path, const model::Recording& recording, bool owner_only,
                       FileProgress* progress, std::int32_t max_samples) {
  if (static_cast<std::int64_t>(recording.size()) > max_samples) return false;
  FileProgress own;
  FileProgress& p = progress ? *progress : own;
  p.total = static_cast<std::uint64_t>(recording.size()) + 1;
  std::string text;
  text.reserve(recording.size() * 16);
  constexpr std::size_t kSamplesAPiece = std::size_t{64} * 1024;
  for (std::size_t first = 0; first < recording.size(); first += kSamplesAPiece) {
    model::AppendSamples(recording, first, std::min(recording.size(), first + kSamplesAPiece),
                         text);
    p.done = static_cast<std::uint64_t>(first + kSamplesAPiece);
  }
  // The looks go first and the samples replace the file after them: whatever fails between, the
  // looks beside the file name the samples they belong to, and others are never used. They show
  // parts of the screen: the owner's alone.
  const std::string looks_path = model::LooksPathOf(path);
  if (!recording.looks().empty() && !SaveText(looks_path, model::EncodeLooks(recording), true))
    return false;
  if (!SaveText(path, text, owner_only)) return false;
  if (recording.looks().empty()) platform::RemoveFile(looks_path);
  return true;
}

}  // namespace engine
