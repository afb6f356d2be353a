// The one interface through which the program reaches the desktop. Each backend (win32, x11, sim)
// defines every function declared here; the executable links exactly one of them.
//
// Units: window positions and sizes are screen pixels, as the platform sees them; the control
// model converts its twips with TwipsPerPixelX/Y. Colours are 0x00BBGGRR. Strings are UTF-8.
//
// The user32 names and constants keep their Windows spelling. windows.h defines many of them as
// macros, so a Win32 source includes this header first and windows.h after it, and uses the
// constants unqualified there.
//
// Sections: the palette; cursor, mouse input and keys (with the virtual keys); screen; pictures and
// drawing; windows; timers and the message loop; file dialogs; process and environment; files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using WindowHandle = std::intptr_t;  // 0 is "no window"
using InstanceHandle = std::intptr_t;
using TimerId = std::uint32_t;  // 0 is "no timer"
using Color = std::uint32_t;    // 0x00BBGGRR

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
// Cursor, synthetic mouse input, global key state (user32 names and values).

constexpr std::uint32_t MOUSEEVENTF_LEFTDOWN = 0x0002;
constexpr std::uint32_t MOUSEEVENTF_LEFTUP = 0x0004;
constexpr std::uint32_t MOUSEEVENTF_RIGHTDOWN = 0x0008;
constexpr std::uint32_t MOUSEEVENTF_RIGHTUP = 0x0010;
constexpr std::uint32_t MOUSEEVENTF_MIDDLEDOWN = 0x0020;
constexpr std::uint32_t MOUSEEVENTF_MIDDLEUP = 0x0040;

// Virtual keys, with Windows' numbers on every platform. Letters and digits are their upper-case
// ASCII codes ('A', '0').
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;  // either Shift, as the left and right ones below
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60;  // to VK_NUMPAD9 = 0x69
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;  // to VK_F24 = 0x87
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F8 = 0x77;
constexpr int VK_F10 = 0x79;
constexpr int VK_F24 = 0x87;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
constexpr int VK_OEM_1 = 0xBA;  // ;: on a US keyboard
constexpr int VK_OEM_PLUS = 0xBB;
constexpr int VK_OEM_COMMA = 0xBC;
constexpr int VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE;
constexpr int VK_OEM_2 = 0xBF;    // /?
constexpr int VK_OEM_3 = 0xC0;    // `~
constexpr int VK_OEM_4 = 0xDB;    // [{
constexpr int VK_OEM_5 = 0xDC;    // \|
constexpr int VK_OEM_6 = 0xDD;    // ]}
constexpr int VK_OEM_7 = 0xDE;    // '"
constexpr int VK_OEM_102 = 0xE2;  // <> beside the left Shift of an ISO keyboard

// Mouse buttons are the logical ones, as applications receive them: with the buttons swapped for
// a left hand, VK_LBUTTON and MOUSEEVENTF_LEFTDOWN still mean what applications see as left.
//
// Fills p with the cursor position in screen pixels; false (p untouched) on failure.
bool GetCursorPos(Point& p);
bool SetCursorPos(std::int32_t x, std::int32_t y);
void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                 std::uintptr_t extra);
constexpr std::uint32_t KEYEVENTF_KEYUP = 0x0002;
// Presses the key (with KEYEVENTF_KEYUP releases it) as the keyboard would, for the window that
// has the focus. A key the keyboard layout lacks is skipped. `scan` 0: the key's own.
void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra);
// Non-zero when the key is down now (0x8000 set) or was pressed since the previous query of the
// same key (bit 0 set). The query clears the "pressed since" bit.
std::int16_t GetAsyncKeyState(int vk);

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

enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4 };

struct MouseEvent {
  enum class Kind { Down, Up, Move, DoubleClick };
  Kind kind = Kind::Move;
  MouseButton button = MouseButton::None;  // Down/Up/DoubleClick: the button that changed
  int buttons = 0;                         // buttons held (1 left, 2 right, 4 middle, or-ed)
  int shift = 0;                           // 1 shift, 2 ctrl, 4 alt
  std::int32_t x = 0;                      // client pixels
  std::int32_t y = 0;
};

// OLE drop effects.
constexpr std::uint32_t DROPEFFECT_COPY = 1;
constexpr std::uint32_t DROPEFFECT_MOVE = 2;
constexpr std::uint32_t DROPEFFECT_LINK = 4;

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

// user32 window placement and styles, with their values.
constexpr WindowHandle HWND_TOPMOST = -1;
constexpr WindowHandle HWND_NOTOPMOST = -2;
constexpr std::uint32_t SWP_NOSIZE = 0x0001;
constexpr std::uint32_t SWP_NOMOVE = 0x0002;
constexpr int GWL_EXSTYLE = -20;
constexpr std::int32_t WS_EX_TOPMOST = 0x00000008;
constexpr std::int32_t WS_EX_LAYERED = 0x00080000;
constexpr std::uint32_t LWA_ALPHA = 0x00000002;
constexpr int GCL_STYLE = -26;
constexpr std::uintptr_t CS_DROPSHADOW = 0x00020000;

bool SetWindowPos(WindowHandle w, WindowHandle insert_after, int x, int y, int cx, int cy,
                  std::uint32_t flags);
std::int32_t GetWindowLongA(WindowHandle w, int index);
std::int32_t SetWindowLongA(WindowHandle w, int index, std::int32_t value);
bool SetLayeredWindowAttributes(WindowHandle w, Color key, std::uint8_t alpha, std::uint32_t flags);
std::uintptr_t GetClassLongPtrA(WindowHandle w, int index);
std::uintptr_t SetClassLongPtrA(WindowHandle w, int index, std::uintptr_t value);

// ---------------------------------------------------------------------------------------------
// Timers and the message loop.

// Calls `tick` on the UI thread every interval_ms, on a fixed grid from now. A tick never
// re-enters a tick of the same timer that is still running, a late loop fires one tick (not a
// burst), and ticks go on inside nested loops (dialogs, RunModal, DoEvents).
TimerId StartTimer(int interval_ms, std::function<void()> tick);
void StopTimer(TimerId id);

// A monotonic clock in microseconds from an arbitrary origin; it never steps with the time of day.
std::int64_t MonotonicMicros();

// Handles every pending message once (timer ticks that are due included), then returns.
void DoEvents();
// Runs the message loop until EndProgram.
int RunMessageLoop();
// Ends the program at once: every window closes, every timer stops, nothing else runs.
[[noreturn]] void EndProgram(int exit_code);

// ---------------------------------------------------------------------------------------------
// Common file dialogs: the fields of comdlg32's OPENFILENAMEA that the program fills.

// Size of the record without the three fields added in Windows 2000 (76 in a 32-bit build).
extern const std::uint32_t OPENFILENAME_SIZE_VERSION_400A;

struct OPENFILENAMEA {
  std::uint32_t lStructSize = 0;
  WindowHandle hwndOwner = 0;
  InstanceHandle hInstance = 0;
  const char* lpstrFilter = nullptr;  // pairs of NUL-terminated strings, closed by an empty one
  char* lpstrFile = nullptr;          // in/out: the chosen path, NUL-terminated
  std::uint32_t nMaxFile = 0;
  char* lpstrFileTitle = nullptr;
  std::uint32_t nMaxFileTitle = 0;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  std::uint32_t Flags = 0;
  const char* lpstrDefExt = nullptr;
};

// Non-zero when the user chose a file (lpstrFile holds it); zero on cancel or failure.
int GetOpenFileNameA(OPENFILENAMEA* ofn);
int GetSaveFileNameA(OPENFILENAMEA* ofn);

// ---------------------------------------------------------------------------------------------
// Process and environment.

constexpr std::uint32_t LOCALE_USER_DEFAULT = 0x0400;
constexpr std::uint32_t LOCALE_SENGLANGUAGE = 0x1001;

// Writes the locale datum into buf (NUL-terminated); returns the characters written including
// the NUL, or 0 on failure.
int GetLocaleInfoA(std::uint32_t locale, std::uint32_t type, char* buf, int len);

// True when another copy of the program already runs. Made before any window exists; the
// answer holds for the life of the process.
bool AnotherInstanceRunning();

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
InstanceHandle AppInstance();

// ---------------------------------------------------------------------------------------------
// Files. A save writes a new file beside the old one and puts it in the old one's place only
// once its text is on the disk; the core runs the steps, so each failure is seen where it
// happens. Paths are UTF-8; a handle is -1 when there is no file.

using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

struct SaveTarget {
  std::string path;        // the file to replace: where a symbolic link leads, else the name
  bool exists = false;     // a regular file is there now
  bool writable = false;   // the user may write to it (a new file: whether its folder exists)
  std::uint32_t mode = 0;  // its permission bits
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

// Opens a regular file for reading; kNoFile for anything else (a FIFO or a device is refused
// without waiting on it). `size` is its length.
FileHandle OpenRegularFile(const std::string& path, std::uint64_t& size);
// Up to n bytes; 0 at the end, -1 on failure.
std::int64_t ReadFromFile(FileHandle f, char* buffer, std::size_t n);

}  // namespace platform
