// The Windows backend's file steps under names of their own, for the simulated desktop on
// Windows; the same steps that platform.h declares.
#pragma once

#include "platform/platform.h"

namespace platform::win32_files {

bool GetSaveTarget(const std::string& path, SaveTarget& target);
FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied);
FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size);
bool WriteToFile(FileHandle f, std::string_view data);
bool SetFileLength(FileHandle f, std::uint64_t length);
bool SyncFile(FileHandle f);
bool CloseFile(FileHandle f);
bool MoveOverTarget(const std::string& replacement, const SaveTarget& target);
bool SyncTargetFolder(const SaveTarget& target);
bool RemoveFile(const std::string& path);
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size);
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n);

}  // namespace platform::win32_files
