// The one interface through which the program reaches the desktop. Each backend (win32, x11, sim)
// defines every function declared here; the executable links exactly one of them.
//
// Units: window positions and sizes are screen pixels, as the platform sees them; the control
// model converts its twips with TwipsPerPixelX/Y. Colours are 0x00BBGGRR. Strings are UTF-8.
//
// Sections: the palette; cursor, synthetic input and keys (with the virtual keys); screen; pictures
// and drawing; windows; timers and the message loop; choosing a file; process and environment;
// files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using WindowHandle = std::intptr_t;  // 0 is "no window"
using TimerId = std::uint32_t;       // 0 is "no timer"
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

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
};

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
};
// Starts keeping the input's events for TakeInputEvents, forgetting any kept before, or stops
// (on = false). False where the system gives no such events: the caller polls QueryKey instead.
// The keys taken as hotkeys come too.
bool WatchInputEvents(bool on);
// The events kept since the last call, oldest first. Windows passes over the program's own
// synthetic input; X11 cannot tell it from a hand's, so watch only while the program sends none.
std::vector<InputEvent> TakeInputEvents();

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

// ---------------------------------------------------------------------------------------------
// Timers and the message loop.

// Calls `tick` on the UI thread every interval_ms, on a fixed grid from now. A tick never
// re-enters a tick of the same timer that is still running, a late loop fires one tick (not a
// burst), and ticks go on inside nested loops (dialogs, RunModal, RunPendingEvents).
TimerId StartTimer(int interval_ms, std::function<void()> tick);
void StopTimer(TimerId id);

// A monotonic clock in microseconds from an arbitrary origin; it never steps with the time of day.
std::int64_t MonotonicMicros();

// Runs fn on the UI thread once the handler that calls this has returned to a loop (the main one
// or a nested one), before that loop waits again.
void RunSoon(std::function<void()> fn);
// Handles every pending message once (timer ticks that are due included), then returns.
void RunPendingEvents();

// Runs work on a thread of its own while the UI thread goes on; the work must not touch the UI.
// Whoever starts it learns of its end by looking (a timer), not by a call from that thread.
void RunInBackground(std::function<void()> work);
// Runs the message loop until EndProgram.
int RunMessageLoop();
// Ends the program at once: every window closes, every timer stops, nothing else runs.
[[noreturn]] void EndProgram(int exit_code);

// ---------------------------------------------------------------------------------------------
// Choosing a file: the system's open or save dialog (on X11 the desktop's chooser, else one of
// our own). Timers keep ticking while it is open.

struct FileRequest {
  bool save = false;              // false: open an existing file
  WindowHandle owner = 0;         // takes no input while the dialog is open; 0: none
  std::string title;              // "": the system's own
  std::string filter_name;        // shown, e.g. "Recordings (*.tpw)"
  std::string filter_pattern;     // "*.tpw"; several as "*.tpw;*.txt"; "": every file
  std::string start_folder;       // "": the system's choice
  std::string default_extension;  // "tpw": a save adds it to a name without one; "": none
};

// The path chosen; nullopt when the user cancels or the dialog fails.
std::optional<std::string> ChooseFile(const FileRequest& request);

// ---------------------------------------------------------------------------------------------
// Process and environment.

// The English name of the user's language as the system gives it ("Spanish"); "" when it
// cannot tell.
std::string UserLanguageName();

// The exit code of a program that has no display to work on, or lost it.
inline constexpr int kExitNoDisplay = 6;

// Called first, before any thread starts: Ctrl+C, a logout or a kill then reach the message
// loop as a close request, whichever thread the system would have given them to.
void TakeEndRequests();

// True when another copy of the program already runs. Made before any window exists; the
// answer holds for the life of the process.
bool AnotherInstanceRunning();
// The channel between copies: a later copy hands the running one a message and waits for its
// answer, however long that takes once the copy has taken the message; nullopt when no copy took
// it within a few seconds (none runs, or it is stopped). Asked to end meanwhile (Ctrl+C), the
// later copy tells the running one it gave up, and waits a moment more for the answer to that.
std::optional<std::string> SendToRunningCopy(const std::string& message);
// In the running copy: `heard` runs on the UI thread with each message of a later copy and the
// function that answers it, once, at once or later. It returns what to do should the later copy
// give up before its answer (it was stopped, or it ended), or nothing.
using CopyAnswer = std::function<void(const std::string& answer)>;
using CopyMessageHandler =
    std::function<std::function<void()>(const std::string& message, const CopyAnswer& answer)>;
void ListenToLaterCopies(CopyMessageHandler heard);
// The path from the current folder when it is relative, so that another process finds it too.
std::string AbsolutePath(const std::string& path);

struct TimeOfDay {
  int hour = 0;  // 0-23, local time
  int minute = 0;
  int second = 0;
};
TimeOfDay LocalTimeOfDay();

// Local wall-clock time: seconds since 1970-01-01 00:00 in local time. It steps with the clock
// (a correction, summer time, a change by hand), which the one-second timers must notice.
std::int64_t LocalClockSeconds();

struct Version {
  int major = 0;
  int minor = 0;
  int revision = 0;
};
Version AppVersion();
// Folder of the program's executable, without a trailing separator.
std::string AppFolder();
// Where the file dialogs start before the user has chosen a file: the home folder (Linux), the
// program's folder (Windows, where the program lives in a folder of its own).
std::string RecordingsFolder();
// The settings file: $XDG_CONFIG_HOME/tapwright/tapwright.conf (else ~/.config/...) on Linux,
// %APPDATA%\Tapwright\tapwright.ini on Windows; "" where there is none.
std::string SettingsPath();

// ---------------------------------------------------------------------------------------------
// Files. A save writes a new file beside the old one and puts it in the old one's place only
// once its text is on the disk; the core runs the steps, so each failure is seen where it
// happens. Paths are UTF-8; a handle is -1 when there is no file. The steps are the system's:
// posix/files.cpp serves x11 and the simulated desktop on Linux, win32/files.cpp the Windows
// builds.

using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

struct SaveTarget {
  std::string path;        // the file to replace: where a symbolic link leads, else the name
  bool exists = false;     // a regular file is there now
  bool writable = false;   // the user may write to it (a new file: whether its folder exists)
  std::uint32_t mode = 0;  // its permission bits
  // What is saved is for the owner alone (recorded keystrokes): the file keeps no group or other
  // permission, whatever it had.
  bool owner_only = false;
};
// What a save to `path` would replace; false when it cannot be a file (a folder, say).
bool GetSaveTarget(const std::string& path, SaveTarget& target);
// A new file, created exclusively in the target's folder with the target's mode (a new target:
// 0666 less the umask); `created` is its path. On failure `denied` tells whether the folder
// refused the user (rather than, say, the disk being full).
FileHandle CreateFileBeside(const SaveTarget& target, std::string& created, bool& denied);
// The target itself for writing from its start, not truncated, with room for `size` bytes.
FileHandle OpenFileInPlace(const SaveTarget& target, std::uint64_t size);
bool WriteToFile(FileHandle f, std::string_view data);  // all of it, or false
bool SetFileLength(FileHandle f, std::uint64_t length);
bool SyncFile(FileHandle f);  // its data and size are on the disk
bool CloseFile(FileHandle f);
// Puts the file `replacement` in the target's place in one step (the target keeps its links).
bool MoveOverTarget(const std::string& replacement, const SaveTarget& target);
// The folder's entry for the target is on the disk.
bool SyncTargetFolder(const SaveTarget& target);
bool RemoveFile(const std::string& path);
// Makes the folder and those above it that are missing (on Linux for the user alone); true when
// it is there.
bool CreateFolders(const std::string& path);

enum class OpenFault { Missing, NotRegular, Unreadable };
// Opens a regular file for reading; kNoFile for anything else (a FIFO or a device is refused
// without waiting on it), and then `fault` says why. `size` is its length.
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size,
                           OpenFault* fault = nullptr);
// Up to n bytes; 0 at the end, -1 on failure.
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n);

}  // namespace platform
