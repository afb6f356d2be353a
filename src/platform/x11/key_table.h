// Key symbols and virtual keys, one table both ways: window events, the global key state and
// synthetic key presses all go through it.
#pragma once

#include <X11/keysym.h>

#include <cstdint>

#include "platform/platform.h"

namespace platform::x11 {

struct KeyName {
  int vk;
  std::uint32_t sym;  // a KeySym
};

// Keys outside the runs of letters, digits, function keys and keypad digits. A virtual key's first
// symbol here is the one it is sent as.
inline constexpr KeyName kKeyNames[] = {
    {VK_BACK, XK_BackSpace},
    {VK_TAB, XK_Tab},
    {VK_TAB, XK_ISO_Left_Tab},
    {VK_CLEAR, XK_Clear},
    {VK_CLEAR, XK_KP_Begin},
    {VK_RETURN, XK_Return},
    {VK_RETURN, XK_KP_Enter},
    {VK_PAUSE, XK_Pause},
    {VK_CAPITAL, XK_Caps_Lock},
    {VK_ESCAPE, XK_Escape},
    {VK_SPACE, XK_space},
    {VK_PRIOR, XK_Prior},
    {VK_PRIOR, XK_KP_Prior},
    {VK_NEXT, XK_Next},
    {VK_NEXT, XK_KP_Next},
    {VK_END, XK_End},
    {VK_END, XK_KP_End},
    {VK_HOME, XK_Home},
    {VK_HOME, XK_KP_Home},
    {VK_LEFT, XK_Left},
    {VK_LEFT, XK_KP_Left},
    {VK_UP, XK_Up},
    {VK_UP, XK_KP_Up},
    {VK_RIGHT, XK_Right},
    {VK_RIGHT, XK_KP_Right},
    {VK_DOWN, XK_Down},
    {VK_DOWN, XK_KP_Down},
    {VK_SNAPSHOT, XK_Print},
    {VK_INSERT, XK_Insert},
    {VK_INSERT, XK_KP_Insert},
    {VK_DELETE, XK_Delete},
    {VK_DELETE, XK_KP_Delete},
    {VK_LWIN, XK_Super_L},
    {VK_RWIN, XK_Super_R},
    {VK_APPS, XK_Menu},
    {VK_MULTIPLY, XK_KP_Multiply},
    {VK_ADD, XK_KP_Add},
    {VK_SUBTRACT, XK_KP_Subtract},
    {VK_DECIMAL, XK_KP_Decimal},
    {VK_DECIMAL, XK_KP_Separator},
    {VK_DIVIDE, XK_KP_Divide},
    {VK_NUMLOCK, XK_Num_Lock},
    {VK_SCROLL, XK_Scroll_Lock},
    {VK_LSHIFT, XK_Shift_L},
    {VK_RSHIFT, XK_Shift_R},
    {VK_LCONTROL, XK_Control_L},
    {VK_RCONTROL, XK_Control_R},
    {VK_LMENU, XK_Alt_L},
    {VK_LMENU, XK_Meta_L},
    {VK_RMENU, XK_Alt_R},
    {VK_RMENU, XK_ISO_Level3_Shift},
    {VK_OEM_1, XK_semicolon},
    {VK_OEM_PLUS, XK_equal},
    {VK_OEM_COMMA, XK_comma},
    {VK_OEM_MINUS, XK_minus},
    {VK_OEM_PERIOD, XK_period},
    {VK_OEM_2, XK_slash},
    {VK_OEM_3, XK_grave},
    {VK_OEM_4, XK_bracketleft},
    {VK_OEM_5, XK_backslash},
    {VK_OEM_6, XK_bracketright},
    {VK_OEM_7, XK_apostrophe},
    {VK_OEM_102, XK_less},
};

// The virtual key of a key's unshifted symbol (level 0 of its keycode); 0 for none.
constexpr int VirtualKeyOf(std::uint32_t sym) {
  if (sym >= XK_a && sym <= XK_z) return 'A' + static_cast<int>(sym - XK_a);
  if (sym >= XK_A && sym <= XK_Z) return 'A' + static_cast<int>(sym - XK_A);
  if (sym >= XK_0 && sym <= XK_9) return '0' + static_cast<int>(sym - XK_0);
  if (sym >= XK_F1 && sym <= XK_F24) return VK_F1 + static_cast<int>(sym - XK_F1);
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(sym - XK_KP_0);
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
  if (vk >= VK_F1 && vk <= VK_F24) return XK_F1 + static_cast<std::uint32_t>(vk - VK_F1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
    return XK_KP_0 + static_cast<std::uint32_t>(vk - VK_NUMPAD0);
  if (vk == VK_SHIFT) vk = VK_LSHIFT;
  if (vk == VK_CONTROL) vk = VK_LCONTROL;
  if (vk == VK_MENU) vk = VK_LMENU;
  for (const KeyName& k : kKeyNames)
    if (k.vk == vk) return k.sym;
  return 0;
}

// Shift, Ctrl and Alt of either side as the one key that Windows also reports them as.
constexpr int EitherSide(int vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return vk;
  }
}

}  // namespace platform::x11
