// The main window's controls, grouped as they show: the title row, the status strip and the four
// panels. Plain data; main_window_layout.cpp places them and main_window.cpp gives them their
// handlers.
#pragma once

#include <array>

#include "ui/controls.h"

namespace window {

struct TitleRow {
  ui::Label title;
  // Shown while the option or mode is on; a click acts as the option's own button.
  ui::Image timer_indicator, sequence_indicator, repeat_indicator, simulate_indicator;
  ui::Image options_button, hotkeys_button, close_button;
  ui::Shape border;  // around the whole window
};

// The status strip's state icons, in their array's order.
enum class StateIcon { Recording, Playing, Stopped };

struct StatusStrip {
  ui::Frame frame;
  std::array<ui::Image, 3> state_icons;  // one shows, by StateIcon
  ui::Label state_word;
  ui::Label chronometer;
  ui::Label status_line;
};

// What every panel has: its frame, its title and the rule under the title.
struct PanelControls {
  ui::Frame frame;
  ui::Label title;
  ui::Line rule;
};

// A command's line on the hotkey panel: its key on the left, what it does on the right.
struct HotkeyLine {
  ui::Label key, what;
};

struct HotkeyPanel : PanelControls {
  HotkeyLine record, play, stop, load, save;
  ui::Label keys_line;  // whether and which keys a recording takes
};

// An option's picture button and its caption, which acts as the button does.
struct Option {
  ui::Image button;
  ui::Label caption;
};

struct OptionsPanel : PanelControls {
  Option simulate_clicks, repeat, single_timer, sequence, record_keyboard, wait_for_screen;
  ui::Image speed_button;
  ui::Label speed_caption;
};

// "Initial:  12 : 00": the two fields step the hour and the minute.
struct TimeRow {
  ui::Label caption, hour, colon, minute;
};

struct TimerPanel : PanelControls {
  TimeRow start;
  ui::Frame end_frame;  // shown while repeat is on
  TimeRow end;
  ui::Image timer_switch;
};

struct SequencePanel : PanelControls {
  ui::Image add_button, remove_button;
  ui::ListBox list;
  ui::Frame entry_frame;  // shown while the list has entries
  TimeRow entry;          // the selected entry's time, or the time the next one starts with
  ui::Image sequence_switch;
};

}  // namespace window
