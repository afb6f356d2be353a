// The program's own keys: watched whichever application has the focus, never recorded. The user
// may give each command another key; the choice is kept in the settings.
#pragma once

#include <array>
#include <string>

#include "platform/input.h"

namespace engine {

enum class Command { Record, Play, Stop, Load, Save };

struct Hotkey {
  int vk;
  Command command;

  friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

// In the order a poll reads and acts on them; a hotkey is added here (and, to be listed, in the
// hotkey panel's layout).
inline constexpr std::array<Hotkey, 5> kDefaultHotkeys = {{
    {platform::vk::kF8, Command::Record},
    {platform::vk::kF10, Command::Play},
    {platform::vk::kEscape, Command::Stop},
    {platform::vk::kF5, Command::Load},
    {platform::vk::kF6, Command::Save},
}};

// The keys in use, in the order of kDefaultHotkeys: the defaults until others are chosen.
class HotkeySet {
 public:
  using Keys = std::array<Hotkey, kDefaultHotkeys.size()>;

  const Keys& All() const { return keys_; }
  // The key that gives the command.
  int KeyOf(Command command) const;
  bool Has(int vk) const;
  void Give(Command command, int vk);
  // Each command's key as the settings keep it, in the order of Command: 0 for a default.
  std::array<int, kDefaultHotkeys.size()> Chosen() const;

  friend bool operator==(const HotkeySet&, const HotkeySet&) = default;

 private:
  Keys keys_ = kDefaultHotkeys;
};

// A key that may become a hotkey: not a mouse button nor a modifier, which go with other keys.
bool Choosable(int vk);

// The keys chosen as the settings keep them (where names the file) where each may be a hotkey
// (as the panel checks a choice) and is a key of its own; else the defaults, and stderr says so.
HotkeySet HotkeysFrom(const std::array<int, kDefaultHotkeys.size()>& chosen,
                      const std::string& where);

// A key's name as the hotkey panel writes it: "F8", "Esc", "Q", "Key 186".
std::string KeyName(int vk);

}  // namespace engine
