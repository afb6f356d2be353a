// Files: choosing one (the system's dialog), and the steps of reading and of saving safely.
// Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/display.h"

namespace platform {

// ---------------------------------------------------------------------------------------------
// Choosing a file: the system's open or save dialog (on X11 the desktop's chooser, else one of
// our own). Timers keep ticking while it is open.

struct FileRequest {
  bool save = false;              // false: open an existing file
  WindowHandle owner = 0;         // takes no input while the dialog is open; 0: none
  std::string title;              // "": the system's own
  std::string filter_name;        // shown, e.g. "Recordings (*.tpw)"
  std::string filter_pattern;     // "*.tpw"; several as "*.tpw;*.txt"; "": every file
  std::string start_folder;       // "": the system's choice
  std::string default_extension;  // "tpw": a save adds it to a name without one; "": none
};

// The path chosen; nullopt when the user cancels or the dialog fails.
std::optional<std::string> ChooseFile(const FileRequest& request);

// ---------------------------------------------------------------------------------------------
// Files. A save writes a new file beside the old one and puts it in the old one's place only
// once its text is on the disk; the core runs the steps, so each failure is seen where it
// happens. Paths are UTF-8; a handle is -1 when there is no file. The steps are the system's:
// posix/files.cpp serves x11 and the simulated desktop on Linux, win32/files.cpp the Windows
// builds.

using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

struct SaveTarget {
  std::string path;        // the file to replace: where a symbolic link leads, else the name
  bool exists = false;     // a regular file is there now
  bool writable = false;   // the user may write to it (a new file: whether its folder exists)
  std::uint32_t mode = 0;  // its permission bits
  // What is saved is for the owner alone (recorded keystrokes): the file keeps no group or other
  // permission, whatever it had.
  bool owner_only = false;
};
// What a save to `path` would replace; false when it cannot be a file (a folder, say).
bool GetSaveTarget(const std::string& path, SaveTarget& target);
// A new file, created exclusively in the target's folder with the target's mode (a new target:
// 0666 less the umask); `created` is its path. On failure `denied` tells whether the folder
// refused the user (rather than, say, the disk being full).
FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied);
// The target itself for writing from its start, not truncated, with room for `size` bytes.
FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size);
bool WriteToFile(FileHandle f, std::string_view data);  // all of it, or false
bool SetFileLength(FileHandle f, std::uint64_t length);
bool SyncFile(FileHandle f);  // its data and size are on the disk
bool CloseFile(FileHandle f);
// Puts the file `replacement` in the target's place in one step (the target keeps its links).
bool MoveOverTarget(const std::string& replacement, const SaveTarget& target);
// The folder's entry for the target is on the disk.
bool SyncTargetFolder(const SaveTarget& target);
bool RemoveFile(const std::string& path);
// Makes the folder and those above it that are missing (on Linux for the user alone); true when
// it is there.
bool CreateFolders(const std::string& path);

enum class OpenFault { Missing, NotRegular, Unreadable };
// Opens a regular file for reading; kNoFile for anything else (a FIFO or a device is refused
// without waiting on it), and then `fault` says why. `size` is its length.
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size,
                           OpenFault* fault = nullptr);
// Up to n bytes; 0 at the end, -1 on failure.
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n);

}  // namespace platform
