// Mouse buttons and keys in a recording: the codes that press and release them, and sending them
// again on replay.
#pragma once

#include <bitset>
#include <cstdint>

#include "engine/watches.h"
#include "model/recording.h"

namespace engine {

// The buttons (1 left, 2 right, 4 middle, or-ed) that a sample's code presses and releases. A
// click does both; every code that is not a button's is a move.
int PressedBy(std::int32_t code);
int ReleasedBy(std::int32_t code);

// Sends the code's button events at the cursor: the presses, then the releases.
void SendButtons(std::int32_t code);
// Releases each button of `held` that the replay still holds.
void ReleaseButtons(int held);

// The virtual key that a sample's code presses or releases; 0 for none.
int KeyPressedBy(std::int32_t code);
int KeyReleasedBy(std::int32_t code);
// Whether any sample presses or releases a key.
bool HoldsKeys(const model::Recording& r);
// Whether the code presses or releases a button or a key: anything but a move.
bool PressesOrReleases(std::int32_t code);
// Sends the code's key event, if it has one.
void SendKey(std::int32_t code);

// Writes a press and its release as one click on the press's sample when they are at the same
// place within kClickMs samples with no move between: what any reader of plain clicks expects.
constexpr std::int32_t kClickMs = 300;
void JoinClicks(model::Recording& r);

// What a replay holds down: buttons (or-ed bits) and keys.
struct Held {
  int buttons = 0;
  std::bitset<256> keys;

  void Note(std::int32_t code);
  // Lets go of everything, so a stop never leaves a button or a key pressed.
  void Release();
};

}  // namespace engine
