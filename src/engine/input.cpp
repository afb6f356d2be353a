#include "engine/input.h"

#include <algorithm>

#include "platform/platform.h"

namespace engine {
namespace {

bool IsButton(std::int32_t b) {
  for (const ButtonKeys& k : kButtonOrder)
    if (k.bit == b) return true;
  return false;
}

std::int32_t WheelBase(platform::WheelAxis axis) {
  return axis == platform::WheelAxis::Vertical ? model::kVerticalWheel : model::kHorizontalWheel;
}

}  // namespace

int PressedBy(std::int32_t code) {
  if (IsButton(code)) return code;
  return IsButton(code - model::kPress) ? code - model::kPress : 0;
}

int ReleasedBy(std::int32_t code) {
  if (IsButton(code)) return code;
  return IsButton(code - model::kRelease) ? code - model::kRelease : 0;
}

void SendButtons(std::int32_t code) {
  const int pressed = PressedBy(code), released = ReleasedBy(code);
  for (const ButtonKeys& b : kButtonOrder)
    if (pressed & b.bit) platform::SendButton(b.button, true);
  for (const ButtonKeys& b : kButtonOrder)
    if (released & b.bit) platform::SendButton(b.button, false);
}

// A hotkey's code, written by hand, would have the replay stop itself: it is a move.
int KeyPressedBy(std::int32_t code) {
  const int vk = code - model::kKeyPress;
  return vk < 256 && RecordableKey(vk) ? vk : 0;  // below 8 is no key
}

int KeyReleasedBy(std::int32_t code) {
  const int vk = code - model::kKeyRelease;
  return vk < 256 && RecordableKey(vk) ? vk : 0;  // below 8 is no key
}

bool HoldsKeys(const model::Recording& r) {
  for (const model::Sample& s : r)
    if (KeyPressedBy(s.code) || KeyReleasedBy(s.code)) return true;
  return false;
}

int WheelTurnedBy(std::int32_t code, platform::WheelAxis axis) {
  const std::int32_t delta = code - WheelBase(axis);
  return delta >= -model::kMaxWheelDelta && delta <= model::kMaxWheelDelta ? delta : 0;
}

std::vector<std::int32_t> WheelCodes(platform::WheelAxis axis, int delta) {
  std::vector<std::int32_t> codes;
  while (delta != 0) {
    const int part = std::clamp(delta, -model::kMaxWheelDelta, model::kMaxWheelDelta);
    codes.push_back(WheelBase(axis) + part);
    delta -= part;
  }
  return codes;
}

bool Acts(std::int32_t code) {
  return PressedBy(code) || ReleasedBy(code) || KeyPressedBy(code) || KeyReleasedBy(code) ||
         WheelTurnedBy(code, platform::WheelAxis::Vertical) ||
         WheelTurnedBy(code, platform::WheelAxis::Horizontal);
}

void SendKey(std::int32_t code) {
  if (const int vk = KeyPressedBy(code)) platform::SendKey(vk, true);
  if (const int vk = KeyReleasedBy(code)) platform::SendKey(vk, false);
}

void Held::Note(std::int32_t code) {
  buttons = (buttons | PressedBy(code)) & ~ReleasedBy(code);
  if (const int vk = KeyPressedBy(code)) keys.set(static_cast<size_t>(vk));
  if (const int vk = KeyReleasedBy(code)) keys.reset(static_cast<size_t>(vk));
}

void Held::Release() {
  ReleaseButtons(buttons);
  for (size_t vk = 0; vk < keys.size(); ++vk)
    if (keys[vk]) SendKey(model::kKeyRelease + static_cast<std::int32_t>(vk));
  *this = Held{};
}

void ReleaseButtons(int held) {
  for (const ButtonKeys& b : kButtonOrder)
    if (held & b.bit) platform::SendButton(b.button, false);
}

void WheelSender::Send(std::int32_t code) {
  const int step = std::max(1, platform::WheelStep());
  for (const platform::WheelAxis axis :
       {platform::WheelAxis::Vertical, platform::WheelAxis::Horizontal}) {
    int& carry = carry_[static_cast<size_t>(axis)];
    carry += WheelTurnedBy(code, axis);
    const int sent = carry / step * step;
    carry -= sent;
    if (sent != 0) platform::SendWheel(axis, sent);
  }
}

void JoinClicks(model::Recording& r) {
  for (std::size_t i = 0; i < r.size(); ++i) {
    const int b = PressedBy(r[i].code);
    if (r[i].code != b + model::kPress) continue;
    for (std::size_t j = i + 1; j < r.size() && j - i <= kClickMs; ++j) {
      if (r[j].x != r[i].x || r[j].y != r[i].y) break;
      if (r[j].code == b + model::kRelease) {
        r[i].code = b;
        r[j].code = model::kMove;
        break;
      }
      if (Acts(r[j].code)) break;
    }
  }
}

}  // namespace engine
