// State shared by the X11 backend's files. Nothing outside src/platform/x11 includes this.
#pragma once

// platform.h goes first: Xlib's macros (None, Status, ...) would break its declarations.
// clang-format off
#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "platform/x11/scroll.h"
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/Xrender.h>
#include <X11/keysym.h>
// clang-format on

// X.h's query class name hides platform::CursorShape; we do not use the query.
#undef CursorShape

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace platform::x11 {

struct Atoms {
  Atom wm_protocols, wm_delete_window, wm_state, net_wm_name, net_wm_pid, utf8_string,
      motif_wm_hints, net_wm_window_type, net_wm_window_type_utility, net_wm_window_type_normal,
      net_wm_state, net_wm_state_above, net_wm_state_skip_taskbar, net_wm_state_skip_pager,
      net_wm_window_opacity, net_supporting_wm_check, xdnd_aware, xdnd_enter, xdnd_position,
      xdnd_status, xdnd_leave, xdnd_drop, xdnd_finished, xdnd_selection, xdnd_type_list,
      xdnd_action_copy, xdnd_action_move, xdnd_action_link, xdnd_action_list, text_uri_list,
      tapwright_dnd, net_wm_icon;
};

struct DndState {
  Window source = 0;
  bool has_uri_list = false;
  std::uint32_t effects = 0;
  int root_x = 0;
  int root_y = 0;
  Time time = 0;
};

struct WindowState {
  WindowHandle handle = 0;
  Window xid = 0;
  WindowListener* listener = nullptr;
  Rect bounds;
  Color background = 0;
  bool visible = false;
  bool dirty = true;
  bool painted = false;  // the back buffer holds a full frame
  bool reparented = false;
  int input_blocked = 0;  // > 0 while a modal window it owns runs
  bool topmost = false;   // kept above other programs' windows
  int above = -1;  // what the window manager was last told: 1 above the others, 0 not, -1 nothing
  bool covered = true;  // another window may lie over it (no VisibilityNotify said otherwise)
  bool accept_drops = false;
  bool task_bar = true;
  Pixmap back = 0;
  GC gc = nullptr;
  XftDraw* xft = nullptr;
  ::Picture render = 0;  // XRender picture of the back buffer
  // The last button press, for double clicks.
  unsigned last_button = 0;
  Time last_press_time = 0;
  int last_press_x = 0;
  int last_press_y = 0;
  DndState dnd;
  // Placements asked for and not yet reported back by the server, oldest first.
  std::deque<Rect> pending_configure;
  // Sees the window's events before anything else; true when it used one. The own file dialog
  // types from the full key event and scrolls with the wheel, which listeners do not get.
  std::function<bool(XEvent&)> raw_events;

  ~WindowState();
  void AllocateBackBuffer();
  void FreeBackBuffer();
};

using Nanos = std::int64_t;

struct Timer {
  Nanos interval = 0;
  Nanos next = 0;  // the next point of the grid at which it is due
  bool running = false;
  std::function<void()> tick;
};

// The global key and button state, read from a second connection that nothing else uses.
struct KeyWatch {
  Display* display = nullptr;
  int xi_opcode = 0;
  bool tried = false;
  bool raw = false;                          // raw events arrive: they tell what is down
  std::int64_t drained_at = 0;               // MonotonicMicros of the last read
  std::array<bool, 256> pressed_since{};     // by virtual key
  std::array<std::uint8_t, 256> key_down{};  // by keycode: the virtual key it holds down, or 0
  std::array<std::uint8_t, 256> vk_down{};   // by virtual key: how many keycodes hold it down
  std::array<bool, 10> button_down{};        // by logical button
  // The input's own events, kept while the recorder watches them.
  bool watching = false;
  std::int64_t watching_since = 0;  // MonotonicMicros: earlier events are not kept
  std::vector<InputEvent> events;
  // Server times are milliseconds on the server's clock: this plus a server time is the same
  // moment on ours, modulo 2^32. The least seen is the truest (events arrive late, never early).
  std::uint32_t server_offset_ms = 0;
  bool has_server_offset = false;
  // The pointer's button map: physical button n acts as logical button map[n - 1]. Raw events
  // and XTest speak physical buttons; applications receive logical ones.
  std::array<unsigned char, 32> map{};
  int map_size = 0;
  // The virtual key of each keycode on the layout in use.
  std::array<std::uint8_t, 256> layout{};
  bool layout_read = false;
  // The hotkeys taken (as virtual keys), and the grabs that take them.
  std::vector<int> taken;
  std::vector<std::pair<KeyCode, unsigned>> grabs;
  ScrollTurns scroll;  // the devices' scroll valuators
  // A taken key went down or up since the loop last told; whom to tell.
  bool taken_changed = false;
  std::function<void()> on_taken_change;
};

struct CachedPicture {
  int width = 0;
  int height = 0;
  Pixmap pixmap = 0;
  ::Picture picture = 0;
};

// Everything the backend keeps, in one place.
struct Backend {
  // The UI connection.
  Display* display = nullptr;
  Atoms atoms;
  // Windows, by handle, and what all of them share.
  std::map<WindowHandle, std::shared_ptr<WindowState>> windows;
  WindowHandle next_handle = 1;
  Cursor hand_cursor = 0;
  Cursor arrow_cursor = 0;
  Picture hand_picture;
  int hand_hot_x = 0;
  int hand_hot_y = 0;
  std::vector<unsigned long> icon;  // the program icon as _NET_WM_ICON holds it
  // The loop.
  std::map<TimerId, std::shared_ptr<Timer>> timers;
  TimerId next_timer = 1;
  std::vector<std::function<void()>> soon;           // RunSoon's
  int extra_fd = -1;                                 // the desktop chooser's answer while it runs
  std::map<int, std::function<void()>> watched_fds;  // WatchFd's
  pid_t chooser = 0;  // the desktop's file chooser while it shows: it ends with the program
  KeyWatch keys;
  // Server-side resources made once.
  std::map<std::tuple<std::string, int, bool>, XftFont*> fonts;
  std::map<std::uintptr_t, CachedPicture> pictures;
};

Backend& State();

// The UI connection, opened on first use. Exits the process when there is no X display.
Display* Dpy();
// The UI connection if it was opened; null otherwise.
Display* OpenedDisplay();
const Atoms& GetAtoms();
bool WindowManagerRunning();

std::shared_ptr<WindowState> FindWindow(WindowHandle w);
std::shared_ptr<WindowState> FindWindowByXid(Window xid);
std::vector<std::shared_ptr<WindowState>> AllWindows();

// Renders the window through its listener into the back buffer and shows it.
void Paint(WindowState& ws);
// A shown window waits to be drawn.
bool AnyWindowDirty();
void PaintDirtyWindows();
// Updates the window state for one X event and calls its listener.
void DispatchEvent(XEvent& ev);
void HandleDndMessage(WindowState& ws, const XClientMessageEvent& msg);
void HandleDndSelection(WindowState& ws, const XSelectionEvent& ev);

// Pixel value of a 0x00BBGGRR colour in the default visual.
unsigned long PixelOf(Color c);
XftFont* GetFont(const Font& f);
// A straight-alpha picture as a premultiplied ARGB32 pixmap and its XRender picture.
bool UploadArgb(const Picture& pic, Pixmap& pixmap, ::Picture& picture);
// The global key watcher: a second connection whose events are drained without dispatching.
int KeyWatchFd();
// Readable when the program is asked to end from outside (SIGINT, SIGTERM, SIGHUP), which are
// blocked from the first call on: every thread started later inherits that.
int EndRequestFd();
// A descriptor the loop also wakes for while it is set (the file chooser's answer), or -1.
void SetExtraWakeFd(int fd);
// The loop runs `readable` when fd has something to read (or is closed), until UnwatchFd.
void WatchFd(int fd, std::function<void()> readable);
void UnwatchFd(int fd);

// Where a file dialog starts: the request's start folder when that exists, else the working
// folder.
std::string StartFolder(const FileRequest& request);
// The file dialogs' words in the user's language.
struct Words {
  const char* name;
  const char* ok;
  const char* cancel;
  const char* no_folder;
  const char* replaces;  // after a file's name: the own dialog's OK replaces it
  const char* replace;   // after a file's name: a question whose Yes replaces it
};
Words LocalWords();
// The desktop's own file chooser: zenity, else kdialog. nullopt when neither is installed;
// otherwise the path chosen, or "" when the user cancelled.
std::optional<std::string> RunDesktopChooser(const FileRequest& request);
void DrainKeyEvents();
// Runs OnHotkeyChange's function when a taken key went down since the last call.
void TellHotkeyChange();
// Opens the key watcher once; false when it cannot be had.
bool OpenKeyWatch();
// One round of the message loop; `block` first waits for an event or the next timer.
void LoopOnce(bool block);

// Debug builds report failing platform calls on stderr; release builds stay silent.
void DebugLog(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform::x11
