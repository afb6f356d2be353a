// Key symbols and virtual keys, one table both ways: window events, the global key state and
// synthetic key presses all go through it.
#pragma once

#include <X11/keysym.h>

#include <cstdint>

#include "platform/input.h"

namespace platform::x11 {

struct KeyName {
  int vk;
  std::uint32_t sym;  // a KeySym
};

// Keys outside the runs of letters, digits, function keys and keypad digits. A virtual key's first
// symbol here is the one it is sent as.
inline constexpr KeyName kKeyNames[] = {
    {vk::kBackspace, XK_BackSpace},
    {vk::kTab, XK_Tab},
    {vk::kTab, XK_ISO_Left_Tab},
    {vk::kClear, XK_Clear},
    {vk::kClear, XK_KP_Begin},
    {vk::kEnter, XK_Return},
    {vk::kEnter, XK_KP_Enter},
    {vk::kPause, XK_Pause},
    {vk::kCapsLock, XK_Caps_Lock},
    {vk::kEscape, XK_Escape},
    {vk::kSpace, XK_space},
    {vk::kPageUp, XK_Prior},
    {vk::kPageUp, XK_KP_Prior},
    {vk::kPageDown, XK_Next},
    {vk::kPageDown, XK_KP_Next},
    {vk::kEnd, XK_End},
    {vk::kEnd, XK_KP_End},
    {vk::kHome, XK_Home},
    {vk::kHome, XK_KP_Home},
    {vk::kLeft, XK_Left},
    {vk::kLeft, XK_KP_Left},
    {vk::kUp, XK_Up},
    {vk::kUp, XK_KP_Up},
    {vk::kRight, XK_Right},
    {vk::kRight, XK_KP_Right},
    {vk::kDown, XK_Down},
    {vk::kDown, XK_KP_Down},
    {vk::kPrintScreen, XK_Print},
    {vk::kInsert, XK_Insert},
    {vk::kInsert, XK_KP_Insert},
    {vk::kDelete, XK_Delete},
    {vk::kDelete, XK_KP_Delete},
    {vk::kLeftWindows, XK_Super_L},
    {vk::kRightWindows, XK_Super_R},
    {vk::kContextMenu, XK_Menu},
    {vk::kNumpadMultiply, XK_KP_Multiply},
    {vk::kNumpadAdd, XK_KP_Add},
    {vk::kNumpadSubtract, XK_KP_Subtract},
    {vk::kNumpadDecimal, XK_KP_Decimal},
    {vk::kNumpadDecimal, XK_KP_Separator},
    {vk::kNumpadDivide, XK_KP_Divide},
    {vk::kNumLock, XK_Num_Lock},
    {vk::kScrollLock, XK_Scroll_Lock},
    {vk::kLeftShift, XK_Shift_L},
    {vk::kRightShift, XK_Shift_R},
    {vk::kLeftControl, XK_Control_L},
    {vk::kRightControl, XK_Control_R},
    {vk::kLeftAlt, XK_Alt_L},
    {vk::kLeftAlt, XK_Meta_L},
    {vk::kRightAlt, XK_Alt_R},
    {vk::kRightAlt, XK_ISO_Level3_Shift},
    {vk::kSemicolon, XK_semicolon},
    {vk::kEquals, XK_equal},
    {vk::kComma, XK_comma},
    {vk::kMinus, XK_minus},
    {vk::kPeriod, XK_period},
    {vk::kSlash, XK_slash},
    {vk::kBacktick, XK_grave},
    {vk::kLeftBracket, XK_bracketleft},
    {vk::kBackslash, XK_backslash},
    {vk::kRightBracket, XK_bracketright},
    {vk::kQuote, XK_apostrophe},
    {vk::kIntlBackslash, XK_less},
};

// The virtual key of a key's unshifted symbol (level 0 of its keycode); 0 for none.
constexpr int VirtualKeyOf(std::uint32_t sym) {
  if (sym >= XK_a && sym <= XK_z) return 'A' + static_cast<int>(sym - XK_a);
  if (sym >= XK_A && sym <= XK_Z) return 'A' + static_cast<int>(sym - XK_A);
  if (sym >= XK_0 && sym <= XK_9) return '0' + static_cast<int>(sym - XK_0);
  if (sym >= XK_F1 && sym <= XK_F24) return vk::kF1 + static_cast<int>(sym - XK_F1);
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return vk::kNumpad0 + static_cast<int>(sym - XK_KP_0);
  for (const KeyName& k : kKeyNames)
    if (k.sym == sym) return k.vk;
  return 0;
}

// The virtual key of a key from its unshifted and shifted symbols: the shifted one serves where
// the unshifted one names no key, as the digit row of a French keyboard ("&" over "1") is the
// digits for Windows too.
constexpr int VirtualKeyOf(std::uint32_t unshifted, std::uint32_t shifted) {
  const int vk = VirtualKeyOf(unshifted);
  return vk != 0 ? vk : VirtualKeyOf(shifted);
}

// The symbol a virtual key is sent as; 0 for none. Either Shift, Ctrl or Alt is the left one.
constexpr std::uint32_t KeysymOf(int vk) {
  if (vk >= 'A' && vk <= 'Z') return XK_a + static_cast<std::uint32_t>(vk - 'A');
  if (vk >= '0' && vk <= '9') return XK_0 + static_cast<std::uint32_t>(vk - '0');
  if (vk >= vk::kF1 && vk <= vk::kF24) return XK_F1 + static_cast<std::uint32_t>(vk - vk::kF1);
  if (vk >= vk::kNumpad0 && vk <= vk::kNumpad0 + 9)
    return XK_KP_0 + static_cast<std::uint32_t>(vk - vk::kNumpad0);
  if (vk == vk::kShift) vk = vk::kLeftShift;
  if (vk == vk::kControl) vk = vk::kLeftControl;
  if (vk == vk::kAlt) vk = vk::kLeftAlt;
  for (const KeyName& k : kKeyNames)
    if (k.vk == vk) return k.sym;
  return 0;
}

// Shift, Ctrl and Alt of either side as the one key that Windows also reports them as.
constexpr int EitherSide(int vk) {
  switch (vk) {
    case vk::kLeftShift:
    case vk::kRightShift:
      return vk::kShift;
    case vk::kLeftControl:
    case vk::kRightControl:
      return vk::kControl;
    case vk::kLeftAlt:
    case vk::kRightAlt:
      return vk::kAlt;
    default:
      return vk;
  }
}

}  // namespace platform::x11
