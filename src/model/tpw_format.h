// The recording file: text, one sample a line, "x,y,code" and CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/recording.h"

namespace model {

// The lines of all the samples.
std::string FormatRecording(const Recording& r);
// The lines of samples first up to (not including) end, appended to out.
void AppendSamples(const Recording& r, std::size_t first, std::size_t end, std::string& out);

// The samples of a file's text. Values are signed 32-bit decimals separated by commas or line
// breaks, three to a sample; a leading UTF-8 byte-order mark (older Windows editors write one) is
// passed over. nullopt when any value is malformed or the last sample is short.
std::optional<Recording> ParseRecording(std::string_view text);

// Parse, taking the text piece by piece as it is read: only the samples are kept.
class RecordingReader {
 public:
  // Room for this many samples, when the caller knows (from a first look at the file).
  void Expect(std::int32_t samples) { recording_.reserve(static_cast<std::size_t>(samples)); }
  // More samples than this fail the text.
  void Limit(std::int32_t max_samples) { max_samples_ = max_samples; }
  // Once failed: whether it was for too many samples, and the line (from 1) where it failed.
  bool TooMany() const { return too_many_; }
  std::int64_t Line() const { return line_; }
  // false once the text is malformed; the rest need not be read.
  bool Feed(std::string_view piece);
  std::optional<Recording> Finish();

 private:
  bool EndValue();
  void Step(char c);
  bool AppendSample();

  enum class State { BeforeValue, Sign, Digits, AfterValue, Failed };
  State state_ = State::BeforeValue;
  bool negative_ = false;
  std::uint64_t magnitude_ = 0;
  std::int32_t values_[3] = {};
  int count_ = 0;  // values of the sample being read
  int mark_ = 0;   // bytes of a leading UTF-8 byte-order mark read; -1 once past the start
  std::int32_t max_samples_ = INT32_MAX - 1;
  bool too_many_ = false;
  std::int64_t line_ = 1;
  Recording recording_;
};

}  // namespace model
