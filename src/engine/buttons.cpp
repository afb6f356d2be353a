#include "engine/buttons.h"

#include "platform/platform.h"

namespace engine {
namespace {

struct Button {
  int bit;
  int vk;
  std::uint32_t down, up;
};

// The order in which one moment's buttons are watched and recorded.
constexpr Button kButtons[] = {
    {kLeft, platform::VK_LBUTTON, platform::MOUSEEVENTF_LEFTDOWN, platform::MOUSEEVENTF_LEFTUP},
    {kMiddle, platform::VK_MBUTTON, platform::MOUSEEVENTF_MIDDLEDOWN,
     platform::MOUSEEVENTF_MIDDLEUP},
    {kRight, platform::VK_RBUTTON, platform::MOUSEEVENTF_RIGHTDOWN, platform::MOUSEEVENTF_RIGHTUP},
};

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
  for (const Button& b : kButtons)
    if (pressed & b.bit) platform::mouse_event(b.down, 0, 0, 0, 0);
  for (const Button& b : kButtons)
    if (released & b.bit) platform::mouse_event(b.up, 0, 0, 0, 0);
}

void ReleaseButtons(int held) {
  for (const Button& b : kButtons)
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

void ButtonWatch::Start() {
  for (size_t i = 0; i < state_.size(); ++i) {
    // The query also clears what the platform kept from before: a click that focused the
    // target, or the last playback's own clicks.
    const bool down = platform::GetAsyncKeyState(kButtons[i].vk) & 0x8000;
    state_[i] = down ? State::DownBefore : State::Up;
  }
}

std::vector<std::int32_t> ButtonWatch::Poll() {
  std::vector<std::int32_t> codes;
  for (size_t i = 0; i < state_.size(); ++i) {
    const std::int16_t r = platform::GetAsyncKeyState(kButtons[i].vk);
    const bool down = r & 0x8000, pressed_since = r & 1;
    const int b = kButtons[i].bit;
    State& s = state_[i];
    if (s == State::Down && (!down || pressed_since)) {
      codes.push_back(b + kRelease);
      s = State::Up;
    }
    // A press that came and went between two calls is a click of its own.
    if (s != State::Down && pressed_since && !down) codes.push_back(b);
    if (s == State::DownBefore && !down) s = State::Up;
    if (down && (s == State::Up || (s == State::DownBefore && pressed_since))) {
      codes.push_back(b + kPress);
      s = State::Down;
    }
  }
  return codes;
}

}  // namespace engine
