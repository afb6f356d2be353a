// The in-memory recording: one sample per millisecond, recorded and replayed on a clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/look.h"
#include "model/sample_code.h"

namespace model {

struct Sample {
  std::int32_t x = 0;  // screen pixels; negative on monitors left of or above the primary one
  std::int32_t y = 0;
  std::int32_t code = 0;  // what it does besides moving there: see sample_code.h

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
  // What the screen showed at its presses, in the samples' order; none: it replays blind.
  const std::vector<Look>& looks() const { return looks_; }
  std::vector<Look>& looks() { return looks_; }

  friend bool operator==(const Recording&, const Recording&) = default;

 private:
  std::vector<Sample> samples_;
  std::vector<Look> looks_;
};
// NOLINTEND(readability-identifier-naming)

}  // namespace model
