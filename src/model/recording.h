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

// Element 0 is never a sample and holds (0, 0, 0); the samples are elements 1 to UBound().
class Recording {
 public:
  Recording() : samples_(1) {}
  std::int32_t UBound() const { return static_cast<std::int32_t>(samples_.size()) - 1; }
  const Sample& operator[](std::int32_t i) const { return samples_.at(static_cast<size_t>(i)); }
  Sample& operator[](std::int32_t i) { return samples_.at(static_cast<size_t>(i)); }
  // Grows or shrinks to the upper bound u (at least 0), keeping the contents.
  void Redim(std::int32_t u) { samples_.resize(static_cast<size_t>(u < 0 ? 0 : u) + 1); }
  // Room for this many samples in all, so that appending them never moves the others.
  void Reserve(std::int32_t samples) { samples_.reserve(static_cast<size_t>(samples) + 1); }
  void Append(const Sample& s) { samples_.push_back(s); }

  friend bool operator==(const Recording&, const Recording&) = default;

 private:
  std::vector<Sample> samples_;
};

}  // namespace model
