// The simulated desktop: a deterministic stand-in for the real platform, driven by tests.
// Virtual time moves only when a test advances it, by exact milliseconds.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "platform/screen.h"

namespace sim {

using platform::WindowHandle;

// Back to a fresh desktop: no windows, no timers, time 0, cursor at (0, 0), defaults below.
void Reset();

// ---- Time.
std::int64_t Now();  // virtual milliseconds since Reset
// Runs the message loop for ms virtual milliseconds: posted messages first, then every timer
// tick that falls due, in order of due time (equal times: the older timer first).
void Advance(std::int64_t ms);
// Time passes while the loop is busy elsewhere: no timer ticks meanwhile, and each that fell due
// ticks once, late, at the next Advance.
void Stall(std::int64_t ms);
// Clock reading at the current virtual moment; it moves on with virtual time. The clock steps
// there the shortest way, forward or back, across midnight too.
void SetTimeOfDay(int hour, int minute, int second);

struct TimerInfo {
  platform::TimerId id;
  int interval_ms;
  std::int64_t next_due;
  bool running;  // its tick is on the stack now
};
std::vector<TimerInfo> ActiveTimers();

// Runs fn at the next message pump (RunPendingEvents or the next step of Advance), like a message
// waiting in the queue.
void Post(std::function<void()> fn);
// A tick of timer id as a message (as a pending WM_TIMER is); it does nothing if the timer has
// stopped or its tick is on the stack.
std::function<void()> TimerTickMessage(platform::TimerId id);
void PostTimerTick(platform::TimerId id);
// Makes fn a message that arrives while the current handler runs: the next RunPendingEvents handles
// it.
void PostAtNextDoEvents(std::function<void()> fn);
// Handles every posted message now.
void Pump();
std::int64_t DoEventsCalls();

// ---- Screen.
void SetScreen(int width_px, int height_px, double twips_per_pixel = 15);
// The desktop over all monitors; MoveCursor keeps the cursor inside it.
void SetVirtualScreen(const platform::Rect& r);
// Where the primary monitor (of SetScreen's size) lies on that desktop; (0, 0) at first.
void SetPrimaryOrigin(int x, int y);

// ---- What the screen shows, under the program's own windows.
// Paints the area in the colour (0x00RRGGBB) over what was painted before; the screen starts
// black.
void PaintScreen(const platform::Rect& area, std::uint32_t colour);
// A window of another program, above those shown before it and below the program's own.
void ShowForeignWindow(const platform::TopWindow& window);
void CloseForeignWindows();
// CaptureScreen fails from now on, or works again.
void FailScreenCapture(bool fail);

// ---- Cursor, buttons, keys. User input is delivered to the window under the cursor at once.
void MoveMouse(int x, int y);
void MouseDown(platform::MouseButton b);
void MouseUp(platform::MouseButton b);
void Click(int x, int y, platform::MouseButton b = platform::MouseButton::Left);
void DoubleClick(int x, int y, platform::MouseButton b = platform::MouseButton::Left);
platform::Point CursorPos();
void KeyDown(int vk);
void KeyUp(int vk);
// Pressed and released between two queries: only the "pressed since" bit tells.
void TapKey(int vk);
bool KeyIsDown(int vk);
// A key press delivered to window w, as when it has the keyboard focus.
void SendKey(WindowHandle w, int vk);
// Makes CursorPosition fail (the point is left as the caller set it).
void FailCursorPosition(bool fail);
// A hand turns the wheel (120 a notch, positive up or right).
void TurnWheel(platform::WheelAxis axis, int delta);
// Whether the desktop gives the input's own events (at first: no, the program polls), and
// whether they tell where the pointer was (Windows does, X11 does not).
void SetInputEvents(bool given, bool with_position);
// Whether the desktop can read the screen around a press before any window has it (Windows'
// hooks can, X11 cannot).
void SetScreenWithPresses(bool can);
// Whether the program has the input's events kept for it now.
bool WatchingInputEvents();
// The next input event's time reads this far off, as another clock's read to the millisecond.
void SkewNextInputEvent(std::int64_t us);
// Whether the desktop tells the program of a taken key's press (off: it polls the keys), as a
// program starting now finds it.
void TellHotkeyPresses(bool told);
// The keys the program took from other applications, in the order it gave them.
const std::vector<int>& TakenKeys();
// How often the program asked for keys to take: a grab given back and taken again may let a
// press through.
int TakeHotkeysCalls();
// What SendWheel can send: any amount (1, at first) or whole notches (120).
void SetWheelStep(int step);

// What the program sent as synthetic input.
struct InputEvent {
  enum class Kind { MoveCursor, Button, Key, Wheel };
  Kind kind;
  std::int64_t time;
  std::int32_t x, y;  // MoveCursor: the position asked; otherwise the cursor then
  platform::MouseButton button = platform::MouseButton::None;  // Button
  int vk = 0;                                                  // Key
  bool down = false;                                           // Button, Key: pressed
  platform::WheelAxis axis = platform::WheelAxis::Vertical;    // Wheel
  int delta = 0;                                               // Wheel
  friend bool operator==(const InputEvent&, const InputEvent&) = default;
};
const std::vector<InputEvent>& InputLog();
void ClearInputLog();

// ---- Windows.
struct WindowState {
  WindowHandle handle = 0;
  std::string title;
  platform::Rect bounds;
  bool visible = false;
  bool topmost = false;   // kept above other programs' windows
  bool modal = false;     // shown by RunModal, not yet destroyed
  bool disabled = false;  // the owner of a modal window
  bool accept_drops = false;
  bool task_bar = true;
  std::uint8_t alpha = 255;  // the opacity last set
  platform::CursorShape cursor = platform::CursorShape::Arrow;
  int invalidations = 0;
  int topmost_calls = 0;  // SetTopmost, asked again or not
  platform::WindowListener* listener = nullptr;
};
std::vector<WindowHandle> Windows();  // live windows, bottom of the z-order first
const WindowState& Window(WindowHandle w);
bool Exists(WindowHandle w);
WindowHandle WindowAt(int x, int y);  // topmost visible window under a screen point, or 0
bool HasDropShadow(WindowHandle w);
// Moves a window as another program or the user would.
void MoveWindowFromOutside(WindowHandle w, int x, int y);
void Drop(WindowHandle w, std::vector<std::string> files, std::uint32_t effects, int x, int y);

// What one paint drew.
struct DrawOp {
  enum class Kind { Fill, Text, Picture, Line, Outline };
  Kind kind = Kind::Fill;
  platform::Rect rect;  // Line: left/top = from, width/height = to - from
  platform::Rect clip;  // the clip in force
  std::string text;
  platform::Color color = 0;
  platform::Font font;
  platform::TextAlign align = platform::TextAlign::Left;
  std::uintptr_t picture = 0;
  int line_width = 0;
};
std::vector<DrawOp> Paint(WindowHandle w);
// Width the simulated fonts give a text: 0.55 em per character, rounded.
int SimTextWidth(std::string_view text, int pixel_height);

// ---- Dialogs and modal windows.
// The next dialog waits `open_ms` of virtual time (timers tick meanwhile), then returns `path`
// as chosen, or cancels when path is nullopt. A dialog with no answer queued cancels at once.
void AnswerNextDialog(std::optional<std::string> path, std::int64_t open_ms = 0);
// The next dialog fails outright (without waiting).
void FailNextDialog();
// What the program asked of each dialog.
const std::vector<platform::FileRequest>& DialogLog();

// Runs while the next modal loop is open, with the modal window's handle; the loop ends when
// the window is destroyed (or, with nothing left to run, at once).
void OnNextModal(std::function<void(WindowHandle)> script);

// ---- Process.
struct ProgramEnded {
  int exit_code;
};  // thrown by EndProgram
bool ProgramHasEnded();
void SetLocaleLanguage(std::optional<std::string> english_name);  // nullopt: the query fails
void SetAnotherInstanceRunning(bool running);
void SetWaylandDesktop(bool wayland);
void SetAppFolder(std::string folder);
// Where the program keeps its settings; "" (at first): nowhere.
void SetSettingsPath(std::string path);
// A later copy's message to the listener the program set; false when none listens. Its answers,
// in the order given:
bool SendFromLaterCopy(const std::string& message);
const std::vector<std::string>& AnswersToLaterCopies();

// ---- Background work: at once, before RunInBackground returns, unless held; held work runs
// when the test says.
void HoldBackgroundWork(bool hold);
void RunHeldWork();

// ---- Files: the machine's own files, with steps that can be made to fail.
using platform::faults::FileStep;
// The next `times` calls of the step fail, as on a full or failing disk; -1: every later call
// until Reset.
void FailFileStep(FileStep step, int times = -1);
// Save targets are reported as files the user may not write to.
void DenyWritingTargets();
void ClearFileFailures();

}  // namespace sim
