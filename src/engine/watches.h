// The mouse buttons and the keys as the program sees them: which platform key and which synthetic
// events belong to each button, and the watches that turn their global state into codes and
// commands.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "engine/hotkeys.h"
#include "model/sample_code.h"
#include "platform/input.h"

namespace engine {

// One mouse button by each of its names.
struct ButtonKeys {
  model::Button button;                   // as the recording names it
  int vk;                                 // as the key state names it
  platform::MouseButton platform_button;  // as synthetic input and the input's events name it
};

// The order in which one moment's buttons are watched, recorded and sent.
extern const std::array<ButtonKeys, model::kButtonCount> kButtonOrder;
// The recording's name of a button the platform tells; nullopt for none.
std::optional<model::Button> RecordedButton(platform::MouseButton b);

// What keys did between two polls of the global key state: a press, a release, or a tap that
// came and went in between. A key held when the watch starts counts once it is pressed again.
class EdgeWatch {
 public:
  enum class Edge { Press, Release, Tap };
  struct Event {
    int vk;
    Edge edge;
  };

  explicit EdgeWatch(std::vector<int> vks) : vks_(std::move(vks)), state_(vks_.size()) {}
  // Forgets what happened before, the platform's reports of presses included.
  void Start();
  // What the keys did since the last call, key by key in the watch's order.
  std::vector<Event> Poll();

 private:
  enum class State { Up, Down, DownBefore };
  std::vector<int> vks_;
  std::vector<State> state_;
};

// The buttons' press, release and click codes, in the order of kButtonOrder.
class ButtonWatch {
 public:
  ButtonWatch();
  void Start() { watch_.Start(); }
  std::vector<std::int32_t> Poll();

 private:
  EdgeWatch watch_;
};

// Every key but the program's own hotkeys and the mouse buttons; Shift, Ctrl and Alt by their
// sides.
bool RecordableKey(int vk, const HotkeySet& hotkeys);

// The press and release codes of the recordable keys.
class KeyboardWatch {
 public:
  // Never the keys in `hotkeys` as they are at each start.
  explicit KeyboardWatch(const HotkeySet& hotkeys);
  void Start();
  std::vector<std::int32_t> Poll();

 private:
  const HotkeySet& hotkeys_;
  EdgeWatch watch_;
};

// Turns the global key state into presses: a key counts when a poll finds it pressed (down now, or
// pressed since the last poll) and the poll before did not find it down. Held, it counts once;
// two taps in two intervals count twice.
class HotkeyEdges {
 public:
  // Queries the key; true on a new press.
  bool Pressed(int vk);
  // Forgets a press made meanwhile; a key still held counts again only once let go.
  void Spend(int vk);
  // Notes a release that no poll saw (the key was not watched meanwhile), keeping a press made
  // since for the next query.
  void Refresh(int vk);
  // The platform tells each new press of a key, never a repeat: a press counts even where no
  // poll saw the key let go before it.
  void TrustPresses(bool trust) { trust_presses_ = trust; }

 private:
  bool trust_presses_ = false;
  std::array<bool, 256> was_down_{};
  std::array<bool, 256> kept_{};  // pressed since the last query
};

}  // namespace engine
