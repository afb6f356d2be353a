#include "engine/buttons.h"

#include "platform/platform.h"

namespace engine {
namespace {

bool IsButton(std::int32_t b) { return b == kLeft || b == kRight || b == kMiddle; }

}  // namespace

int PressedBy(std::int32_t code) {
  if (IsButton(code)) return code;
  return IsButton(code - kPress) ? code - kPress : 0;
}

int ReleasedBy(std::int32_t code) {
  if (IsButton(code)) return code;
  return IsButton(code - kRelease) ? code - kRelease : 0;
}

void SendButtons(std::int32_t code) {
  const int pressed = PressedBy(code), released = ReleasedBy(code);
  for (const ButtonKeys& b : kButtonOrder)
    if (pressed & b.bit) platform::mouse_event(b.down, 0, 0, 0, 0);
  for (const ButtonKeys& b : kButtonOrder)
    if (released & b.bit) platform::mouse_event(b.up, 0, 0, 0, 0);
}

void ReleaseButtons(int held) {
  for (const ButtonKeys& b : kButtonOrder)
    if (held & b.bit) platform::mouse_event(b.up, 0, 0, 0, 0);
}

void JoinClicks(Recording& r) {
  const std::int32_t u = r.UBound();
  for (std::int32_t i = 1; i <= u; ++i) {
    const int b = PressedBy(r[i].code);
    if (r[i].code != b + kPress) continue;
    for (std::int32_t j = i + 1; j <= u && j - i <= kClickMs; ++j) {
      if (r[j].x != r[i].x || r[j].y != r[i].y) break;
      if (r[j].code == b + kRelease) {
        r[i].code = b;
        r[j].code = kMove;
        break;
      }
      if (PressedBy(r[j].code) || ReleasedBy(r[j].code)) break;
    }
  }
}

}  // namespace engine
