#pragma once

#include <array>

namespace hotkeys {

// Turns the global key state into presses: a key counts when a poll finds it pressed (down now, or
// pressed since the last poll) and the poll before did not find it down. Held, it counts once;
// two taps in two intervals count twice.
class KeyEdges {
 public:
  // Queries the key; true on a new press.
  bool Pressed(int vk);

 private:
  std::array<bool, 256> was_down_{};
};

}  // namespace hotkeys
