#include "files/tpw_format.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace tpw {

std::string Format(const engine::Recording& r) {
  std::string out;
  out.reserve(static_cast<size_t>(r.UBound()) * 16);
  char line[40];
  for (std::int32_t k = 1; k <= r.UBound(); ++k) {
    const engine::Sample& s = r[k];
    char* p = line;
    p = std::to_chars(p, line + sizeof line, s.x).ptr;
    *p++ = ',';
    p = std::to_chars(p, line + sizeof line, s.y).ptr;
    *p++ = ',';
    p = std::to_chars(p, line + sizeof line, s.code).ptr;
    *p++ = '\r';
    *p++ = '\n';
    out.append(line, p);
  }
  return out;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::optional<engine::Recording> Parse(std::string_view text) {
  std::vector<std::int32_t> values;
  size_t i = 0;
  const size_t n = text.size();
  for (;;) {
    while (i < n && (IsBlank(text[i]) || IsBreak(text[i]))) ++i;
    if (i == n) break;
    const char* first = text.data() + i;
    const char* last = text.data() + n;
    if (*first == '+') ++first;  // from_chars takes no plus sign
    std::int32_t v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end == first) return std::nullopt;
    values.push_back(v);
    i = static_cast<size_t>(end - text.data());
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n && text[i] == ',') {
      ++i;
    } else if (i < n && !IsBreak(text[i])) {
      return std::nullopt;
    }
  }
  if (values.size() % 3 != 0 || values.size() / 3 > static_cast<size_t>(INT32_MAX))
    return std::nullopt;
  engine::Recording r;
  r.Redim(static_cast<std::int32_t>(values.size() / 3));
  for (std::int32_t k = 1; k <= r.UBound(); ++k) {
    const size_t at = static_cast<size_t>(k - 1) * 3;
    r[k] = {values[at], values[at + 1], values[at + 2]};
  }
  return r;
}

}  // namespace tpw
