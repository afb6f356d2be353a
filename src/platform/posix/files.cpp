// The file steps on a POSIX system, for the X11 backend and the simulated desktop.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_faults.h"
#include "platform/input.h"

namespace platform {
namespace {

using faults::Fails;
using faults::FileStep;

// A NUL would cut the name the system sees short: another file than the one shown.
bool Usable(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

int Fd(FileHandle f) { return static_cast<int>(f); }

// The target's own permissions, less those of group and others where it is the owner's alone,
// and less the group's where the file could not be given the target's group: they would go to
// another group.
mode_t Permissions(const SaveTarget& target, bool group_kept) {
  auto mode = static_cast<mode_t>(target.mode);
  if (target.owner_only) mode &= ~mode_t{077};
  if (!group_kept) mode &= ~mode_t{070};
  return mode;
}

// Every extended attribute of the file at `from` (its ACL among them) onto fd, as far as the
// user may set them: a label only an administrator may write is left as the system makes it.
void CopyAttributes(const std::string& from, int fd) {
  const ssize_t size = listxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::string names(static_cast<size_t>(size), '\0');
  const ssize_t got = listxattr(from.c_str(), names.data(), names.size());
  if (got <= 0) return;
  names.resize(static_cast<size_t>(got));
  std::vector<char> value;
  for (size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    const ssize_t length = getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0) continue;
    value.resize(static_cast<size_t>(length));
    const ssize_t read = getxattr(from.c_str(), name, value.data(), value.size());
    if (read >= 0) (void)fsetxattr(fd, name, value.data(), static_cast<size_t>(read), 0);
  }
}

// The temporary file takes the target's owner, group, attributes and mode, and no more than
// its mode.
bool TakeTargetsLook(const SaveTarget& target, int fd) {
  struct stat st {};
  if (stat(target.path.c_str(), &st) != 0) return false;
  // Each apart: a user may give a group of their own while the owner is not theirs to give.
  if (st.st_uid != geteuid()) (void)!fchown(fd, st.st_uid, static_cast<gid_t>(-1));
  if (st.st_gid != getegid()) (void)!fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  struct stat now {};
  if (fstat(fd, &now) != 0) return false;
  CopyAttributes(target.path, fd);
  // After the ACL: the mode sets its mask, so that no named user gets more than the mode says.
  return fchmod(fd, Permissions(target, now.st_gid == st.st_gid)) == 0;
}

}  // namespace

bool GetSaveTarget(const std::string& path, SaveTarget& target) {
  if (!Usable(path)) return false;
  std::string p = path;
  // Follow the links to the file they name, so that the link stays a link.
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (lstat(p.c_str(), &st) != 0) {
      if (errno != ENOENT) return false;
      struct stat folder {};
      if (stat(FolderOf(p).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) return false;
      target = {p, false, true, 0};
      return true;
    }
    if (S_ISLNK(st.st_mode)) {
      if (hops == 40) return false;  // a loop
      char link[4096];
      const ssize_t n = readlink(p.c_str(), link, sizeof link);
      if (n <= 0 || static_cast<size_t>(n) == sizeof link) return false;
      std::string next(link, static_cast<size_t>(n));
      p = next.front() == '/' ? next : FolderOf(p) + "/" + next;
      continue;
    }
    if (!S_ISREG(st.st_mode)) return false;
    target = {p, true, access(p.c_str(), W_OK) == 0 && !faults::DenyWriting(),
              static_cast<std::uint32_t>(st.st_mode & 07777)};
    return true;
  }
}

namespace {

// When this run began: a temporary file older than that is one a save of an earlier run left.
const std::time_t kStarted = std::time(nullptr);

// A save cut short (a kill, a crash) leaves its temporary file behind: those of earlier runs,
// this user's, go. One of a save running now in another copy is newer than this run.
void RemoveLeftovers(const std::string& folder) {
  DIR* d = opendir(folder.c_str());
  if (d == nullptr) return;
  while (const dirent* e = readdir(d)) {
    const std::string_view name = e->d_name;
    constexpr std::string_view kStem = ".tapwright-", kEnd = ".tmp";
    if (!name.starts_with(kStem) || !name.ends_with(kEnd)) continue;
    const std::string_view number =
        name.substr(kStem.size(), name.size() - kStem.size() - kEnd.size());
    if (number.empty() || number.size() > 6 ||
        number.find_first_not_of("0123456789") != std::string_view::npos)
      continue;
    struct stat st {};
    if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        st.st_uid == geteuid() && st.st_mtime < kStarted)
      unlinkat(dirfd(d), e->d_name, 0);
  }
  closedir(d);
}

}  // namespace

FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied) {
  denied = Fails(FileStep::CreateBeside);  // as in a folder the user may not write to
  if (denied || !Usable(target.path)) return kNoFile;
  RemoveLeftovers(FolderOf(target.path));
  // A short name of its own: one made from the target's could be longer than a name may be.
  const std::string stem = FolderOf(target.path) + "/.tapwright-";
  const unsigned seed =
      static_cast<unsigned>(getpid()) * 2654435761u ^ static_cast<unsigned>(std::time(nullptr));
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate =
        stem + std::to_string((seed + attempt * 7919u) % 1000000u) + ".tmp";
    const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        target.exists || target.owner_only ? 0600 : 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      denied = errno == EACCES || errno == EPERM || errno == EROFS;
      return kNoFile;
    }
    if (target.exists && !TakeTargetsLook(target, fd)) {
      close(fd);
      unlink(candidate.c_str());
      return kNoFile;
    }
    created = candidate;
    return fd;
  }
  return kNoFile;
}

FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size) {
  if (Fails(FileStep::OpenInPlace) || !Usable(target.path)) return kNoFile;
  const int fd = open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return kNoFile;
  struct stat st {};
  const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  // Room first: a full disk then fails the save before a byte of the old text is lost.
  const int room = regular && size > 0 ? posix_fallocate(fd, 0, static_cast<off_t>(size)) : 0;
  // Keystrokes are never written where others may read them, even for a moment.
  const bool closed = target.owner_only && fchmod(fd, Permissions(target, true)) != 0;
  if (!regular || closed || (room != 0 && room != EOPNOTSUPP && room != EINVAL)) {
    close(fd);
    return kNoFile;
  }
  return fd;
}

bool WriteToFile(FileHandle f, std::string_view data) {
  // A failing write on a full disk gets part of the data out first.
  const bool fail = Fails(FileStep::Write);
  if (fail) data = data.substr(0, data.size() / 2);
  while (!data.empty()) {
    const ssize_t n = write(Fd(f), data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return !fail;
}

bool SetFileLength(FileHandle f, std::uint64_t length) {
  return ftruncate(Fd(f), static_cast<off_t>(length)) == 0;
}

bool SyncFile(FileHandle f) { return !Fails(FileStep::Sync) && fsync(Fd(f)) == 0; }

bool CloseFile(FileHandle f) {
  return (close(Fd(f)) == 0 || errno == EINTR) && !Fails(FileStep::Close);
}

bool MoveOverTarget(const std::string& replacement, const SaveTarget& target) {
  return !Fails(FileStep::Replace) && Usable(replacement) && Usable(target.path) &&
         rename(replacement.c_str(), target.path.c_str()) == 0;
}

bool SyncTargetFolder(const SaveTarget& target) {
  if (Fails(FileStep::SyncFolder)) return false;
  const int fd = open(FolderOf(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // Some file systems cannot sync a folder; their entries are as safe as they get.
  const bool ok = fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
  close(fd);
  return ok;
}

bool RemoveFile(const std::string& path) { return Usable(path) && unlink(path.c_str()) == 0; }

bool CreateFolders(const std::string& path) {
  if (!Usable(path)) return false;
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size, OpenFault* fault) {
  OpenFault ignored{};
  OpenFault& why = fault ? *fault : ignored;
  why = OpenFault::Unreadable;
  if (!Usable(path)) return kNoFile;
  // Not blocking: opening a FIFO for reading would wait for a writer that never comes.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) why = OpenFault::Missing;
    return kNoFile;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    if (!S_ISREG(st.st_mode)) why = OpenFault::NotRegular;
    close(fd);
    return kNoFile;
  }
  size = static_cast<std::uint64_t>(st.st_size);
  return fd;
}

std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n) {
  for (;;) {
    const ssize_t got = read(Fd(f), buffer, n);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

}  // namespace platform
