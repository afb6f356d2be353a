// text/uri-list as file managers send it in a drop: to local file paths. Pure and header-only, so
// that tests can call it without a desktop.
#pragma once

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace platform::x11 {

// A longer list is refused whole: a list cut short could end in the middle of a name.
constexpr size_t kMaxUriListBytes = size_t{4} << 20;

namespace uri_detail {

inline bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

inline int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The local path a file URI names (RFC 8089): file:/p, file:///p, or file://host/p where host is
// empty, "localhost" or `this_host`. "" when the entry names no local file.
inline std::string LocalPath(std::string_view uri, std::string_view this_host) {
  for (const char c : uri)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "";  // not a URI
  constexpr std::string_view kScheme = "file:";
  if (!SameLetters(uri.substr(0, kScheme.size()), kScheme)) return "";
  uri.remove_prefix(kScheme.size());
  if (uri.substr(0, 2) == "//") {
    uri.remove_prefix(2);
    const size_t slash = uri.find('/');
    if (slash == std::string_view::npos) return "";
    const std::string_view host = uri.substr(0, slash);
    if (!host.empty() && !SameLetters(host, "localhost") &&
        (this_host.empty() || !SameLetters(host, this_host)))
      return "";
    uri.remove_prefix(slash);
  }
  if (uri.empty() || uri.front() != '/') return "";
  uri = uri.substr(0, uri.find_first_of("?#"));  // a query or a fragment is no part of the path
  std::string path;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      path += uri[i];
      continue;
    }
    const int hi = i + 2 < uri.size() ? Hex(uri[i + 1]) : -1;
    const int lo = i + 2 < uri.size() ? Hex(uri[i + 2]) : -1;
    if (hi < 0 || lo < 0 || (hi | lo) == 0) return "";  // a NUL cannot be part of a path
    path += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return path;
}

}  // namespace uri_detail

// The local paths of the file URIs in `list`, in order. Comments, other schemes, files on other
// hosts and entries that do not decode to a usable path are left out. `host` is this machine's
// name.
inline std::vector<std::string> FilePathsFromUriList(std::string_view list, std::string_view host) {
  std::vector<std::string> paths;
  if (list.size() > kMaxUriListBytes) return paths;
  while (!list.empty()) {
    const size_t end = list.find('\n');
    std::string_view line = list.substr(0, end);
    list = end == std::string_view::npos ? std::string_view{} : list.substr(end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::string path = uri_detail::LocalPath(line, host);
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace platform::x11
