// The mouse buttons as a recording sees them: which platform key and which synthetic events
// belong to each, and the watch that turns their global state into codes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace engine {

struct ButtonKeys {
  int bit;  // 1 left, 2 right, 4 middle, as in the codes
  int vk;
  std::uint32_t down, up;  // synthetic mouse events
};

// The order in which one moment's buttons are watched, recorded and sent.
extern const std::array<ButtonKeys, 3> kButtonOrder;

// Turns the global button state into press, release and click codes, one button at a time in
// the order left, middle, right.
class ButtonWatch {
 public:
  // Forgets what happened before: a button held now counts once it is pressed again.
  void Start();
  // The codes of what the buttons did since the last call.
  std::vector<std::int32_t> Poll();

 private:
  enum class State { Up, Down, DownBefore };
  std::array<State, 3> state_{};
};

}  // namespace engine
