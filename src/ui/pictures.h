// The program's pictures, drawn in code so that every backend and every size share one art.
#pragma once

#include "platform/display.h"

namespace ui::pictures {

enum class Id {
  Recording,    // red ball
  Playing,      // blue triangle pointing right
  Stopped,      // blue square
  Options,      // gear
  Information,  // "i" in a circle
  Close,        // cross
  Timer,        // clock
  Sequence,     // list
  Repeat,       // circling arrow
  Click,        // pointer with a click flash
  Add,          // plus
  Delete,       // minus
  Keyboard,     // a keyboard
  KeyboardOn,   // the keyboard with its keys lit: recording the keyboard is on
  Eye,          // an eye: waiting for the screen
  EyeOn,        // the eye open in blue: a replay waits for the screen
  Speed,        // two chevrons
};

// The picture at size x size pixels (16 at 96 DPI); the same object on every call.
const platform::Picture& Get(Id id, int size = 16);

// The program icon at size x size pixels.
platform::Picture ProgramIcon(int size);

// The About window's picture at width x height pixels (283 x 170 at 96 DPI): the icon and a
// recorded path with its clicks. The same object on every call with the same size.
const platform::Picture& AboutPicture(int width, int height);

// The hand pointer shown over clickable controls: 32 x 32, hot spot at the fingertip.
const platform::Picture& HandCursor();
constexpr int kHandHotX = 12;
constexpr int kHandHotY = 1;

}  // namespace ui::pictures
