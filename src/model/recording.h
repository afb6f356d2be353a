// The in-memory recording: one sample per millisecond, recorded and replayed on a clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace model {

// Button codes of a sample: a button's own value is a click (down and up at once); plus kPress
// it is a press, plus kRelease a release. Any code that is neither a button's, a key's nor the
// wheel's is a move.
constexpr std::int32_t kMove = -1;
constexpr std::int32_t kLeft = 1;
constexpr std::int32_t kRight = 2;
constexpr std::int32_t kMiddle = 4;
constexpr std::int32_t kX1 = 32;  // the side buttons: back
constexpr std::int32_t kX2 = 64;  // forward
constexpr std::int32_t kPress = 8;
constexpr std::int32_t kRelease = 16;
// Key codes: kKeyPress plus a virtual key (Windows' numbers on every platform) presses the key,
// kKeyRelease plus it releases it.
constexpr std::int32_t kKeyPress = 256;
constexpr std::int32_t kKeyRelease = 512;
// Wheel codes: kVerticalWheel or kHorizontalWheel plus the turn in 120ths of a notch, positive
// up or right, never 0 and at most kMaxWheelDelta either way.
constexpr std::int32_t kVerticalWheel = 8192;
constexpr std::int32_t kHorizontalWheel = 16384;
constexpr std::int32_t kMaxWheelDelta = 4095;

struct Sample {
  std::int32_t x = 0;  // screen pixels; negative on monitors left of or above the primary one
  std::int32_t y = 0;
  std::int32_t code = 0;

  friend bool operator==(const Sample&, const Sample&) = default;
};

// The samples in their order: sample i is where the pointer was i + 1 ms after the start. The
// names are a standard container's, so range-for and the algorithms take it; an index out of
// range throws std::out_of_range rather than reading past the end.
// NOLINTBEGIN(readability-identifier-naming)
class Recording {
 public:
  using value_type = Sample;
  using const_iterator = std::vector<Sample>::const_iterator;
  using iterator = std::vector<Sample>::iterator;

  std::size_t size() const { return samples_.size(); }
  bool empty() const { return samples_.empty(); }
  const Sample& operator[](std::size_t i) const { return samples_.at(i); }
  Sample& operator[](std::size_t i) { return samples_.at(i); }
  const Sample& back() const { return samples_.at(samples_.size() - 1); }
  Sample& back() { return samples_.at(samples_.size() - 1); }
  const_iterator begin() const { return samples_.begin(); }
  const_iterator end() const { return samples_.end(); }
  iterator begin() { return samples_.begin(); }
  iterator end() { return samples_.end(); }
  void push_back(const Sample& s) { samples_.push_back(s); }
  // Room for this many samples in all, so that appending them never moves the others.
  void reserve(std::size_t samples) { samples_.reserve(samples); }

  friend bool operator==(const Recording&, const Recording&) = default;

 private:
  std::vector<Sample> samples_;
};
// NOLINTEND(readability-identifier-naming)

}  // namespace model
