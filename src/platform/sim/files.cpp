// Files on the simulated desktop: the machine's real steps, each of which a test can make fail.
#include <set>

#include "platform/sim/sim.h"
#ifdef _WIN32
#include "platform/sim/win32_host_files.h"
namespace platform {
namespace host = win32_files;
}
#else
#include "platform/posix/files.h"
namespace platform {
namespace host = posix;
}
#endif

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
  if (!host::GetSaveTarget(path, target)) return false;
  if (sim::Faults().deny_writing && target.exists) target.writable = false;
  return true;
}
FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied) {
  if (sim::Fails(FileStep::CreateBeside)) {
    denied = true;  // as in a folder the user may not write to
    return kNoFile;
  }
  return host::CreateFileBeside(target, created, denied);
}
FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size) {
  return sim::Fails(FileStep::OpenInPlace) ? kNoFile : host::OpenFileInPlace(target, size);
}
bool WriteToFile(FileHandle f, std::string_view data) {
  // A failing write on a full disk gets part of the data out first.
  if (sim::Fails(FileStep::Write)) {
    host::WriteToFile(f, data.substr(0, data.size() / 2));
    return false;
  }
  return host::WriteToFile(f, data);
}
bool SetFileLength(FileHandle f, std::uint64_t length) { return host::SetFileLength(f, length); }
bool SyncFile(FileHandle f) { return !sim::Fails(FileStep::Sync) && host::SyncFile(f); }
bool CloseFile(FileHandle f) { return host::CloseFile(f) && !sim::Fails(FileStep::Close); }
bool MoveOverTarget(const std::string& replacement, const SaveTarget& target) {
  return !sim::Fails(FileStep::Replace) && host::MoveOverTarget(replacement, target);
}
bool SyncTargetFolder(const SaveTarget& target) {
  return !sim::Fails(FileStep::SyncFolder) && host::SyncTargetFolder(target);
}
bool RemoveFile(const std::string& path) { return host::RemoveFile(path); }
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size) {
  return host::OpenRegularFile(path, size);
}
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n) {
  return host::ReadFromFile(f, buffer, n);
}

}  // namespace platform
