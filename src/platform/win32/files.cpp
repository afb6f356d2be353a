// Files: a save goes to a new file beside the target and replaces it with ReplaceFileW, which
// keeps the target's attributes and security, or MoveFileExW with write-through.
#include <algorithm>

#include "platform/file_faults.h"
#include "win32.h"
// After windows.h, which it needs.
#include <shlobj.h>

namespace platform {
namespace {

using faults::Fails;
using faults::FileStep;
using win32::Widen;

bool Usable(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

HANDLE H(FileHandle f) { return reinterpret_cast<HANDLE>(f); }
FileHandle F(HANDLE h) { return reinterpret_cast<FileHandle>(h); }

}  // namespace

bool GetSaveTarget(const std::string& path, SaveTarget& target) {
  if (!Usable(path)) return false;
  const std::wstring w = Widen(path);
  const DWORD attributes = GetFileAttributesW(w.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    target = {path, false, true, 0};
    return true;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  target = {path, true, (attributes & FILE_ATTRIBUTE_READONLY) == 0 && !faults::DenyWriting(), 0};
  return true;
}

namespace {

// When this run began: a temporary file older than that is one a save of an earlier run left.
const FILETIME kStarted = [] {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return now;
}();

// A save cut short (a kill, a crash) leaves its temporary file behind: those of earlier runs go.
// One of a save running now in another copy is newer than this run.
void RemoveLeftovers(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\~tapwright-*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring_view name = found.cFileName;
    if (name.size() < 16) continue;
    const std::wstring_view number = name.substr(11, name.size() - 15);
    if (number.empty() || number.size() > 6 ||
        number.find_first_not_of(L"0123456789") != std::wstring_view::npos ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        CompareFileTime(&found.ftLastWriteTime, &kStarted) >= 0)
      continue;
    DeleteFileW((folder + L"\\" + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied) {
  denied = Fails(FileStep::CreateBeside);  // as in a folder the user may not write to
  if (denied || !Usable(target.path)) return kNoFile;
  RemoveLeftovers(FolderOf(Widen(target.path)));
  // A short name of its own: one made from the target's could be longer than a name may be.
  const std::wstring stem = FolderOf(Widen(target.path)) + L"\\~tapwright-";
  const DWORD seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
  for (DWORD attempt = 0; attempt < 100; ++attempt) {
    const std::wstring candidate =
        stem + std::to_wstring((seed + attempt * 7919u) % 1000000u) + L".tmp";
    const HANDLE h = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      denied = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
      return kNoFile;
    }
    created = win32::Narrow(candidate);
    return F(h);
  }
  return kNoFile;
}

FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size) {
  if (Fails(FileStep::OpenInPlace) || !Usable(target.path)) return kNoFile;
  const HANDLE h = CreateFileW(Widen(target.path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return kNoFile;
  LARGE_INTEGER old_size{};
  // Room first, by growing the file to the new length: a full disk then fails the save before a
  // byte of the old text is lost.
  LARGE_INTEGER length{};
  length.QuadPart = static_cast<LONGLONG>(size);
  const bool room = GetFileSizeEx(h, &old_size) &&
                    (old_size.QuadPart >= length.QuadPart ||
                     (SetFilePointerEx(h, length, nullptr, FILE_BEGIN) && SetEndOfFile(h)));
  LARGE_INTEGER start{};
  if (!room || !SetFilePointerEx(h, start, nullptr, FILE_BEGIN)) {
    CloseHandle(h);
    return kNoFile;
  }
  return F(h);
}

bool WriteToFile(FileHandle f, std::string_view data) {
  // A failing write on a full disk gets part of the data out first.
  const bool fail = Fails(FileStep::Write);
  if (fail) data = data.substr(0, data.size() / 2);
  while (!data.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(H(f), data.data(), chunk, &written, nullptr) || written == 0) return false;
    data.remove_prefix(written);
  }
  return !fail;
}

bool SetFileLength(FileHandle f, std::uint64_t length) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(length);
  return SetFilePointerEx(H(f), at, nullptr, FILE_BEGIN) && SetEndOfFile(H(f));
}

bool SyncFile(FileHandle f) { return !Fails(FileStep::Sync) && FlushFileBuffers(H(f)) != 0; }

bool CloseFile(FileHandle f) { return CloseHandle(H(f)) != 0 && !Fails(FileStep::Close); }

bool MoveOverTarget(const std::string& replacement, const SaveTarget& target) {
  if (Fails(FileStep::Replace) || !Usable(replacement) || !Usable(target.path)) return false;
  const std::wstring from = Widen(replacement);
  const std::wstring to = Widen(target.path);
  if (target.exists && ReplaceFileW(to.c_str(), from.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return true;
  // A new target, or a file system without ReplaceFileW: the rename itself, written through.
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// MoveFileExW with write-through has already put the folder's entry on the disk.
bool SyncTargetFolder(const SaveTarget&) { return !Fails(FileStep::SyncFolder); }

bool RemoveFile(const std::string& path) {
  return Usable(path) && DeleteFileW(Widen(path).c_str()) != 0;
}

bool CreateFolders(const std::string& path) {
  if (!Usable(path)) return false;
  // It takes backslashes only.
  std::wstring folder = Widen(path);
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  const int made = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return (made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS || made == ERROR_FILE_EXISTS) &&
         attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size, OpenFault* fault) {
  OpenFault ignored{};
  OpenFault& why = fault ? *fault : ignored;
  why = OpenFault::Unreadable;
  if (!Usable(path)) return kNoFile;
  const HANDLE h =
      CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) why = OpenFault::Missing;
    // A folder cannot be opened this way at all.
    if (error == ERROR_ACCESS_DENIED) {
      const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        why = OpenFault::NotRegular;
    }
    return kNoFile;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  LARGE_INTEGER length{};
  // A pipe or a device is no recording: reading one could wait for ever.
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !GetFileSizeEx(h, &length)) {
    why = OpenFault::NotRegular;
    CloseHandle(h);
    return kNoFile;
  }
  size = static_cast<std::uint64_t>(length.QuadPart);
  return F(h);
}

std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n) {
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
  if (!ReadFile(H(f), buffer, want, &got, nullptr)) return -1;
  return got;
}

}  // namespace platform
