#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/x11/scroll.h"

namespace {

using platform::WheelAxis;
using platform::x11::ScrollTurns;
using platform::x11::ScrollValuator;

// A wheel (device 9: valuator 2 vertical, 3 horizontal, one notch a unit), an inverted touchpad
// (device 11: valuator 3 vertical, 50 units a notch) and a device without scroll valuators.
TEST(X11Scroll, ValuatorChangesTurnTheWheelWithWhatIsUnderA120thCarried) {
  struct Case {
    int device, number;
    double change;
    std::optional<std::pair<WheelAxis, int>> turn;
  } const cases[] = {
      {9, 2, 1.0, std::pair{WheelAxis::Vertical, -120}},     // a notch down
      {9, 2, -2.0, std::pair{WheelAxis::Vertical, 240}},     // two up
      {9, 3, 0.5, std::pair{WheelAxis::Horizontal, 60}},     // half a notch right
      {9, 0, 5.0, std::nullopt},                             // pointer motion
      {4, 2, 1.0, std::nullopt},                             // another device's valuator 2
      {11, 3, 10.0, std::pair{WheelAxis::Vertical, 24}},     // inverted: down is up
      {11, 3, 0.2, std::nullopt},                            // under a 120th: kept
      {11, 3, 0.2, std::nullopt},                            // still under
      {11, 3, 0.2, std::pair{WheelAxis::Vertical, 1}},       // three of them make one
      {9, 3, -0.25, std::pair{WheelAxis::Horizontal, -30}},  // each axis keeps its own rest
  };
  ScrollTurns turns;
  turns.SetValuators({{9, 2, WheelAxis::Vertical, 1.0},
                      {9, 3, WheelAxis::Horizontal, 1.0},
                      {11, 3, WheelAxis::Vertical, -50.0}});
  for (const Case& c : cases) {
    const auto turn = turns.Turn(c.device, c.number, c.change);
    const auto got = turn ? std::optional(std::pair(turn->axis, turn->delta)) : std::nullopt;
    EXPECT_EQ(got, c.turn) << c.device << " " << c.number << " " << c.change;
  }
}

}  // namespace
