// The desktop's input: the cursor, synthetic input (marked as the program's own), the global key
// state, taken hotkeys, and the input's own events with their times.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/geometry.h"

namespace platform {

// ---------------------------------------------------------------------------------------------
// Cursor, synthetic input, the global key state.

// Virtual keys. The values are Windows' virtual-key codes on every platform: recording files
// store them. Letters and digits are their upper-case ASCII codes ('A', '0').
namespace vk {
constexpr int kLeftButton = 0x01;
constexpr int kRightButton = 0x02;
constexpr int kMiddleButton = 0x04;
constexpr int kX1Button = 0x05;  // the side buttons: back
constexpr int kX2Button = 0x06;  // forward
constexpr int kBackspace = 0x08;
constexpr int kTab = 0x09;
constexpr int kClear = 0x0C;  // keypad 5 with Num Lock off
constexpr int kEnter = 0x0D;
constexpr int kShift = 0x10;  // either Shift, as the left and right ones below
constexpr int kControl = 0x11;
constexpr int kAlt = 0x12;
constexpr int kPause = 0x13;
constexpr int kCapsLock = 0x14;
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kPageUp = 0x21;
constexpr int kPageDown = 0x22;
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kPrintScreen = 0x2C;
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;
constexpr int kLeftWindows = 0x5B;
constexpr int kRightWindows = 0x5C;
constexpr int kContextMenu = 0x5D;
constexpr int kNumpad0 = 0x60;  // to kNumpad9
constexpr int kNumpad9 = 0x69;
constexpr int kNumpadMultiply = 0x6A;
constexpr int kNumpadAdd = 0x6B;
constexpr int kNumpadSubtract = 0x6D;
constexpr int kNumpadDecimal = 0x6E;
constexpr int kNumpadDivide = 0x6F;
constexpr int kF1 = 0x70;  // to kF24, one apart
constexpr int kF5 = 0x74;
constexpr int kF6 = 0x75;
constexpr int kF8 = 0x77;
constexpr int kF10 = 0x79;
constexpr int kF24 = 0x87;
constexpr int kNumLock = 0x90;
constexpr int kScrollLock = 0x91;
constexpr int kLeftShift = 0xA0;
constexpr int kRightShift = 0xA1;
constexpr int kLeftControl = 0xA2;
constexpr int kRightControl = 0xA3;
constexpr int kLeftAlt = 0xA4;
constexpr int kRightAlt = 0xA5;
// The punctuation keys are named by their key on a US keyboard; other layouts put other symbols
// on the same keys.
constexpr int kSemicolon = 0xBA;      // ;:
constexpr int kEquals = 0xBB;         // =+
constexpr int kComma = 0xBC;          // ,<
constexpr int kMinus = 0xBD;          // -_
constexpr int kPeriod = 0xBE;         // .>
constexpr int kSlash = 0xBF;          // /?
constexpr int kBacktick = 0xC0;       // `~
constexpr int kLeftBracket = 0xDB;    // [{
constexpr int kBackslash = 0xDC;      // \|
constexpr int kRightBracket = 0xDD;   // ]}
constexpr int kQuote = 0xDE;          // '"
constexpr int kIntlBackslash = 0xE2;  // <> beside the left Shift of an ISO keyboard
}  // namespace vk

enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4, X1 = 32, X2 = 64 };
enum class WheelAxis { Vertical, Horizontal };

// Mouse buttons are the logical ones, as applications receive them: with the buttons swapped for
// a left hand, MouseButton::Left and vk::kLeftButton still mean what applications see as left.
//
// Fills p with the cursor position in screen pixels; false (p untouched) on failure.
bool CursorPosition(Point& p);
bool MoveCursor(std::int32_t x, std::int32_t y);
// Presses or releases a button where the cursor is, as the mouse would.
void SendButton(MouseButton button, bool down);
// Turns the wheel by delta, in 120ths of a notch, positive up (vertical) or right (horizontal).
// Only multiples of WheelStep() are sent; the caller keeps the rest.
void SendWheel(WheelAxis axis, int delta);
// The smallest wheel amount the system sends: 1 where any amount goes (Windows), 120 where
// only whole notches do (X11).
int WheelStep();
// Presses or releases the key as the keyboard would, for the window that has the focus. A key
// the keyboard layout lacks is skipped, and so is a code outside 1 to 255.
void SendKey(int vk, bool down);

struct KeyState {
  bool down = false;           // down now
  bool pressed_since = false;  // pressed since the previous query of the same key
};
// The query clears "pressed since".
KeyState QueryKey(int vk);
// Takes these keys from every application: pressed, they reach QueryKey and no window (with the
// lock keys on too; other modifiers leave the key to the application in front). Each call
// replaces the keys taken before; a key another program holds stays its own.
void TakeHotkeys(const std::vector<int>& vks);
// Runs `changed` on the UI thread, from the event loop, soon after a taken key goes down or up
// (QueryKey then tells it), so the program need not poll the keys to hear of a press. False
// where the system cannot tell: then the keys must be polled.
bool OnHotkeyChange(std::function<void()> changed);

// What a hand did with the mouse and the keys, from the input's own events rather than a poll of
// their state.
struct InputEvent {
  enum class Kind { ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp };
  Kind kind = Kind::ButtonDown;
  MouseButton button = MouseButton::None;  // ButtonDown, ButtonUp
  WheelAxis axis = WheelAxis::Vertical;    // Wheel
  int delta = 0;                           // Wheel: as SendWheel's
  int vk = 0;                              // KeyDown (again as the key repeats), KeyUp
  std::int64_t time_us = 0;                // on MonotonicMicros' clock
  std::optional<Point> at;                 // the pointer then, where the system tells it
  // ButtonDown, Wheel, while ShowScreenWithPresses asks: the screen in the square around `at`,
  // as CaptureScreen reads it, as it was before any application had the press.
  std::vector<std::uint32_t> screen;
};
// Each ButtonDown and Wheel event kept from now on carries the screen in a side x side square
// around its place (0: none). False where the system cannot read it before the applications have
// the press (X11 tells the program of a press after the window under it).
bool ShowScreenWithPresses(int side);
// Starts keeping the input's events for TakeInputEvents, forgetting any kept before, or stops
// (on = false). False where the system gives no such events: the caller polls QueryKey instead.
// The keys taken as hotkeys come too.
bool WatchInputEvents(bool on);
// The events kept since the last call, oldest first. Windows passes over the program's own
// synthetic input; X11 cannot tell it from a hand's, so watch only while the program sends none.
std::vector<InputEvent> TakeInputEvents();

}  // namespace platform
