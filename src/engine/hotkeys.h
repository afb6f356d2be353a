// The program's own keys: watched whichever application has the focus, never recorded.
#pragma once

#include "platform/platform.h"

namespace engine {

enum class Command { kRecord, kPlay, kStop, kLoad, kSave };

struct Hotkey {
  int vk;
  Command command;
};

// In the order a poll reads and acts on them; a hotkey is added here (and, to be listed, in the
// hotkey panel's layout).
inline constexpr Hotkey kHotkeys[] = {
    {platform::vk::kF8, Command::kRecord},   {platform::vk::kF10, Command::kPlay},
    {platform::vk::kEscape, Command::kStop}, {platform::vk::kF5, Command::kLoad},
    {platform::vk::kF6, Command::kSave},
};

constexpr bool IsHotkey(int vk) {
  for (const Hotkey& h : kHotkeys)
    if (h.vk == vk) return true;
  return false;
}

}  // namespace engine
