#include "engine/input.h"

#include "platform/platform.h"

namespace engine {
namespace {

bool IsButton(std::int32_t b) {
  return b == model::kLeft || b == model::kRight || b == model::kMiddle;
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
  for (std::int32_t i = 1; i <= r.UBound(); ++i)
    if (KeyPressedBy(r[i].code) || KeyReleasedBy(r[i].code)) return true;
  return false;
}

bool PressesOrReleases(std::int32_t code) {
  return PressedBy(code) || ReleasedBy(code) || KeyPressedBy(code) || KeyReleasedBy(code);
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

void JoinClicks(model::Recording& r) {
  const std::int32_t u = r.UBound();
  for (std::int32_t i = 1; i <= u; ++i) {
    const int b = PressedBy(r[i].code);
    if (r[i].code != b + model::kPress) continue;
    for (std::int32_t j = i + 1; j <= u && j - i <= kClickMs; ++j) {
      if (r[j].x != r[i].x || r[j].y != r[i].y) break;
      if (r[j].code == b + model::kRelease) {
        r[i].code = b;
        r[j].code = model::kMove;
        break;
      }
      if (PressesOrReleases(r[j].code)) break;
    }
  }
}

}  // namespace engine
