// One copy of the program per user and display: a Unix socket in the abstract namespace, named
// after both. The system releases the name when the process that holds it ends, however it ends,
// and nothing lies in a shared folder. Header-only, so that tests can call it without a desktop.
#pragma once

#include <sys/socket.h>
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
  Claimed,    // this process holds the name now, for the rest of its life
  HeldByUs,   // another process of this user holds it: another copy runs
  Undecided,  // the name cannot be had or checked (held by a stranger, say): run all the same
};

// The socket's other end belongs to this user.
inline bool PeerIsUs(int socket_fd) {
  ucred peer{};
  socklen_t peer_length = sizeof peer;
  return getsockopt(socket_fd, SOL_SOCKET, SO_PEERCRED, &peer, &peer_length) == 0 &&
         peer.uid == getuid();
}

// A connection to the holder of the name, when it is a copy of this user; else -1.
inline int ConnectToInstance(const std::string& name, bool blocking) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.size() + 1 > sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path + 1, name.data(), name.size());  // sun_path[0] = 0: abstract
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK), 0);
  if (fd < 0) return -1;
  // Anyone may take a name in this namespace: only a holder of our own user is another copy.
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || !PeerIsUs(fd)) {
    close(fd);
    return -1;
  }
  return fd;
}

// Takes the name, or finds out who holds it. A successful claim keeps its socket open for ever,
// listening for later copies; `holder` receives it.
inline InstanceClaim ClaimInstanceName(const std::string& name, int* holder = nullptr) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.size() + 1 > sizeof address.sun_path) return InstanceClaim::Undecided;
  std::memcpy(address.sun_path + 1, name.data(), name.size());  // sun_path[0] = 0: abstract
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());

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
  const int probe = ConnectToInstance(name, false);
  if (probe < 0) return InstanceClaim::Undecided;
  close(probe);
  return InstanceClaim::HeldByUs;
}

}  // namespace platform::x11
