// What the screen showed at a press: a small picture around the pointer and the other program's
// window it pressed in. A replay compares the screen with it before it presses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace model {

// The picture is a square this wide, the press at its centre (kLookSide / 2, kLookSide / 2).
inline constexpr int kLookSide = 32;
inline constexpr int kLookPixels = kLookSide * kLookSide;
// A pixel that tells nothing of the screen beneath (one of this program's windows covered it):
// never compared.
inline constexpr std::uint32_t kUnseen = 0xFF000000;

struct Look {
  std::int32_t sample = 0;  // the index of the sample that presses
  // kLookPixels as 0x00RRGGBB or kUnseen, row by row from the top-left.
  std::vector<std::uint32_t> pixels;
  // The top-level window the press was in, if another program's; the press is followed there
  // when it moves.
  bool in_window = false;
  std::string window_class;
  std::string title;
  std::string program;
  std::int32_t window_left = 0;  // the window's top-left then, screen pixels
  std::int32_t window_top = 0;

  friend bool operator==(const Look&, const Look&) = default;
};

// Whether the screen now shows what the look showed. Tolerant of what changes while nothing
// happens: a pixel counts as changed only past kChannelSlack in some channel (anti-aliasing,
// dithering), and up to kChangedPixels may change (a caret, a clock's digit).
inline constexpr int kChannelSlack = 40;
inline constexpr int kChangedPixels = kLookPixels / 32;
bool LooksAlike(const std::vector<std::uint32_t>& recorded, const std::vector<std::uint32_t>& now);

}  // namespace model
