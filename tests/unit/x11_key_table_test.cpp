#include <gtest/gtest.h>

#include "platform/x11/key_table.h"

namespace {

using namespace platform;
using platform::x11::KeysymOf;
using platform::x11::VirtualKeyOf;

// Every key a keyboard recording can hold goes out as a symbol that comes back as the same key.
TEST(X11KeyTable, EveryKeyGoesBothWays) {
  std::vector<int> keys = {vk::kBackspace,
                           vk::kTab,
                           vk::kEnter,
                           vk::kEscape,
                           vk::kSpace,
                           vk::kPageUp,
                           vk::kPageDown,
                           vk::kEnd,
                           vk::kHome,
                           vk::kLeft,
                           vk::kUp,
                           vk::kRight,
                           vk::kDown,
                           vk::kInsert,
                           vk::kDelete,
                           vk::kLeftShift,
                           vk::kRightShift,
                           vk::kLeftControl,
                           vk::kRightControl,
                           vk::kLeftAlt,
                           vk::kRightAlt,
                           vk::kLeftWindows,
                           vk::kCapsLock,
                           vk::kNumpadMultiply,
                           vk::kNumpadAdd,
                           vk::kNumpadSubtract,
                           vk::kNumpadDecimal,
                           vk::kNumpadDivide,
                           vk::kSemicolon,
                           vk::kEquals,
                           vk::kComma,
                           vk::kMinus,
                           vk::kPeriod,
                           vk::kSlash,
                           vk::kBacktick,
                           vk::kLeftBracket,
                           vk::kBackslash,
                           vk::kRightBracket,
                           vk::kQuote,
                           vk::kIntlBackslash};
  for (int c = 'A'; c <= 'Z'; ++c) keys.push_back(c);
  for (int c = '0'; c <= '9'; ++c) keys.push_back(c);
  for (int f = vk::kF1; f <= vk::kF24; ++f) keys.push_back(f);
  for (int n = 0; n <= 9; ++n) keys.push_back(vk::kNumpad0 + n);
  for (int vk : keys) {
    ASSERT_NE(KeysymOf(vk), 0u) << std::hex << vk;
    EXPECT_EQ(VirtualKeyOf(KeysymOf(vk)), vk) << std::hex << vk;
  }
  // Either side's modifier goes out as the left one.
  EXPECT_EQ(VirtualKeyOf(KeysymOf(vk::kShift)), vk::kLeftShift);
  EXPECT_EQ(x11::EitherSide(vk::kRightControl), vk::kControl);
}

TEST(X11KeyTable, KeysReadTheSameWhateverTheirLevel) {
  EXPECT_EQ(VirtualKeyOf(XK_A), 'A');
  EXPECT_EQ(VirtualKeyOf(XK_Z), 'Z');
  EXPECT_EQ(VirtualKeyOf(XK_q), 'Q');
  EXPECT_EQ(VirtualKeyOf(XK_KP_Home), vk::kHome);
  EXPECT_EQ(VirtualKeyOf(XK_KP_Enter), vk::kEnter);
  EXPECT_EQ(VirtualKeyOf(XK_ISO_Left_Tab), vk::kTab);
  EXPECT_EQ(VirtualKeyOf(XK_ntilde), 0);  // a letter with no key of its own in the table
  // A key's shifted symbol names it where the unshifted one does not (a French digit row).
  EXPECT_EQ(VirtualKeyOf(XK_ampersand, XK_1), '1');
  EXPECT_EQ(VirtualKeyOf(XK_a, XK_A), 'A');
  EXPECT_EQ(VirtualKeyOf(XK_semicolon, XK_period), platform::vk::kSemicolon);
}

}  // namespace
