// Files: the POSIX steps as they are.
#include "platform/posix/files.h"

namespace platform {

bool GetSaveTarget(const std::string& path, SaveTarget& target) {
  return posix::GetSaveTarget(path, target);
}
FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied) {
  return posix::CreateFileBeside(target, created, denied);
}
FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size) {
  return posix::OpenFileInPlace(target, size);
}
bool WriteToFile(FileHandle f, std::string_view data) { return posix::WriteToFile(f, data); }
bool SetFileLength(FileHandle f, std::uint64_t length) { return posix::SetFileLength(f, length); }
bool SyncFile(FileHandle f) { return posix::SyncFile(f); }
bool CloseFile(FileHandle f) { return posix::CloseFile(f); }
bool MoveOverTarget(const std::string& replacement, const SaveTarget& target) {
  return posix::MoveOverTarget(replacement, target);
}
bool SyncTargetFolder(const SaveTarget& target) { return posix::SyncTargetFolder(target); }
bool RemoveFile(const std::string& path) { return posix::RemoveFile(path); }
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size) {
  return posix::OpenRegularFile(path, size);
}
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n) {
  return posix::ReadFromFile(f, buffer, n);
}

}  // namespace platform
