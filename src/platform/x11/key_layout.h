// The virtual key of every keycode of the keyboard layout in use: by its symbols where the key
// table names them, else by its place on the keyboard, else a spare code, so that every key that
// types something is recorded, and replayed on the same layout as the same key.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "platform/x11/key_table.h"

namespace platform::x11 {

struct KeycodeSymbols {
  std::uint32_t unshifted = 0;  // KeySyms of levels 0 and 1; 0 for none
  std::uint32_t shifted = 0;
  std::string_view position;  // the XKB key name ("AE11"); "" where the server gives none
};

// The key Windows gives each place of the typing block on a US keyboard; 0 for other places.
constexpr int VirtualKeyOfPosition(std::string_view name) {
  constexpr std::string_view kRows[] = {"AE", "AD", "AC", "AB"};
  // Each row's keys from its first place on; a space is a place with no key of its own here.
  constexpr std::string_view kKeys[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  constexpr std::array<std::array<int, 3>, 4> kRowEnds = {{{vk::kMinus, vk::kEquals, 0},
                                                           {vk::kLeftBracket, vk::kRightBracket, 0},
                                                           {vk::kSemicolon, vk::kQuote, 0},
                                                           {vk::kComma, vk::kPeriod, vk::kSlash}}};
  if (name == "TLDE") return vk::kBacktick;
  if (name == "BKSL" || name == "AC12") return vk::kBackslash;
  if (name == "LSGT") return vk::kIntlBackslash;
  if (name == "SPCE") return vk::kSpace;
  if (name.size() != 4 || name[2] < '0' || name[2] > '9' || name[3] < '0' || name[3] > '9')
    return 0;
  // Places count from 1.
  const size_t place = static_cast<size_t>(name[2] - '0') * 10 + static_cast<size_t>(name[3] - '0');
  for (size_t row = 0; row < std::size(kRows); ++row) {
    if (name.substr(0, 2) != kRows[row] || place == 0) continue;
    if (place <= kKeys[row].size()) return kKeys[row][place - 1];
    const size_t end = place - kKeys[row].size() - 1;
    return end < kRowEnds[row].size() ? kRowEnds[row][end] : 0;
  }
  return 0;
}

// Codes that name no key on Windows ("OEM specific"), given in turn to keys that type something
// and have neither a symbol in the table nor a free place.
inline constexpr int kSpareKeys[] = {0x92, 0x93, 0x94, 0x95, 0x96, 0xE1, 0xE3, 0xE4,
                                     0xE6, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,
                                     0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5};

// Symbols that type: Latin-1 and the other legacy character sets, dead keys, Unicode. Not the
// vendors' keys (volume, browser) nor the function block.
constexpr bool TypesSomething(std::uint32_t sym) {
  return (sym > 0 && sym < 0xFE00) || (sym >= 0xFE50 && sym <= 0xFE93) ||
         (sym >= 0x01000100 && sym <= 0x0110FFFF);
}

// By keycode (8 to 255); 0 where a key gets none.
inline std::array<std::uint8_t, 256> AssignVirtualKeys(
    const std::array<KeycodeSymbols, 256>& keys) {
  std::array<std::uint8_t, 256> vks{};
  std::array<bool, 256> used{};
  used[0] = true;  // no key's code
  for (size_t code = 8; code < keys.size(); ++code) {
    const int vk = VirtualKeyOf(keys[code].unshifted, keys[code].shifted);
    vks[code] = static_cast<std::uint8_t>(vk);
    used[static_cast<size_t>(vk)] = true;
  }
  size_t spare = 0;
  for (size_t code = 8; code < keys.size(); ++code) {
    const KeycodeSymbols& k = keys[code];
    if (vks[code] != 0 || !(TypesSomething(k.unshifted) || TypesSomething(k.shifted))) continue;
    int vk = VirtualKeyOfPosition(k.position);
    if (used[static_cast<size_t>(vk)]) {
      while (spare < std::size(kSpareKeys) && used[static_cast<size_t>(kSpareKeys[spare])]) ++spare;
      vk = spare < std::size(kSpareKeys) ? kSpareKeys[spare] : 0;
    }
    vks[code] = static_cast<std::uint8_t>(vk);
    used[static_cast<size_t>(vk)] = true;
  }
  return vks;
}

}  // namespace platform::x11
