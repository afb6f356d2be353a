// The main window: a narrow borderless strip that shows the session's state and turns clicks
// and drops into its commands. It holds no state of the program's own: the session does.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "engine/session.h"
#include "engine/view.h"
#include "model/time_of_day.h"
#include "platform/timer.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "window/click_indicator.h"
#include "window/texts.h"

namespace window {

class MainWindow : public ui::Form, public engine::View {
 public:
  // Builds every control as designed, and shows the session from now on.
  explicit MainWindow(engine::Session& session);
  ~MainWindow() override { session_.SetView(nullptr); }
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

  // Shows icon `index` of the state icons (recording, playing, stopped); others change nothing.
  void ShowStateIcon(int index);

 protected:
  void OnResize() override;
  // Keeps the window out of the pointer's way while recording or playing.
  void OnBackgroundMove(int button, int shift, int x, int y) override;
  void OnCloseRequest() override { session_.Close(); }

 private:
  // Layout (main_window_layout.cpp).
  void BuildTitleRow();
  void BuildStatusStrip();
  void BuildHotkeyPanel();
  void BuildOptionsPanel();
  void BuildTimerPanel();
  void BuildSequencePanel();
  void ConnectHandlers();
  void ApplyLanguage();

  // Panels and corners (panels.cpp).
  void ClosePanels();
  void TogglePanel(ui::Frame& panel, std::initializer_list<ui::Frame*> others);
  void ToggleTimerPanel();
  void ToggleSequencePanel();
  // To the primary monitor's top-left corner, where the window starts and rests while idle.
  void MoveHome();

  // Drawing the session's state.
  void ShowState();
  void ShowChronometer();
  void ShowStatusLine();
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

  // Time fields (time_fields.cpp): 0, 1, 4 hours; 2, 3, 5 minutes.
  void StepTimeField(int index, int button);
  void TimeFieldDown(int index, int button);
  void TimeFieldUp(int index);
  void StepHeldField();

  // Sequence list.
  void AddToList(const std::string& path);
  void RemoveFromList();
  void ShowSelectedEntry();
  void DropOnList(const platform::DropEvent& e);
  void DropOnStatusStrip(const platform::DropEvent& e);

  engine::Session& session_;

  // ---- Title row.
  ui::Label title_;
  ui::Image timer_indicator_, sequence_indicator_, repeat_indicator_, simulate_indicator_;
  ui::Image options_button_, hotkeys_button_, close_button_;
  ui::Shape border_;

  // ---- Status strip.
  ui::Frame status_strip_;
  std::array<ui::Image, 3> state_icons_;  // recording, playing, stopped
  ui::Label state_word_;
  ui::Label chronometer_;
  ui::Label status_line_;

  // ---- Panels.
  ui::Frame hotkey_panel_, options_panel_, timer_panel_, sequence_panel_;
  std::array<ui::Label, 4> panel_titles_;  // options, timer, keyboard, sequence
  std::array<ui::Line, 4> panel_lines_;
  std::array<ui::Label, 10> hotkey_labels_;
  ui::Label keys_line_;  // whether and which keys a recording takes
  ui::Image simulate_option_, repeat_option_, timer_option_, sequence_option_, keyboard_option_;
  std::array<ui::Label, 5> option_captions_;
  ui::Image speed_button_;
  ui::Label speed_caption_;
  std::array<ui::Label, 8> time_labels_;  // 4 and 5 do not exist in the design
  std::array<ui::Label, 6> time_fields_;
  ui::Frame end_time_row_;
  ui::Image timer_switch_;
  ui::Image add_button_, remove_button_;
  ui::ListBox sequence_list_;
  ui::Frame entry_time_row_;
  ui::Image sequence_switch_;

  // Holding a time field steps it ten times a second from the fifth tick on.
  platform::Timer step_timer_{100, [this] { StepHeldField(); }};
  int held_field_ = 0;
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
