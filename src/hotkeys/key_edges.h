#pragma once

#include <array>

namespace hotkeys {

// Turns the global key state into presses: a key counts once, in the first poll that finds it
// pressed after a poll that found it released, however long it is held.
class KeyEdges {
 public:
  // Queries the key; true on a new press.
  bool Pressed(int vk);

 private:
  std::array<bool, 256> was_pressed_{};
};

}  // namespace hotkeys
