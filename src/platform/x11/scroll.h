// Smooth scrolling (XInput 2.1): the scroll valuators of touchpads and high-resolution wheels
// turned into wheel amounts as Windows counts them, 120 a notch, finer amounts kept.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "platform/input.h"

namespace platform::x11 {

struct ScrollValuator {
  int device = 0;  // the physical device's id
  int number = 0;  // the valuator's number on it
  WheelAxis axis = WheelAxis::Vertical;
  double increment = 1;  // one notch, down or right; negative where scrolling is inverted
};

struct WheelTurn {
  WheelAxis axis;
  int delta;  // 120ths of a notch, positive up or right
};

class ScrollTurns {
 public:
  void SetValuators(std::vector<ScrollValuator> valuators) {
    valuators_ = std::move(valuators);
    rest_ = {};
  }
  bool Any() const { return !valuators_.empty(); }

  // The turn a change of the device's valuator makes; none where it is no scroll valuator or
  // the turn is less than a 120th, which is kept for the next change on that axis.
  std::optional<WheelTurn> Turn(int device, int number, double change) {
    for (const ScrollValuator& v : valuators_) {
      if (v.device != device || v.number != number || v.increment == 0) continue;
      const bool vertical = v.axis == WheelAxis::Vertical;
      double& rest = rest_[vertical ? 0 : 1];
      rest += change / v.increment * (vertical ? -120.0 : 120.0);
      const double whole = std::trunc(rest);
      rest -= whole;
      if (whole == 0) return std::nullopt;
      return WheelTurn{v.axis, static_cast<int>(whole)};
    }
    return std::nullopt;
  }

 private:
  std::vector<ScrollValuator> valuators_;
  std::array<double, 2> rest_{};  // vertical, horizontal
};

}  // namespace platform::x11
