// Mouse buttons, the wheel and keys in a recording: what its codes press, release and turn, in the
// engine's terms, and sending them again on replay.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "engine/watches.h"
#include "model/recording.h"
#include "model/sample_code.h"
#include "platform/input.h"

namespace engine {

// Buttons by model::Button.
using Buttons = std::bitset<model::kButtonCount>;

// What a sample's code does, in the recorder's and the player's eyes: a key never recorded (a
// hotkey, written by hand, would have the replay stop itself) only moves.
model::Action ActionOf(std::int32_t code, const HotkeySet& hotkeys);

// The click code of the button that a sample's code presses, or releases; 0 for none. A click
// does both.
int PressedBy(std::int32_t code);
int ReleasedBy(std::int32_t code);

// Sends the code's button events at the cursor: the press, then the release.
void SendButtons(std::int32_t code);
// Releases each button of `held`.
void ReleaseButtons(const Buttons& held);

// The virtual key that a sample's code presses or releases; 0 for none.
int KeyPressedBy(std::int32_t code, const HotkeySet& hotkeys);
int KeyReleasedBy(std::int32_t code, const HotkeySet& hotkeys);
// Whether any sample presses or releases a key.
bool HoldsKeys(const model::Recording& r, const HotkeySet& hotkeys);
// The wheel's turn on that axis that a sample's code makes; 0 for none.
int WheelTurnedBy(std::int32_t code, platform::WheelAxis axis);
// The codes of one turn of the wheel, several where it is more than one code holds; none for 0.
std::vector<std::int32_t> WheelCodes(platform::WheelAxis axis, int delta);
// Whether the code presses or releases a button or a key, or turns the wheel: anything but a move.
bool Acts(std::int32_t code, const HotkeySet& hotkeys);
// Sends the code's key event, if it has one.
void SendKey(std::int32_t code, const HotkeySet& hotkeys);

// Sends the wheel's turns in the amounts the system can send; what is left of one turn is added
// to the next on the same axis, so a replay turns as far as the recording did.
class WheelSender {
 public:
  void Send(std::int32_t code);
  void Forget() { carry_ = {}; }

 private:
  std::array<int, 2> carry_{};  // by axis
};

// Writes a press and its release as one click on the press's sample when they are at the same
// place within kClickMs samples with no move between: what any reader of plain clicks expects.
constexpr std::int32_t kClickMs = 300;
void JoinClicks(model::Recording& r);

// What a replay holds down: buttons and keys.
struct Held {
  Buttons buttons;
  std::bitset<256> keys;

  void Note(std::int32_t code, const HotkeySet& hotkeys);
  // Lets go of everything, so a stop never leaves a button or a key pressed.
  void Release();
};

}  // namespace engine
