#include "model/button_watch.h"

#include "model/recording.h"
#include "platform/platform.h"

namespace engine {

const std::array<ButtonKeys, 3> kButtonOrder = {{
    {kLeft, platform::VK_LBUTTON, platform::MOUSEEVENTF_LEFTDOWN, platform::MOUSEEVENTF_LEFTUP},
    {kMiddle, platform::VK_MBUTTON, platform::MOUSEEVENTF_MIDDLEDOWN,
     platform::MOUSEEVENTF_MIDDLEUP},
    {kRight, platform::VK_RBUTTON, platform::MOUSEEVENTF_RIGHTDOWN, platform::MOUSEEVENTF_RIGHTUP},
}};

void ButtonWatch::Start() {
  for (size_t i = 0; i < state_.size(); ++i) {
    // The query also clears what the platform kept from before: a click that focused the
    // target, or the last playback's own clicks.
    const bool down = platform::GetAsyncKeyState(kButtonOrder[i].vk) & 0x8000;
    state_[i] = down ? State::DownBefore : State::Up;
  }
}

std::vector<std::int32_t> ButtonWatch::Poll() {
  std::vector<std::int32_t> codes;
  for (size_t i = 0; i < state_.size(); ++i) {
    const std::int16_t r = platform::GetAsyncKeyState(kButtonOrder[i].vk);
    const bool down = r & 0x8000, pressed_since = r & 1;
    const int b = kButtonOrder[i].bit;
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
