#include "model/sample_code.h"

#include <array>

namespace model {
namespace {

struct ButtonCode {
  Button button;
  std::int32_t code;
};

constexpr std::array<ButtonCode, kButtonCount> kButtonCodes = {{
    {Button::Left, kLeft},
    {Button::Right, kRight},
    {Button::Middle, kMiddle},
    {Button::Back, kX1},
    {Button::Forward, kX2},
}};

constexpr int kKeys = 256;  // virtual keys are below

std::int32_t WheelBase(Axis axis) {
  return axis == Axis::Vertical ? kVerticalWheel : kHorizontalWheel;
}

}  // namespace

Action Decode(std::int32_t code) {
  using Kind = Action::Kind;
  for (const ButtonCode& b : kButtonCodes) {
    if (code == b.code) return ButtonAction(Kind::Click, b.button);
    if (code == b.code + kPress) return ButtonAction(Kind::Press, b.button);
    if (code == b.code + kRelease) return ButtonAction(Kind::Release, b.button);
  }
  if (code > kKeyPress && code < kKeyPress + kKeys)
    return KeyAction(Kind::KeyPress, code - kKeyPress);
  if (code > kKeyRelease && code < kKeyRelease + kKeys)
    return KeyAction(Kind::KeyRelease, code - kKeyRelease);
  for (const Axis axis : {Axis::Vertical, Axis::Horizontal}) {
    const std::int32_t base = WheelBase(axis);
    if (code != base && code >= base - kMaxWheelDelta && code <= base + kMaxWheelDelta)
      return WheelAction(axis, code - base);
  }
  return {};
}

std::int32_t Encode(const Action& action) {
  using Kind = Action::Kind;
  switch (action.kind) {
    case Kind::Click:
    case Kind::Press:
    case Kind::Release:
      for (const ButtonCode& b : kButtonCodes) {
        if (b.button != action.button) continue;
        if (action.kind == Kind::Click) return b.code;
        return b.code + (action.kind == Kind::Press ? kPress : kRelease);
      }
      return kMove;
    case Kind::KeyPress:
    case Kind::KeyRelease:
      if (action.key <= 0 || action.key >= kKeys) return kMove;
      return (action.kind == Kind::KeyPress ? kKeyPress : kKeyRelease) + action.key;
    case Kind::Wheel:
      if (action.delta == 0 || action.delta < -kMaxWheelDelta || action.delta > kMaxWheelDelta)
        return kMove;
      return WheelBase(action.axis) + action.delta;
    case Kind::Move:
      break;
  }
  return kMove;
}

}  // namespace model
