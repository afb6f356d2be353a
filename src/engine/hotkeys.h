// The program's own keys: watched whichever application has the focus, never recorded. The user
// may give each command another key; the choice is kept in the settings.
#pragma once

#include <array>
#include <string>

#include "platform/platform.h"

namespace engine {

enum class Command { Record, Play, Stop, Load, Save };

struct Hotkey {
  int vk;
  Command command;
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
using Hotkeys = std::array<Hotkey, kDefaultHotkeys.size()>;

// The keys in use, in the same order: the defaults until others are chosen.
const Hotkeys& HotkeysInUse();
void UseHotkeys(const Hotkeys& keys);

// The key that gives the command now.
int KeyOf(Command command);
bool IsHotkey(int vk);

// A key's name as the hotkey panel writes it: "F8", "Esc", "Q", "Key 186".
std::string KeyName(int vk);

}  // namespace engine
