// A sample's code and what it does: the one place that reads a code and writes one.
#pragma once

#include <cstdint>

namespace model {

// The numbers of the recording file's codes. Read and write codes with Decode and Encode; the
// numbers are here for tests and tools that must state a code as the file holds it.
constexpr std::int32_t kMove = -1;  // the code of a sample that only moves
constexpr std::int32_t kLeft = 1;   // a button's own value is a click (down and up at once)
constexpr std::int32_t kRight = 2;
constexpr std::int32_t kMiddle = 4;
constexpr std::int32_t kX1 = 32;  // the side buttons: back
constexpr std::int32_t kX2 = 64;  // forward
constexpr std::int32_t kPress = 8;
constexpr std::int32_t kRelease = 16;
// Plus a virtual key (Windows' numbers on every platform).
constexpr std::int32_t kKeyPress = 256;
constexpr std::int32_t kKeyRelease = 512;
// Plus the turn in 120ths of a notch, positive up or right.
constexpr std::int32_t kVerticalWheel = 8192;
constexpr std::int32_t kHorizontalWheel = 16384;
constexpr int kMaxWheelDelta = 4095;

enum class Button { Left, Right, Middle, Back, Forward };
constexpr int kButtonCount = static_cast<int>(Button::Forward) + 1;
enum class Axis { Vertical, Horizontal };

// What a sample does besides moving to its place. Fields that do not belong to its kind keep
// their defaults, so two actions compare equal when they do the same.
struct Action {
  enum class Kind { Move, Click, Press, Release, KeyPress, KeyRelease, Wheel };
  Kind kind = Kind::Move;
  Button button = Button::Left;  // Click, Press, Release
  int key = 0;                   // KeyPress, KeyRelease: a virtual key, 1 to 255
  Axis axis = Axis::Vertical;    // Wheel
  int delta = 0;                 // Wheel: never 0, at most kMaxWheelDelta either way

  friend bool operator==(const Action&, const Action&) = default;
};

constexpr Action ButtonAction(Action::Kind kind, Button button) {
  return {.kind = kind, .button = button};
}
constexpr Action KeyAction(Action::Kind kind, int key) { return {.kind = kind, .key = key}; }
constexpr Action WheelAction(Axis axis, int delta) {
  return {.kind = Action::Kind::Wheel, .axis = axis, .delta = delta};
}

// Any code that is no button's, key's or turn's moves only.
Action Decode(std::int32_t code);
// The code of the action; kMove for one no code holds (a key outside 1 to 255, a turn of 0 or
// past kMaxWheelDelta).
std::int32_t Encode(const Action& action);

}  // namespace model
