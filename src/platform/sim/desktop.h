// The simulated desktop's state, shared by the platform side and the test-driving side.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "platform/sim/sim.h"

namespace sim::detail {

struct Timer {
  int interval;
  std::int64_t start;
  std::int64_t next_due;
  bool running = false;
  std::shared_ptr<std::function<void()>> tick;
};

struct Key {
  bool down = false;
  bool pressed_since = false;
};

struct DialogAnswer {
  std::optional<std::string> path;
  std::int64_t open_ms = 0;
  bool fail = false;
};

struct Desktop {
  std::int64_t now = 0;
  std::int64_t clock_base_seconds = std::int64_t{12} * 3600;
  std::map<platform::TimerId, Timer> timers;
  platform::TimerId next_timer = 1;
  std::deque<std::function<void()>> posted;
  std::vector<std::function<void()>> at_next_do_events;
  std::int64_t do_events_calls = 0;

  int screen_w = 1920, screen_h = 1080;
  int primary_x = 0, primary_y = 0;
  double tpp = 15;
  platform::Rect virtual_screen{0, 0, 1920, 1080};
  std::vector<std::pair<platform::Rect, std::uint32_t>> painted;  // oldest first
  std::vector<platform::TopWindow> foreign_windows;               // bottom first
  bool fail_capture = false;

  platform::Point cursor;
  bool fail_cursor = false;
  std::map<int, Key> keys;
  std::vector<InputEvent> input_log;
  WindowHandle captured = 0;  // the window that got the last button press
  bool events_given = false;
  bool events_with_position = false;
  bool watching_events = false;
  bool screen_with_presses = false;  // whether the desktop can read it as a press comes
  int screen_side = 0;               // and the square each press carries; 0: none
  std::vector<platform::InputEvent> input_events;  // kept for TakeInputEvents
  int wheel_step = 1;
  std::int64_t next_event_skew_us = 0;
  std::vector<int> taken_keys;  // TakeHotkeys'
  int take_hotkeys_calls = 0;
  std::function<void()> on_hotkey;
  bool hotkey_presses_told = false;

  std::map<WindowHandle, WindowState> windows;
  std::vector<WindowHandle> z_order;  // bottom first
  WindowHandle next_window = 0x1000;
  bool drop_shadow = false;  // as Windows keeps it: one for all the program's windows
  platform::Picture hand;

  std::deque<DialogAnswer> answers;
  std::vector<platform::FileRequest> dialogs;
  std::deque<std::function<void(WindowHandle)>> modal_scripts;

  bool ended = false;
  std::optional<std::string> language = std::string("English");
  bool another_instance = false;
  bool wayland = false;
  std::string settings_path;  // "": none
  platform::CopyMessageHandler copy_listener;
  std::vector<std::string> copy_answers;
  std::string app_folder = "C:\\Program Files\\Tapwright";

  std::map<FileStep, int> failing_files;  // the calls left to fail; -1: all
  bool deny_writing = false;

  bool hold_work = false;
  std::vector<std::function<void()>> held_work;
};

Desktop& D();
WindowState& W(WindowHandle w);
WindowState* Find(WindowHandle w);
void Restack();
void BringToTop(WindowHandle w);
void FireTimer(platform::TimerId id);
std::optional<platform::TimerId> NextDue(std::int64_t until);
void Deliver(WindowHandle w, const platform::MouseEvent& e);
int HeldButtons();
int VkOf(platform::MouseButton b);
void SendMove();
void SendButton(platform::MouseButton b, bool down, bool dbl);
// Keeps a hand's input event, now and where the cursor is, while the program watches for them.
void KeepInputEvent(platform::InputEvent::Kind kind, platform::MouseButton b,
                    platform::WheelAxis axis = platform::WheelAxis::Vertical, int delta = 0,
                    int vk = 0);

}  // namespace sim::detail
