#include "engine/input.h"

#include <algorithm>

#include "platform/display.h"
#include "platform/input.h"

namespace engine {
namespace {

using Kind = model::Action::Kind;

model::Axis AxisOf(platform::WheelAxis axis) {
  return axis == platform::WheelAxis::Vertical ? model::Axis::Vertical : model::Axis::Horizontal;
}

std::size_t IndexOf(model::Button b) { return static_cast<std::size_t>(b); }

bool Presses(const model::Action& a) { return a.kind == Kind::Click || a.kind == Kind::Press; }
bool Releases(const model::Action& a) { return a.kind == Kind::Click || a.kind == Kind::Release; }

}  // namespace

model::Action ActionOf(std::int32_t code, const HotkeySet& hotkeys) {
  const model::Action a = model::Decode(code);
  const bool key = a.kind == Kind::KeyPress || a.kind == Kind::KeyRelease;
  return key && !RecordableKey(a.key, hotkeys) ? model::Action{} : a;
}

int PressedBy(std::int32_t code) {
  const model::Action a = model::Decode(code);
  return Presses(a) ? model::Encode(model::ButtonAction(Kind::Click, a.button)) : 0;
}

int ReleasedBy(std::int32_t code) {
  const model::Action a = model::Decode(code);
  return Releases(a) ? model::Encode(model::ButtonAction(Kind::Click, a.button)) : 0;
}

void SendButtons(std::int32_t code) {
  const model::Action a = model::Decode(code);
  for (const ButtonKeys& b : kButtonOrder) {
    if (b.button != a.button) continue;
    if (Presses(a)) platform::SendButton(b.platform_button, true);
    if (Releases(a)) platform::SendButton(b.platform_button, false);
  }
}

int KeyPressedBy(std::int32_t code, const HotkeySet& hotkeys) {
  const model::Action a = ActionOf(code, hotkeys);
  return a.kind == Kind::KeyPress ? a.key : 0;
}

int KeyReleasedBy(std::int32_t code, const HotkeySet& hotkeys) {
  const model::Action a = ActionOf(code, hotkeys);
  return a.kind == Kind::KeyRelease ? a.key : 0;
}

bool HoldsKeys(const model::Recording& r, const HotkeySet& hotkeys) {
  for (const model::Sample& s : r) {
    const Kind kind = ActionOf(s.code, hotkeys).kind;
    if (kind == Kind::KeyPress || kind == Kind::KeyRelease) return true;
  }
  return false;
}

int WheelTurnedBy(std::int32_t code, platform::WheelAxis axis) {
  const model::Action a = model::Decode(code);
  return a.kind == Kind::Wheel && a.axis == AxisOf(axis) ? a.delta : 0;
}

std::vector<std::int32_t> WheelCodes(platform::WheelAxis axis, int delta) {
  std::vector<std::int32_t> codes;
  while (delta != 0) {
    const int part = std::clamp(delta, -model::kMaxWheelDelta, model::kMaxWheelDelta);
    codes.push_back(model::Encode(model::WheelAction(AxisOf(axis), part)));
    delta -= part;
  }
  return codes;
}

bool Acts(std::int32_t code, const HotkeySet& hotkeys) {
  return ActionOf(code, hotkeys).kind != Kind::Move;
}

void SendKey(std::int32_t code, const HotkeySet& hotkeys) {
  if (const int vk = KeyPressedBy(code, hotkeys)) platform::SendKey(vk, true);
  if (const int vk = KeyReleasedBy(code, hotkeys)) platform::SendKey(vk, false);
}

void Held::Note(std::int32_t code, const HotkeySet& hotkeys) {
  const model::Action a = ActionOf(code, hotkeys);
  if (Presses(a)) buttons.set(IndexOf(a.button));
  if (Releases(a)) buttons.reset(IndexOf(a.button));
  if (a.kind == Kind::KeyPress) keys.set(static_cast<size_t>(a.key));
  if (a.kind == Kind::KeyRelease) keys.reset(static_cast<size_t>(a.key));
}

void Held::Release() {
  ReleaseButtons(buttons);
  for (size_t vk = 0; vk < keys.size(); ++vk)
    if (keys[vk]) platform::SendKey(static_cast<int>(vk), false);
  *this = Held{};
}

void ReleaseButtons(const Buttons& held) {
  for (const ButtonKeys& b : kButtonOrder)
    if (held[IndexOf(b.button)]) platform::SendButton(b.platform_button, false);
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
    const model::Action press = model::Decode(r[i].code);
    if (press.kind != Kind::Press) continue;
    const model::Action release = model::ButtonAction(Kind::Release, press.button);
    for (std::size_t j = i + 1; j < r.size() && j - i <= kClickMs; ++j) {
      if (r[j].x != r[i].x || r[j].y != r[i].y) break;
      if (model::Decode(r[j].code) == release) {
        r[i].code = model::Encode(model::ButtonAction(Kind::Click, press.button));
        r[j].code = model::kMove;
        break;
      }
      if (model::Decode(r[j].code).kind != Kind::Move) break;
    }
  }
}

}  // namespace engine
