// Windows and drawing: the primary monitor and its scale, pictures, text, top-level windows for
// the forms and what they tell their owner (mouse, paint, drops). Positions are screen pixels;
// the control model converts its twips with TwipsPerPixelX/Y. Colours are 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/input.h"

namespace platform {

using WindowHandle = std::intptr_t;  // 0 is "no window"
using Color = std::uint32_t;         // 0x00BBGGRR

constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | static_cast<Color>(g) << 8 | static_cast<Color>(b) << 16;
}
// The program's palette, for the control model and the windows a backend draws itself.
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kGrey = Rgb(128, 128, 128);
constexpr Color kDarkGrey = Rgb(64, 64, 64);
constexpr Color kLightBlue = Rgb(128, 128, 255);
constexpr Color kLightRed = Rgb(255, 128, 128);

// ---------------------------------------------------------------------------------------------
// Screen.

// The primary monitor, full size (not the work area), in screen pixels. On Windows it is always at
// (0, 0); on X11 it is RandR's primary, else the monitor holding the screen's origin, else the
// whole screen.
Rect PrimaryMonitor();
double TwipsPerPixelX();  // 1440 / DPI: 15 at 96 DPI
double TwipsPerPixelY();

// ---------------------------------------------------------------------------------------------
// Pictures and drawing.

// Straight-alpha 0xAARRGGBB pixels, row by row from the top-left.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uintptr_t id = 0;  // unique per picture, lets backends cache their own copy
};

struct Font {
  std::string face = "Arial";
  int pixel_height = 11;  // em height in pixels
  bool bold = true;
};

enum class TextAlign { Left, Right, Center };

// Draws into a window's client area, in client pixels. What is outside the clip is not drawn.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(const Rect& r, Color c) = 0;
  // Draws one line of text inside r (top-aligned), aligned horizontally as asked.
  virtual void DrawString(const Rect& r, std::string_view text, const Font& f, Color c,
                          TextAlign align) = 0;
  virtual void DrawPicture(std::int32_t x, std::int32_t y, const Picture& pic) = 0;
  virtual void DrawLine(Point from, Point to, Color c, int width) = 0;
  // Outline drawn inside r, `width` pixels thick.
  virtual void DrawRectOutline(const Rect& r, Color c, int width) = 0;
  // Narrows the clip to the intersection of the current clip and r, until the matching PopClip.
  virtual void PushClip(const Rect& r) = 0;
  virtual void PopClip() = 0;
};

// Width in pixels of text drawn in font f (no window needed).
int MeasureText(std::string_view text, const Font& f);

// ---------------------------------------------------------------------------------------------
// Windows.

enum class CursorShape { Arrow, Hand };

// The hand cursor picture (32 x 32) with its hot spot; set once, before any window shows it.
void SetHandCursor(const Picture& pic, int hot_x, int hot_y);
// The program's icon at several sizes, for task bars and switchers; set once, before any window
// is made. Where the executable carries its own icon (Windows), the backend may keep that one.
void SetProgramIcon(const std::vector<Picture>& sizes);

struct MouseEvent {
  enum class Kind { Down, Up, Move, DoubleClick };
  Kind kind = Kind::Move;
  MouseButton button = MouseButton::None;  // Down/Up/DoubleClick: the button that changed
  int buttons = 0;                         // buttons held (1 left, 2 right, 4 middle, or-ed)
  int shift = 0;                           // 1 shift, 2 ctrl, 4 alt
  std::int32_t x = 0;                      // client pixels
  std::int32_t y = 0;
};

// What a drag source lets the drop do with its files, or-ed (OLE's values).
constexpr std::uint32_t kDropCopy = 1;
constexpr std::uint32_t kDropMove = 2;
constexpr std::uint32_t kDropLink = 4;

struct DropEvent {
  std::vector<std::string> files;     // in the order of the drop's file list
  std::uint32_t allowed_effects = 0;  // what the drag source offers
  std::int32_t x = 0;                 // client pixels
  std::int32_t y = 0;
};

// What a window tells its owner. All calls come on the UI thread.
class WindowListener {
 public:
  virtual ~WindowListener() = default;
  virtual void OnPaint(Canvas& canvas) = 0;
  virtual void OnMouse(const MouseEvent& e) = 0;
  virtual void OnKeyDown(int vk) { (void)vk; }
  virtual void OnDrop(const DropEvent& e) { (void)e; }
  // The user or the system asked the window to close (not sent for DestroyWindow).
  virtual void OnCloseRequest() {}
};

struct WindowDesc {
  std::string title;     // caption / task-bar text
  Rect bounds;           // screen pixels; the client area equals the window (no frame)
  Color background = 0;  // shown before the first paint
  bool accept_drops = false;
  bool task_bar = true;  // false: a tool window that stays out of the task bar
};

// Creates a hidden borderless top-level window.
WindowHandle CreateFormWindow(const WindowDesc& desc, WindowListener* listener);
void DestroyWindow(WindowHandle w);
void ShowWindow(WindowHandle w, bool visible);
bool IsWindowVisible(WindowHandle w);
void SetWindowBounds(WindowHandle w, const Rect& bounds);
Rect GetWindowBounds(WindowHandle w);
void SetWindowCursor(WindowHandle w, CursorShape shape);
// Asks for a repaint later (coalesced); RepaintNow paints before returning.
void InvalidateWindow(WindowHandle w);
void RepaintNow(WindowHandle w);
// Shows w and runs a nested message loop until w is destroyed; owner takes no input meanwhile.
// Timers keep ticking inside.
void RunModal(WindowHandle w, WindowHandle owner);

// Keeps w above the windows of other programs (or lets it go back among them).
void SetTopmost(WindowHandle w, bool topmost);
// 255 is opaque. Where no compositor runs (X11), the window stays opaque.
void SetOpacity(WindowHandle w, std::uint8_t alpha);
// A shadow under the window. Windows keeps it for every form window of the program; on X11 the
// compositor decides, so there it does nothing.
void SetDropShadow(WindowHandle w, bool on);

}  // namespace platform
