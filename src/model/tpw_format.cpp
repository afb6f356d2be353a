#include "model/tpw_format.h"

#include <charconv>
#include <cstddef>
#include <cstdint>

namespace model {

std::string FormatRecording(const Recording& r) {
  std::string out;
  out.reserve(r.size() * 16);
  AppendSamples(r, 0, r.size(), out);
  return out;
}

void AppendSamples(const Recording& r, std::size_t first, std::size_t end, std::string& out) {
  // Room for each value's longest text ("-2147483648"), so no write can fail.
  constexpr std::ptrdiff_t kValue = 11;
  char line[3 * kValue + 4];
  for (std::size_t k = first; k < end; ++k) {
    const Sample& s = r[k];
    char* p = line;
    p = std::to_chars(p, p + kValue, s.x).ptr;
    *p++ = ',';
    p = std::to_chars(p, p + kValue, s.y).ptr;
    *p++ = ',';
    p = std::to_chars(p, p + kValue, s.code).ptr;
    *p++ = '\r';
    *p++ = '\n';
    out.append(line, p);
  }
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBreak(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::uint64_t kMostNegative = std::uint64_t{1} << 31;

}  // namespace

bool RecordingReader::AppendSample() {
  if (static_cast<std::int64_t>(recording_.size()) >= max_samples_) {
    too_many_ = true;
    return false;
  }
  recording_.push_back({values_[0], values_[1], values_[2]});
  count_ = 0;
  return true;
}

bool RecordingReader::EndValue() {
  if (magnitude_ > (negative_ ? kMostNegative : kMostNegative - 1)) return false;
  values_[count_++] = static_cast<std::int32_t>(negative_ ? -static_cast<std::int64_t>(magnitude_)
                                                          : static_cast<std::int64_t>(magnitude_));
  if (count_ == 3 && !AppendSample()) return false;
  state_ = State::AfterValue;
  return true;
}

namespace {

// One value of the common shape: an optional minus and at most ten digits, in range. nullptr
// for anything else (the careful way then reads it).
const char* ReadPlainValue(const char* p, const char* end, std::int32_t& value) {
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  const char* first = p;
  std::uint64_t magnitude = 0;
  while (p < end && IsDigit(*p) && p - first < 10)
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p++ - '0');
  if (p == first || p == end || IsDigit(*p) ||
      magnitude > (negative ? kMostNegative : kMostNegative - 1))
    return nullptr;
  value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                             : static_cast<std::int64_t>(magnitude));
  return p;
}

}  // namespace

bool RecordingReader::Feed(std::string_view piece) {
  const char* p = piece.data();
  const char* const end = p + piece.size();
  while (p < end) {
    // Most lines are "x,y,code" and a line break: read them whole. Whatever else (blanks, a
    // plus sign, a line cut by the end of the piece) goes the careful way, one byte at a time.
    if (state_ == State::BeforeValue && count_ == 0 && mark_ < 0) {
      const char* q = ReadPlainValue(p, end, values_[0]);
      q = q && *q == ',' ? ReadPlainValue(q + 1, end, values_[1]) : nullptr;
      q = q && *q == ',' ? ReadPlainValue(q + 1, end, values_[2]) : nullptr;
      if (q && *q == '\r' && q + 1 < end) ++q;
      if (q && *q == '\n') {
        if (!AppendSample()) return false;
        p = q + 1;
        ++line_;
        continue;
      }
      count_ = 0;
    }
    Step(*p);
    if (state_ == State::Failed) return false;
    if (*p++ == '\n') ++line_;
  }
  return true;
}

void RecordingReader::Step(char c) {
  static constexpr char kMark[] = "\xEF\xBB\xBF";
  if (mark_ >= 0) {
    if (mark_ < 3 && c == kMark[mark_]) {
      ++mark_;
      return;
    }
    // Part of a mark is no value either.
    if (mark_ > 0 && mark_ < 3) state_ = State::Failed;
    mark_ = -1;
  }
  switch (state_) {
    case State::BeforeValue:
      if (IsBlank(c) || IsBreak(c)) break;
      negative_ = c == '-';
      magnitude_ = 0;
      if (IsDigit(c)) {
        magnitude_ = static_cast<std::uint64_t>(c - '0');
        state_ = State::Digits;
      } else {
        state_ = c == '-' || c == '+' ? State::Sign : State::Failed;
      }
      break;
    case State::Sign:
      magnitude_ = static_cast<std::uint64_t>(c - '0');
      state_ = IsDigit(c) ? State::Digits : State::Failed;
      break;
    case State::Digits:
      if (IsDigit(c)) {
        // Past the range already: stop counting before the number could wrap.
        if (magnitude_ <= kMostNegative)
          magnitude_ = magnitude_ * 10 + static_cast<std::uint64_t>(c - '0');
        break;
      }
      if (!EndValue()) {
        state_ = State::Failed;
        break;
      }
      [[fallthrough]];
    case State::AfterValue:
      if (c == ',' || IsBreak(c))
        state_ = State::BeforeValue;
      else if (!IsBlank(c))
        state_ = State::Failed;
      break;
    case State::Failed:
      break;
  }
}

std::optional<Recording> RecordingReader::Finish() {
  if (state_ == State::Digits && !EndValue()) state_ = State::Failed;
  if (state_ == State::Failed || state_ == State::Sign || count_ != 0) return std::nullopt;
  return std::move(recording_);
}

std::optional<Recording> ParseRecording(std::string_view text) {
  RecordingReader reader;
  if (!reader.Feed(text)) return std::nullopt;
  return reader.Finish();
}

}  // namespace model
