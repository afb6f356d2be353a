// The recording file's codes, read and written back.
#include "model/sample_code.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

using model::Action;
using model::Axis;
using model::Button;
using Kind = model::Action::Kind;

TEST(SampleCode, EveryCodeReadsAsTheFormatSaysAndWritesBackTheSame) {
  const Action move{};
  struct Row {
    std::int32_t code;
    Action action;
  } const rows[] = {
      {-1, move},
      {1, model::ButtonAction(Kind::Click, Button::Left)},
      {2, model::ButtonAction(Kind::Click, Button::Right)},
      {4, model::ButtonAction(Kind::Click, Button::Middle)},
      {32, model::ButtonAction(Kind::Click, Button::Back)},
      {64, model::ButtonAction(Kind::Click, Button::Forward)},
      {9, model::ButtonAction(Kind::Press, Button::Left)},
      {10, model::ButtonAction(Kind::Press, Button::Right)},
      {12, model::ButtonAction(Kind::Press, Button::Middle)},
      {40, model::ButtonAction(Kind::Press, Button::Back)},
      {72, model::ButtonAction(Kind::Press, Button::Forward)},
      {17, model::ButtonAction(Kind::Release, Button::Left)},
      {18, model::ButtonAction(Kind::Release, Button::Right)},
      {20, model::ButtonAction(Kind::Release, Button::Middle)},
      {48, model::ButtonAction(Kind::Release, Button::Back)},
      {80, model::ButtonAction(Kind::Release, Button::Forward)},
      {256 + 1, model::KeyAction(Kind::KeyPress, 1)},
      {256 + 'A', model::KeyAction(Kind::KeyPress, 'A')},
      {256 + 255, model::KeyAction(Kind::KeyPress, 255)},
      {512 + 1, model::KeyAction(Kind::KeyRelease, 1)},
      {512 + 255, model::KeyAction(Kind::KeyRelease, 255)},
      {8192 + 1, model::WheelAction(Axis::Vertical, 1)},
      {8192 - 120, model::WheelAction(Axis::Vertical, -120)},
      {8192 + 4095, model::WheelAction(Axis::Vertical, 4095)},
      {8192 - 4095, model::WheelAction(Axis::Vertical, -4095)},
      {16384 + 120, model::WheelAction(Axis::Horizontal, 120)},
      {16384 - 1, model::WheelAction(Axis::Horizontal, -1)},
      {16384 + 4095, model::WheelAction(Axis::Horizontal, 4095)},
      {16384 - 4095, model::WheelAction(Axis::Horizontal, -4095)},
      // Any other code moves only.
      {0, move},
      {3, move},  // two buttons at once
      {8, move},  // a press of no button
      {16, move},
      {24, move},
      {56, move},  // a release of the back button's press
      {255, move},
      {256 + 0, move},  // no key
      {512 + 0, move},
      {512 + 256, move},
      {8192 + 0, move},  // no turn
      {8192 + 4096, move},
      {8192 - 4096, move},
      {16384 + 0, move},
      {16384 + 4096, move},
      {24576, move},
      {INT_MIN, move},
      {INT_MAX, move},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(model::Decode(row.code), row.action) << row.code;
    EXPECT_EQ(model::Encode(row.action), row.action == move ? model::kMove : row.code) << row.code;
  }
  // What no code holds is written as a move.
  for (const Action& nothing :
       {model::KeyAction(Kind::KeyPress, 0), model::KeyAction(Kind::KeyRelease, 256),
        model::WheelAction(Axis::Horizontal, 0), model::WheelAction(Axis::Vertical, 4096),
        model::WheelAction(Axis::Vertical, -4096), model::ButtonAction(Kind::Click, Button{5})})
    EXPECT_EQ(model::Encode(nothing), model::kMove);
}

}  // namespace
