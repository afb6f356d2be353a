// What the screen shows: the pixels of a part of it, and the top-level window of another program
// at a point. A recording keeps both at each press, so that a replay can tell whether the screen
// looks as it did.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace platform {

// The screen's pixels in `area` (screen pixels), row by row from the top-left, as 0x00RRGGBB;
// what lies outside every monitor is black, and what this program's own windows cover reads
// kHiddenPixel: never the program's own drawing. False (pixels untouched) when the screen cannot
// be read.
constexpr std::uint32_t kHiddenPixel = 0xFF000000;
bool CaptureScreen(const Rect& area, std::vector<std::uint32_t>& pixels);

// A top-level window as a user would recognise it.
struct TopWindow {
  std::string window_class;  // X11: WM_CLASS's class; Windows: the window class
  std::string title;
  std::string program;  // X11: WM_CLASS's instance; Windows: the executable's file name
  Rect bounds;          // screen pixels, without the frame a window manager adds
};

// The top-level window at p; false where there is none, or where it is one of this program's.
bool TopWindowAt(Point p, TopWindow& window);

// The top-level windows of other programs that show, the topmost first.
std::vector<TopWindow> TopWindows();

}  // namespace platform
