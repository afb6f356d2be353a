// What the X11 open and save dialogs decide, without a display: the filter's patterns, the
// folder listing, the chosen path and the name field's editing. Header-only so that tests can
// call it directly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files.h"

namespace platform::x11::file_dialog {

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline std::string Trim(std::string_view s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

// A filter's patterns: "*.txt; *.TEXT" gives two.
inline std::vector<std::string> SplitPatterns(const std::string& pattern) {
  std::vector<std::string> patterns;
  size_t start = 0;
  while (start <= pattern.size()) {
    size_t end = std::min(pattern.find(';', start), pattern.size());
    std::string one = pattern.substr(start, end - start);
    one.erase(0, one.find_first_not_of(' '));
    one.erase(one.find_last_not_of(' ') + 1);
    if (!one.empty()) patterns.push_back(one);
    start = end + 1;
  }
  return patterns;
}

// "*" and "?" wildcards, ignoring ASCII case; "*.*" means every file, as on Windows.
inline bool MatchPattern(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

inline bool MatchesAny(const std::vector<std::string>& patterns, std::string_view name) {
  if (patterns.empty()) return true;
  return std::any_of(patterns.begin(), patterns.end(),
                     [name](const std::string& p) { return MatchPattern(p, name); });
}

struct Entry {
  std::string name;
  bool folder = false;
};

// ".." first, then folders, then files, each by name ignoring case.
inline bool ListedBefore(const Entry& a, const Entry& b) {
  if ((a.name == "..") != (b.name == "..")) return a.name == "..";
  if (a.folder != b.folder) return a.folder;
  auto less = [](char x, char y) { return LowerAscii(x) < LowerAscii(y); };
  if (std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                   less))
    return true;
  if (std::lexicographical_compare(b.name.begin(), b.name.end(), a.name.begin(), a.name.end(),
                                   less))
    return false;
  return a.name < b.name;  // "A" and "a" both exist: keep a stable order
}

// The sub-folders and matching files of folder; hidden ones (leading ".") are left out. An
// unreadable folder lists only "..".
inline std::vector<Entry> ReadFolder(const std::string& folder,
                                     const std::vector<std::string>& patterns) {
  namespace fs = std::filesystem;
  std::vector<Entry> entries;
  if (folder != "/") entries.push_back({"..", true});
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code type_ec;
    if (it->is_directory(type_ec))
      entries.push_back({name, true});
    else if (!type_ec && it->is_regular_file(type_ec) && MatchesAny(patterns, name))
      entries.push_back({name, false});
  }
  std::sort(entries.begin(), entries.end(), ListedBefore);
  return entries;
}

inline std::string ParentFolder(const std::string& folder) {
  size_t slash = folder.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return folder.substr(0, slash);
}

// What the user typed, relative to the folder unless it is absolute.
inline std::string JoinPath(const std::string& folder, const std::string& typed) {
  if (!typed.empty() && typed[0] == '/') return typed;
  if (folder.empty() || folder.back() == '/') return folder + typed;
  return folder + "/" + typed;
}

inline std::string NamePart(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The save dialog's default extension, for a last component without a ".".
inline std::string WithDefaultExtension(const std::string& path, std::string_view e) {
  if (!e.empty() && e[0] == '.') e.remove_prefix(1);
  if (e.empty() || NamePart(path).find('.') != std::string::npos) return path;
  return path + "." + std::string(e);
}

// What the dialog answers for the path chosen: a save gets its default extension.
inline std::string Answer(const std::string& chosen, const FileRequest& request) {
  return request.save ? WithDefaultExtension(chosen, request.default_extension) : chosen;
}

// The file a desktop chooser's save answer would replace without having asked: a chooser asks
// about the name it gives, not about the one the default extension makes of it. "": none.
inline std::string ReplacedUnasked(const std::string& chosen, const FileRequest& request) {
  const std::string path = Answer(chosen, request);
  std::error_code ec;
  return path != chosen && std::filesystem::exists(path, ec) ? path : "";
}

// The first row to show so that row `selected` is visible among `rows` rows.
inline int ScrollToShow(int selected, int top, int rows, int count) {
  if (selected >= 0) {
    if (selected < top) top = selected;
    if (selected >= top + rows) top = selected - rows + 1;
  }
  return std::max(0, std::min(top, count - rows));
}

// The character a key symbol types, 0 for keys that type none.
inline std::uint32_t KeysymToCodepoint(std::uint32_t keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) return keysym;
  if (keysym >= 0xFFB0 && keysym <= 0xFFB9) return '0' + (keysym - 0xFFB0);  // keypad digits
  if ((keysym & 0xFF000000u) == 0x01000000u) {
    std::uint32_t cp = keysym & 0x00FFFFFFu;
    bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
    bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (!control && !surrogate && cp <= 0x10FFFF) return cp;
  }
  return 0;
}

inline std::string Utf8(std::uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

// Typed text fit for a file name: no control characters (C0, DEL or C1).
inline bool Printable(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x20 || b == 0x7F) return false;
    if (b == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0)
      return false;
  }
  return true;
}

// The name field: UTF-8 text and a caret that never stops inside a character.
class LineEdit {
 public:
  const std::string& Text() const { return text_; }
  size_t Caret() const { return caret_; }
  void Set(std::string text) {
    text_ = std::move(text);
    caret_ = text_.size();
  }
  void Insert(std::string_view s) {
    text_.insert(caret_, s);
    caret_ += s.size();
  }
  void Backspace() {
    size_t from = Previous(caret_);
    text_.erase(from, caret_ - from);
    caret_ = from;
  }
  void Delete() { text_.erase(caret_, Next(caret_) - caret_); }
  void Left() { caret_ = Previous(caret_); }
  void Right() { caret_ = Next(caret_); }
  void Home() { caret_ = 0; }
  void End() { caret_ = text_.size(); }

 private:
  static bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
  size_t Previous(size_t i) const {
    if (i == 0) return 0;
    do --i;
    while (i > 0 && Continuation(text_[i]));
    return i;
  }
  size_t Next(size_t i) const {
    if (i >= text_.size()) return text_.size();
    do ++i;
    while (i < text_.size() && Continuation(text_[i]));
    return i;
  }

  std::string text_;
  size_t caret_ = 0;
};

// The tail of text that fits in max_width, behind "...", for a folder path too long to show.
template <typename Measure>
std::string ElideLeft(const std::string& text, int max_width, Measure measure) {
  if (measure(text) <= max_width) return text;
  for (size_t start = 1; start < text.size(); ++start) {
    if ((static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) continue;
    std::string shown = "..." + text.substr(start);
    if (measure(shown) <= max_width) return shown;
  }
  return "...";
}

}  // namespace platform::x11::file_dialog
