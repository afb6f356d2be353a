// text/uri-list as file managers send it in a drop: to local file paths. Pure and header-only, so
// that tests can call it without a desktop.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::x11 {

// The local paths of the file: URIs in `list`, in order. Comments, other schemes, files on other
// hosts and entries that do not decode to a usable path are left out. `host` is this machine's
// name: "file://host/path" names a local file as well as "file:///path".
inline std::vector<std::string> FilePathsFromUriList(std::string_view list, std::string_view host) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::vector<std::string> paths;
  while (!list.empty()) {
    size_t end = list.find('\n');
    std::string_view line = list.substr(0, end);
    list = end == std::string_view::npos ? std::string_view{} : list.substr(end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    constexpr std::string_view kScheme = "file://";
    if (line.size() <= kScheme.size() || line.substr(0, kScheme.size()) != kScheme) continue;
    line.remove_prefix(kScheme.size());
    size_t slash = line.find('/');
    if (slash == std::string_view::npos) continue;
    std::string_view authority = line.substr(0, slash);
    if (!authority.empty() && authority != "localhost" && authority != host) continue;
    std::string_view encoded = line.substr(slash);
    std::string path;
    bool ok = true;
    for (size_t i = 0; i < encoded.size() && ok; ++i) {
      if (encoded[i] != '%') {
        path += encoded[i];
        continue;
      }
      int hi = i + 2 < encoded.size() ? hex(encoded[i + 1]) : -1;
      int lo = i + 2 < encoded.size() ? hex(encoded[i + 2]) : -1;
      ok = hi >= 0 && lo >= 0 && (hi | lo) != 0;  // a NUL cannot be part of a path
      if (ok) path += static_cast<char>(hi * 16 + lo);
      i += 2;
    }
    if (ok) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace platform::x11
