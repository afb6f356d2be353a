// Files on the simulated desktop: the real POSIX steps, each of which a test can make fail.
#include "platform/posix/files.h"

#include <set>

#include "platform/sim/sim.h"

namespace sim {
namespace {

struct FileFaults {
  std::set<FileStep> failing;
  bool deny_writing = false;
};

FileFaults& Faults() {
  static FileFaults f;
  return f;
}

bool Fails(FileStep step) { return Faults().failing.count(step) != 0; }

}  // namespace

void FailFileStep(FileStep step) { Faults().failing.insert(step); }
void DenyWritingTargets() { Faults().deny_writing = true; }
void ClearFileFailures() { Faults() = FileFaults{}; }

}  // namespace sim

namespace platform {

using sim::FileStep;

bool GetSaveTarget(const std::string& path, SaveTarget& target) {
  if (!posix::GetSaveTarget(path, target)) return false;
  if (sim::Faults().deny_writing && target.exists) target.writable = false;
  return true;
}
FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied) {
  if (sim::Fails(FileStep::CreateBeside)) {
    denied = true;  // as in a folder the user may not write to
    return kNoFile;
  }
  return posix::CreateFileBeside(target, created, denied);
}
FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size) {
  return sim::Fails(FileStep::OpenInPlace) ? kNoFile : posix::OpenFileInPlace(target, size);
}
bool WriteToFile(FileHandle f, std::string_view data) {
  // A failing write on a full disk gets part of the data out first.
  if (sim::Fails(FileStep::Write)) {
    posix::WriteToFile(f, data.substr(0, data.size() / 2));
    return false;
  }
  return posix::WriteToFile(f, data);
}
bool SetFileLength(FileHandle f, std::uint64_t length) { return posix::SetFileLength(f, length); }
bool SyncFile(FileHandle f) { return !sim::Fails(FileStep::Sync) && posix::SyncFile(f); }
bool CloseFile(FileHandle f) { return posix::CloseFile(f) && !sim::Fails(FileStep::Close); }
bool MoveOverTarget(const std::string& replacement, const SaveTarget& target) {
  return !sim::Fails(FileStep::Replace) && posix::MoveOverTarget(replacement, target);
}
bool SyncTargetFolder(const SaveTarget& target) {
  return !sim::Fails(FileStep::SyncFolder) && posix::SyncTargetFolder(target);
}
bool RemoveFile(const std::string& path) { return posix::RemoveFile(path); }
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size) {
  return posix::OpenRegularFile(path, size);
}
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n) {
  return posix::ReadFromFile(f, buffer, n);
}

}  // namespace platform
