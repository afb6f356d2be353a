#include "hotkeys/key_edges.h"

#include "platform/platform.h"

namespace hotkeys {

bool KeyEdges::Pressed(int vk) {
  const bool pressed = platform::GetAsyncKeyState(vk) != 0;
  bool& before = was_pressed_[static_cast<unsigned>(vk) & 0xFF];
  const bool edge = pressed && !before;
  before = pressed;
  return edge;
}

}  // namespace hotkeys
