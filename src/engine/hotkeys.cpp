#include "engine/hotkeys.h"

namespace engine {
namespace {

Hotkeys& InUse() {
  // One set for the process: the recorder and the player ask too, and there is one keyboard.
  static Hotkeys keys = kDefaultHotkeys;
  return keys;
}

}  // namespace

const Hotkeys& HotkeysInUse() { return InUse(); }

void UseHotkeys(const Hotkeys& keys) { InUse() = keys; }

int KeyOf(Command command) {
  for (const Hotkey& h : InUse())
    if (h.command == command) return h.vk;
  return 0;
}

bool IsHotkey(int vk) {
  for (const Hotkey& h : InUse())
    if (h.vk == vk) return true;
  return false;
}

std::string KeyName(int vk) {
  using namespace platform;
  if (vk >= vk::kF1 && vk <= vk::kF24) return "F" + std::to_string(vk - vk::kF1 + 1);
  if (vk == vk::kEscape) return "Esc";
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
    return std::string(1, static_cast<char>(vk));
  return "Key " + std::to_string(vk);
}

}  // namespace engine
