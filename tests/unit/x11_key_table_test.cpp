#include <gtest/gtest.h>

#include "platform/x11/key_table.h"

namespace {

using namespace platform;
using platform::x11::KeysymOf;
using platform::x11::VirtualKeyOf;

// Every key a keyboard recording can hold goes out as a symbol that comes back as the same key.
TEST(X11KeyTable, EveryKeyGoesBothWays) {
  std::vector<int> keys = {
      VK_BACK,   VK_TAB,      VK_RETURN,    VK_ESCAPE,    VK_SPACE,      VK_PRIOR,   VK_NEXT,
      VK_END,    VK_HOME,     VK_LEFT,      VK_UP,        VK_RIGHT,      VK_DOWN,    VK_INSERT,
      VK_DELETE, VK_LSHIFT,   VK_RSHIFT,    VK_LCONTROL,  VK_RCONTROL,   VK_LMENU,   VK_RMENU,
      VK_LWIN,   VK_CAPITAL,  VK_MULTIPLY,  VK_ADD,       VK_SUBTRACT,   VK_DECIMAL, VK_DIVIDE,
      VK_OEM_1,  VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,   VK_OEM_3,
      VK_OEM_4,  VK_OEM_5,    VK_OEM_6,     VK_OEM_7,     VK_OEM_102};
  for (int c = 'A'; c <= 'Z'; ++c) keys.push_back(c);
  for (int c = '0'; c <= '9'; ++c) keys.push_back(c);
  for (int f = VK_F1; f <= VK_F24; ++f) keys.push_back(f);
  for (int n = 0; n <= 9; ++n) keys.push_back(VK_NUMPAD0 + n);
  for (int vk : keys) {
    ASSERT_NE(KeysymOf(vk), 0u) << std::hex << vk;
    EXPECT_EQ(VirtualKeyOf(KeysymOf(vk)), vk) << std::hex << vk;
  }
  // Either side's modifier goes out as the left one.
  EXPECT_EQ(VirtualKeyOf(KeysymOf(VK_SHIFT)), VK_LSHIFT);
  EXPECT_EQ(x11::EitherSide(VK_RCONTROL), VK_CONTROL);
}

TEST(X11KeyTable, KeysReadTheSameWhateverTheirLevel) {
  EXPECT_EQ(VirtualKeyOf(XK_A), 'A');
  EXPECT_EQ(VirtualKeyOf(XK_Z), 'Z');
  EXPECT_EQ(VirtualKeyOf(XK_q), 'Q');
  EXPECT_EQ(VirtualKeyOf(XK_KP_Home), VK_HOME);
  EXPECT_EQ(VirtualKeyOf(XK_KP_Enter), VK_RETURN);
  EXPECT_EQ(VirtualKeyOf(XK_ISO_Left_Tab), VK_TAB);
  EXPECT_EQ(VirtualKeyOf(XK_ntilde), 0);  // a letter with no key of its own in the table
  // A key's shifted symbol names it where the unshifted one does not (a French digit row).
  EXPECT_EQ(VirtualKeyOf(XK_ampersand, XK_1), '1');
  EXPECT_EQ(VirtualKeyOf(XK_a, XK_A), 'A');
  EXPECT_EQ(VirtualKeyOf(XK_semicolon, XK_period), platform::VK_OEM_1);
}

}  // namespace
