#include "model/key_edges.h"

#include "platform/platform.h"

namespace hotkeys {

bool KeyEdges::Pressed(int vk) {
  const std::int16_t state = platform::GetAsyncKeyState(vk);
  bool& was_down = was_down_[static_cast<unsigned>(vk) & 0xFF];
  const bool edge = state != 0 && !was_down;
  was_down = (state & 0x8000) != 0;
  return edge;
}

}  // namespace hotkeys
