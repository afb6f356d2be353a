#include "engine/hotkeys.h"

#include <cstdio>

#include "platform/input.h"

namespace engine {
namespace {

size_t IndexOf(Command command) { return static_cast<size_t>(command); }

}  // namespace

int HotkeySet::KeyOf(Command command) const {
  for (const Hotkey& h : keys_)
    if (h.command == command) return h.vk;
  return 0;
}

bool HotkeySet::Has(int vk) const {
  for (const Hotkey& h : keys_)
    if (h.vk == vk) return true;
  return false;
}

void HotkeySet::Give(Command command, int vk) {
  for (Hotkey& h : keys_)
    if (h.command == command) h.vk = vk;
}

std::array<int, kDefaultHotkeys.size()> HotkeySet::Chosen() const {
  std::array<int, kDefaultHotkeys.size()> chosen{};
  for (const Hotkey& h : kDefaultHotkeys) {
    const int vk = KeyOf(h.command);
    chosen[IndexOf(h.command)] = vk != h.vk ? vk : 0;
  }
  return chosen;
}

HotkeySet HotkeysFrom(const std::array<int, kDefaultHotkeys.size()>& chosen,
                      const std::string& where) {
  HotkeySet keys;
  for (const Hotkey& h : kDefaultHotkeys) {
    const int vk = chosen[IndexOf(h.command)];
    if (vk == 0) continue;
    if (Choosable(vk)) {
      keys.Give(h.command, vk);
    } else {
      std::fprintf(stderr, "tapwright: %s: key %d is no key for a command; %s is used\n",
                   where.c_str(), vk, KeyName(h.vk).c_str());
    }
  }
  for (const Hotkey& a : keys.All())
    for (const Hotkey& b : keys.All())
      if (a.command != b.command && a.vk == b.vk) {
        std::fprintf(stderr, "tapwright: %s: two commands have one key; the first keys are used\n",
                     where.c_str());
        return {};
      }
  return keys;
}

bool Choosable(int vk) {
  using namespace platform;
  switch (vk) {
    case vk::kShift:
    case vk::kControl:
    case vk::kAlt:
    case vk::kCapsLock:
    case vk::kNumLock:
    case vk::kScrollLock:
    case vk::kLeftWindows:
    case vk::kRightWindows:
      return false;
    default:
      return vk >= vk::kBackspace && !(vk >= vk::kLeftShift && vk <= vk::kRightAlt);
  }
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
