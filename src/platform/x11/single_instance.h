// One copy of the program per user and display: a Unix socket in the abstract namespace, named
// after both. The system releases the name when the process that holds it ends, however it ends,
// and nothing lies in a shared folder. Anyone may take a name there, so a holder is trusted only
// when it is of this user; where another user took it first, the name is a socket in a folder of
// the user's own instead (a name starting with '/'). Header-only, so that tests can call it
// without a desktop.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace platform::x11 {

// The name for user `uid` on `display`. A local display is one whatever its name: ":1", ":1.0"
// and "unix:1" reach the same server, so only its number counts.
inline std::string InstanceName(unsigned uid, std::string_view display) {
  const size_t colon = display.rfind(':');
  const size_t dot = display.find('.', colon == std::string_view::npos ? 0 : colon);
  if (colon != std::string_view::npos && dot != std::string_view::npos)
    display = display.substr(0, dot);
  if (colon != std::string_view::npos && display.substr(0, colon) == "unix")
    display.remove_prefix(colon);
  return "tapwright-" + std::to_string(uid) + "-" + std::string(display.substr(0, 64));
}

enum class InstanceClaim {
  Claimed,         // this process holds the name now, for the rest of its life
  HeldByUs,        // another process of this user holds it: another copy runs
  HeldByStranger,  // another user took it: it tells nothing
  Undecided,       // the name cannot be had or checked: run all the same
};

// The address of a name: a path when it starts with '/', else in the abstract namespace. false
// when it is too long for one.
inline bool AddressOf(const std::string& name, sockaddr_un& address, socklen_t& length) {
  address = {};
  address.sun_family = AF_UNIX;
  if (name.size() + 1 > sizeof address.sun_path) return false;
  const bool path = !name.empty() && name[0] == '/';
  // sun_path[0] = 0: abstract.
  std::memcpy(address.sun_path + (path ? 0 : 1), name.data(), name.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return true;
}

// The socket's other end belongs to this user.
inline bool PeerIsUs(int socket_fd) {
  ucred peer{};
  socklen_t peer_length = sizeof peer;
  return getsockopt(socket_fd, SOL_SOCKET, SO_PEERCRED, &peer, &peer_length) == 0 &&
         peer.uid == getuid();
}

// A connection to the holder of the name, when it is a copy of this user; else -1, and
// `stranger` tells whether another user holds it.
inline int ConnectToInstance(const std::string& name, bool blocking, bool* stranger = nullptr) {
  if (stranger) *stranger = false;
  sockaddr_un address;
  socklen_t length = 0;
  if (!AddressOf(name, address, length)) return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK), 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    close(fd);
    return -1;
  }
  // Anyone may take a name in the abstract namespace: only a holder of our own user is another
  // copy.
  if (!PeerIsUs(fd)) {
    if (stranger) *stranger = true;
    close(fd);
    return -1;
  }
  return fd;
}

// A folder where only this user may make a name: its own, for it alone ($XDG_RUNTIME_DIR).
inline bool PrivateFolder(const char* folder) {
  struct stat st {};
  return folder != nullptr && folder[0] == '/' && lstat(folder, &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

// Takes the name, or finds out who holds it. A successful claim keeps its socket open for ever,
// listening for later copies; `holder` receives it.
inline InstanceClaim ClaimInstanceName(const std::string& name, int* holder = nullptr) {
  sockaddr_un address;
  socklen_t length = 0;
  if (!AddressOf(name, address, length)) return InstanceClaim::Undecided;
  for (int tries = 0; tries < 2; ++tries) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return InstanceClaim::Undecided;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
        listen(fd, SOMAXCONN) == 0) {
      if (holder) *holder = fd;
      return InstanceClaim::Claimed;
    }
    const bool in_use = errno == EADDRINUSE;
    close(fd);
    if (!in_use) return InstanceClaim::Undecided;
    bool stranger = false;
    const int probe = ConnectToInstance(name, false, &stranger);
    if (probe >= 0) {
      close(probe);
      return InstanceClaim::HeldByUs;
    }
    if (stranger) return InstanceClaim::HeldByStranger;
    // A socket file that nobody listens on is what an ended copy left: it goes.
    if (name[0] != '/' || unlink(name.c_str()) != 0) return InstanceClaim::Undecided;
  }
  return InstanceClaim::Undecided;
}

}  // namespace platform::x11
