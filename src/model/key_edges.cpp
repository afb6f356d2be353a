#include "model/key_edges.h"

#include "platform/platform.h"

namespace hotkeys {

bool KeyEdges::Pressed(int vk) {
  const platform::KeyState state = platform::QueryKey(vk);
  bool& was_down = was_down_[static_cast<unsigned>(vk) & 0xFF];
  const bool edge = (state.down || state.pressed_since) && !was_down;
  was_down = state.down;
  return edge;
}

}  // namespace hotkeys
