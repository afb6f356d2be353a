// The program's own keys: watched whichever application has the focus, never recorded.
#pragma once

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

constexpr bool IsHotkey(int vk) {
  for (const Hotkey& h : kHotkeys)
    if (h.vk == vk) return true;
  return false;
}

}  // namespace engine
