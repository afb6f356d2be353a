#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/x11/key_layout.h"
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

// A German layout, with a key of its own for "(" as Xvfb's default map has: every key that types
// gets a code no other key has. Symbols first, then the US place, then a spare code.
TEST(X11KeyLayout, EveryKeyThatTypesGetsACodeOfItsOwn) {
  struct Key {
    int code;
    std::uint32_t unshifted, shifted;
    const char* position;
    int vk;
  };
  const Key layout[] = {
      {49, XK_dead_circumflex, XK_degree, "TLDE", vk::kBacktick},
      {10, XK_1, XK_exclam, "AE01", '1'},
      {20, XK_ssharp, XK_question, "AE11", 0x92},
      {21, XK_dead_acute, XK_dead_grave, "AE12", vk::kEquals},
      {29, XK_z, XK_Z, "AD06", 'Z'},
      {34, XK_udiaeresis, XK_Udiaeresis, "AD11", vk::kLeftBracket},
      {35, XK_plus, XK_asterisk, "AD12", vk::kRightBracket},
      {48, XK_adiaeresis, XK_Adiaeresis, "AC11", 0x93},
      {51, XK_numbersign, XK_apostrophe, "BKSL", vk::kQuote},
      {61, XK_minus, XK_underscore, "AB10", vk::kMinus},
      {121, 0x1008FF12 /* XF86AudioMute */, 0, "MUTE", 0},
      {187, XK_parenleft, 0, "I187", 0x94},
      {188, XK_parenright, 0, "", 0x95},
  };
  std::array<x11::KeycodeSymbols, 256> keys{};
  for (const Key& k : layout)
    keys[static_cast<size_t>(k.code)] = {k.unshifted, k.shifted, k.position};
  const std::array<std::uint8_t, 256> vks = x11::AssignVirtualKeys(keys);
  for (const Key& k : layout) EXPECT_EQ(vks[static_cast<size_t>(k.code)], k.vk) << k.position;
  // Places outside the typing block, and the ends of its rows.
  EXPECT_EQ(x11::VirtualKeyOfPosition("AB08"), vk::kComma);
  EXPECT_EQ(x11::VirtualKeyOfPosition("AC10"), vk::kSemicolon);
  EXPECT_EQ(x11::VirtualKeyOfPosition("AE10"), '0');
  EXPECT_EQ(x11::VirtualKeyOfPosition("AC12"), vk::kBackslash);
  EXPECT_EQ(x11::VirtualKeyOfPosition("LSGT"), vk::kIntlBackslash);
  EXPECT_EQ(x11::VirtualKeyOfPosition("SPCE"), vk::kSpace);
  EXPECT_EQ(x11::VirtualKeyOfPosition("AE13"), 0);
  EXPECT_EQ(x11::VirtualKeyOfPosition("AB00"), 0);
  EXPECT_EQ(x11::VirtualKeyOfPosition("FK01"), 0);
}

}  // namespace
