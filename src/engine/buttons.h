// Mouse buttons in a recording: the codes that press and release them, watching the real
// buttons while recording, and sending them again on replay.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/recording.h"

namespace engine {

// The buttons (1 left, 2 right, 4 middle, or-ed) that a sample's code presses and releases. A
// click does both; every code that is not a button's is a move.
int PressedBy(std::int32_t code);
int ReleasedBy(std::int32_t code);

// Sends the code's button events at the cursor: the presses, then the releases.
void SendButtons(std::int32_t code);
// Releases each button of `held` that the replay still holds.
void ReleaseButtons(int held);

// Writes a press and its release as one click on the press's sample when they are at the same
// place within kClickMs samples with no move between: what any reader of plain clicks expects.
constexpr std::int32_t kClickMs = 300;
void JoinClicks(Recording& r);

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
