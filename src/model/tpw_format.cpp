#include "model/tpw_format.h"

#include <charconv>
#include <cstdint>

namespace model {

std::string FormatRecording(const Recording& r) {
  std::string out;
  out.reserve(static_cast<size_t>(r.UBound()) * 16);
  char line[40];
  for (std::int32_t k = 1; k <= r.UBound(); ++k) {
    const Sample& s = r[k];
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
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::uint64_t kMostNegative = std::uint64_t{1} << 31;

}  // namespace

bool RecordingReader::EndValue() {
  if (magnitude_ > (negative_ ? kMostNegative : kMostNegative - 1)) return false;
  values_[count_++] = static_cast<std::int32_t>(negative_ ? -static_cast<std::int64_t>(magnitude_)
                                                          : static_cast<std::int64_t>(magnitude_));
  if (count_ == 3) {
    const std::int32_t u = recording_.UBound();
    if (u == INT32_MAX - 1) return false;
    recording_.Redim(u + 1);
    recording_[u + 1] = {values_[0], values_[1], values_[2]};
    count_ = 0;
  }
  state_ = State::AfterValue;
  return true;
}

bool RecordingReader::Feed(std::string_view piece) {
  static constexpr char kMark[] = "\xEF\xBB\xBF";
  for (const char c : piece) {
    if (mark_ >= 0) {
      if (mark_ < 3 && c == kMark[mark_]) {
        ++mark_;
        continue;
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
    if (state_ == State::Failed) return false;
  }
  return true;
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
