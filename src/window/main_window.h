// The main window: a narrow borderless strip that shows the engine's state and turns clicks
// and drops into its commands. It holds no state of the program's own: the engine does.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/engine.h"
#include "engine/view.h"
#include "model/time_of_day.h"
#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/timer.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "window/click_indicator.h"
#include "window/main_window_controls.h"
#include "window/texts.h"

// The window tests' fixture, which reaches the controls.
class WindowTest;

namespace window {

class MainWindow : public ui::Form, public engine::View {
 public:
  // Builds every control as designed, and shows the engine from now on.
  explicit MainWindow(engine::Engine& engine);
  ~MainWindow() override { engine_.SetView(nullptr); }
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  // The start-up before the window first shows: language, effects, collapsed in the home corner.
  void StartUp();

  Language GetLanguage() const { return language_; }
  // The click indicator while it exists.
  const ClickIndicator* GetClickIndicator() const { return click_indicator_.get(); }

  // engine::View
  void Show(engine::Change what) override;
  void AskForFile(engine::FileDialog which) override;
  using ui::Form::Show;

  // Shows state icon `index` (a StateIcon) alone; others change nothing.
  void ShowStateIcon(int index);

 protected:
  void OnResize() override;
  // Keeps the window out of the pointer's way while recording or playing; while idle the title
  // row's background drags the window.
  void OnBackgroundMove(int button, int shift, int x, int y) override;
  void OnBackgroundDown(int button, int shift, int x, int y) override;
  void OnBackgroundUp(int button, int shift, int x, int y) override;
  void OnCloseRequest() override { engine_.Close(); }

 private:
  friend class ::WindowTest;

  // At most one panel is open, in place of the status strip.
  enum class Panel { None, Hotkeys, Options, Timer, Sequence };
  // A time field: the time it steps, and whether its hour or its minute.
  enum class TimeKind { TimerStart, TimerEnd, Entry };
  struct TimeField {
    TimeKind kind = TimeKind::TimerStart;
    bool hour = true;
  };

  // Layout (main_window_layout.cpp).
  void BuildTitleRow();
  void BuildStatusStrip();
  void BuildHotkeyPanel();
  void BuildOptionsPanel();
  void BuildTimerPanel();
  void BuildSequencePanel();
  void ConnectHandlers();
  void ConnectTitleRow();
  void ConnectOptions();
  void ConnectTimeFields();
  void ConnectSequencePanel();
  void ApplyLanguage();

  // Panels and corners (panels.cpp).
  void ClosePanels();
  // Opens the panel, or closes it if open.
  void TogglePanel(Panel panel);
  // Puts the open panel in place of the status strip, the others out of sight, and sizes the
  // window to show it.
  void PlacePanels();
  void ToggleTimerPanel();
  void ToggleSequencePanel();
  // Where the window starts and rests while idle: the place the user dragged it to when that is
  // all on the primary monitor, else that monitor's top-left corner.
  void MoveHome();
  // The window's size at home, collapsed, in pixels.
  platform::Point HomeSize() const;
  // Dragging the title row while idle moves the window (moving.cpp): a press starts it, moves
  // of more than a few pixels with the button held carry the window, the release keeps the place.
  // `at`: the press, in twips from the window's top-left corner.
  void DragDown(int button, platform::Point at);
  void DragMove(int buttons);
  void DragUp();
  // A drag ended just now: the click its release makes does nothing.
  bool TakeDragged() { return std::exchange(dragged_, false); }

  // Drawing the engine's state.
  void ShowState();
  void ShowChronometer();
  void ShowStatusLine();
  // The hotkey panel's last line: while a key is chosen and a moment after, what the status line
  // says of it (the panel hides the status line); else which keys a recording leaves out.
  void ShowKeysLine();
  // What the status line shows while the engine's status is visible, and whether in light red.
  std::string StatusCaption() const;
  bool StatusFailed() const;
  // The keys in use on the hotkey panel; the line whose key is being chosen shows "?".
  void ShowHotkeys();
  void ShowOptions();
  void ShowTimeFields();
  void ShowAbout();
  // The file dialog, with the hotkeys paused while it shows; nullopt when cancelled or failed.
  std::optional<std::string> ChooseFile(engine::FileDialog which);
  // Answers the session's AskForFile.
  void AnswerAskedFile(engine::FileDialog which);
  ClickIndicator& Indicator();

  // Time fields (time_fields.cpp).
  void StepTimeField(TimeField field, int button);
  void TimeFieldDown(TimeField field, int button);
  void TimeFieldUp(TimeField field);
  void StepHeldField();

  // Sequence list: it shows the sequence's entries.
  void ShowSequenceList();
  void RemoveSelectedEntry();
  void ShowSelectedEntry();
  void DropOnList(const platform::DropEvent& e);
  void DropOnStatusStrip(const platform::DropEvent& e);

  engine::Engine& engine_;

  // A drag of the title row: where the pointer and the window were at the press, in twips.
  bool drag_pressed_ = false;
  bool dragged_ = false;
  platform::Point drag_cursor_;
  platform::Point drag_window_;
  platform::Point drag_to_;  // where the drag put the window

  // The controls (main_window_controls.h).
  TitleRow title_row_;
  StatusStrip status_strip_;
  HotkeyPanel hotkey_panel_;
  OptionsPanel options_panel_;
  TimerPanel timer_panel_;
  SequencePanel sequence_panel_;
  Panel open_panel_ = Panel::None;  // what the window shows, not the session's state

  // Holding a time field steps it ten times a second from the fifth tick on.
  platform::Timer step_timer_{100, [this] { StepHeldField(); }};
  TimeField held_field_;
  int held_button_ = 0;
  int held_ticks_ = 0;
  // The time shown in the entry's fields: the selected entry's, or one not yet given to any.
  model::HourMinute entry_time_;

  Language language_ = Language::English;
  int collapsed_height_ = 0;
  // What the window last drew, to tell which way the state went.
  engine::State shown_state_ = engine::State::Idle;
  std::unique_ptr<ClickIndicator> click_indicator_;
  ui::Form* about_ = nullptr;  // the About window while it shows
};

}  // namespace window
