// The program's own keys: watched whichever application has the focus, never recorded.
#pragma once

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
inline constexpr Hotkey kHotkeys[] = {
    {platform::vk::kF8, Command::Record},   {platform::vk::kF10, Command::Play},
    {platform::vk::kEscape, Command::Stop}, {platform::vk::kF5, Command::Load},
    {platform::vk::kF6, Command::Save},
};

// The key that gives the command.
constexpr int KeyOf(Command command) {
  for (const Hotkey& h : kHotkeys)
    if (h.command == command) return h.vk;
  return 0;
}

// A hotkey's name as the hotkey panel writes it: "F8", "Esc".
inline std::string KeyName(int vk) {
  if (vk >= platform::vk::kF1 && vk <= platform::vk::kF24)
    return "F" + std::to_string(vk - platform::vk::kF1 + 1);
  if (vk == platform::vk::kEscape) return "Esc";
  return std::string(1, static_cast<char>(vk));
}

constexpr bool IsHotkey(int vk) {
  for (const Hotkey& h : kHotkeys)
    if (h.vk == vk) return true;
  return false;
}

}  // namespace engine
