// The main window shows the session's state and routes its controls to the session's commands.
#include "platform/input.h"
#include "window_fixture.h"

namespace {

using ShowsState = WindowTest;

TEST_F(ShowsState, EachStateHasItsWordColourAndIconAndIdleIsHome) {
  struct Step {
    const char* what;
    void (engine::Session::*command)();
    const char* word;
    ui::Color color;
    int icon;
  } const steps[] = {
      {"record", &engine::Session::ToggleRecording, "Rec", ui::kLightRed, 0},
      {"play during the recording", &engine::Session::TogglePlayback, "Play", ui::kLightBlue, 1},
      {"stop", &engine::Session::TogglePlayback, "Stop", ui::kLightBlue, 2},
  };
  Engine().switches.ToggleRepeat();
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    w->Move(300, 300);
    sim::Advance(5);
    (Session().*s.command)();
    EXPECT_EQ(StatusStrip().state_word.Caption(), s.word);
    EXPECT_EQ(StatusStrip().state_word.ForeColor(), s.color);
    EXPECT_EQ(StatusStrip().chronometer.ForeColor(), s.color);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(StatusStrip().state_icons[i].Visible(), i == s.icon) << i;
    const bool home = w->Left() == 0 && w->Top() == 0;
    EXPECT_EQ(home, s.icon == 2);
  }
}

TEST_F(ShowsState, StateIconsOutsideTheArrayChangeNothing) {
  w->ShowStateIcon(1);
  w->ShowStateIcon(3);
  w->ShowStateIcon(-1);
  EXPECT_FALSE(StatusStrip().state_icons[0].Visible());
  EXPECT_TRUE(StatusStrip().state_icons[1].Visible());
  EXPECT_FALSE(StatusStrip().state_icons[2].Visible());
}

TEST_F(ShowsState, TheChronometerCountsWithATrailingBlankAndKeepsItsReading) {
  StatusStrip().chronometer.SetCaption("01m 15s ");
  Session().ToggleRecording();
  EXPECT_EQ(StatusStrip().chronometer.Caption(), "00m 00s");
  sim::Advance(59'000);
  EXPECT_EQ(StatusStrip().chronometer.Caption(), "00m 59s ");
  sim::Advance(1000);
  EXPECT_EQ(StatusStrip().chronometer.Caption(), "01m 00s ");
  sim::Advance(15'000);
  Session().ToggleRecording();
  EXPECT_EQ(StatusStrip().chronometer.Caption(), "01m 15s ");
  EXPECT_EQ(StatusStrip().chronometer.ForeColor(), ui::kLightBlue);
  sim::Advance(5000);
  EXPECT_EQ(StatusStrip().chronometer.Caption(), "01m 15s ");
}

TEST_F(ShowsState, TheWindowIsOnTopFromTheStartAndEveryPollKeepsItThere) {
  EXPECT_TRUE(sim::Window(w->Handle()).topmost);  // before the first poll
  const int at_start = sim::Window(w->Handle()).topmost_calls;
  sim::Advance(300);
  EXPECT_TRUE(sim::Window(w->Handle()).topmost);
  EXPECT_EQ(sim::Window(w->Handle()).topmost_calls, at_start + 3);
}

TEST_F(ShowsState, AToggleClosesThePanelsButRecordingWhilePlayingDoesNot) {
  ClickOn(TitleRow().options_button);
  EXPECT_EQ(w->Height(), 2935);
  PressKey(platform::vk::kF8);
  EXPECT_EQ(w->Height(), 1000);
  PressKey(platform::vk::kF10);  // plays what was recorded
  ASSERT_EQ(Session().GetState(), engine::State::Playing);
  Engine().switches.ToggleRepeat();
  ClickOn(TitleRow().hotkeys_button);
  Session().ToggleRecording();
  EXPECT_EQ(w->Height(), 2050);
}

using RoutesControls = WindowTest;

TEST_F(RoutesControls, TheOptionsShowWhetherTheyAreOn) {
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().repeat.button);
  EXPECT_TRUE(Engine().Options().repeat);
  EXPECT_TRUE(TitleRow().repeat_indicator.Visible());
  EXPECT_TRUE(TimerPanel().end_frame.Visible());
  ClickOn(TitleRow().repeat_indicator);
  EXPECT_FALSE(Engine().Options().repeat);
  EXPECT_FALSE(TimerPanel().end_frame.Visible());
  const auto picture = [&] { return OptionsPanel().record_keyboard.button.drawn().id; };
  const auto off = picture();
  ClickOn(OptionsPanel().record_keyboard.button);
  EXPECT_TRUE(Engine().Options().record_keyboard);
  EXPECT_EQ(HotkeyPanel().keys_line.Caption(), "Keys recorded, not F8 F10 Esc F5 F6");
  EXPECT_NE(picture(), off);
  ClickOn(OptionsPanel().record_keyboard.button);
  EXPECT_EQ(HotkeyPanel().keys_line.Caption(), "Keys not recorded (see Options)");
  EXPECT_EQ(picture(), off);
}

// A click on a hotkey line (its key or its words), then a key: the panel shows the key in use,
// and its last line what came of the choice (the status line is under the panel), then which
// keys a keyboard recording leaves out.
TEST_F(RoutesControls, AHotkeyLineTakesTheNextKey) {
  const auto line_says = [&](const char* text, ui::Color color) {
    EXPECT_EQ(HotkeyPanel().keys_line.Caption(), text);
    EXPECT_EQ(HotkeyPanel().keys_line.ForeColor(), color);
  };
  ClickOn(TitleRow().hotkeys_button);
  ClickOn(HotkeyPanel().play.what);  // "Play | Stop"
  EXPECT_EQ(HotkeyPanel().play.key.Caption(), "?");
  line_says("Press a key; Esc keeps F10", ui::kLightBlue);
  PressKey(platform::vk::kF1 + 10);
  EXPECT_EQ(HotkeyPanel().play.key.Caption(), "F11");
  line_says("Chosen: F11", ui::kLightBlue);
  ClickOn(HotkeyPanel().load.key);  // "F5"
  PressKey(platform::vk::kF1 + 10);
  EXPECT_EQ(HotkeyPanel().load.key.Caption(), "F5");
  line_says("In use: F11", ui::kLightRed);
  ClickOn(HotkeyPanel().load.key);
  PressKey(platform::vk::kEscape);
  line_says("Kept: F5", ui::kLightBlue);
  sim::Advance(6500);
  line_says("Keys not recorded (see Options)", ui::kDarkGrey);
  Engine().switches.ToggleRecordKeyboard();
  line_says("Keys recorded, not F8 F11 Esc F5 F6", ui::kDarkGrey);
}

TEST_F(RoutesControls, SpeedClicksStepItAndTheCaptionShowsIt) {
  using platform::MouseButton;
  struct Step {
    bool on_caption;
    MouseButton button;
    const char* factor;
  } const steps[] = {{false, MouseButton::Left, "2"}, {true, MouseButton::Left, "4"},
                     {false, MouseButton::Left, "8"}, {true, MouseButton::Left, "8"},
                     {true, MouseButton::Right, "4"}, {false, MouseButton::Middle, "4"}};
  ClickOn(TitleRow().options_button);
  EXPECT_EQ(OptionsPanel().speed_caption.Caption(),
            "Speed \xC3\x97"
            "1");
  for (const Step& s : steps) {
    ClickOn(s.on_caption ? static_cast<ui::Control&>(OptionsPanel().speed_caption)
                         : static_cast<ui::Control&>(OptionsPanel().speed_button),
            s.button);
    EXPECT_EQ(OptionsPanel().speed_caption.Caption(), std::string("Speed \xC3\x97") + s.factor);
  }
  for (int i = 0; i < 8; ++i) ClickOn(OptionsPanel().speed_button, MouseButton::Right);
  EXPECT_EQ(OptionsPanel().speed_caption.Caption(), "Speed \xC3\x97\xC2\xBC");
}

// A click on an option's caption does what a click on its picture does.
TEST_F(RoutesControls, AnOptionsCaptionActsAsItsPicture) {
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().simulate_clicks.caption);
  ClickOn(OptionsPanel().repeat.caption);
  ClickOn(OptionsPanel().record_keyboard.caption);
  EXPECT_TRUE(Engine().Options().simulate_clicks);
  EXPECT_TRUE(Engine().Options().repeat);
  EXPECT_TRUE(Engine().Options().record_keyboard);
  EXPECT_TRUE(OptionsPanel().repeat.caption.hand);
  ClickOn(OptionsPanel().sequence.caption);
  EXPECT_EQ(SequencePanel().frame.Top(), 380);
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().single_timer.caption);
  EXPECT_EQ(TimerPanel().frame.Top(), 380);
}

// With nothing recorded the status line says how to begin, and what cannot be done says why.
TEST_F(RoutesControls, AFirstRunSaysWhatToDo) {
  const auto says = [&](const char* text, ui::Color color) {
    EXPECT_TRUE(StatusStrip().status_line.Visible());
    EXPECT_EQ(StatusStrip().status_line.Caption(), text);
    EXPECT_EQ(StatusStrip().status_line.ForeColor(), color);
  };
  says("F8: record", ui::kGrey);
  const std::function<void()> refused[] = {[&] { PressKey(platform::vk::kF10); },
                                           [&] { PressKey(platform::vk::kF6); },
                                           [&] {
                                             ClickOn(TitleRow().options_button);
                                             ClickOn(OptionsPanel().single_timer.button);
                                             ClickOn(TimerPanel().timer_switch);
                                           }};
  for (const auto& ask : refused) {
    ask();
    says("Nothing recorded", ui::kLightRed);
    EXPECT_EQ(Session().GetState(), engine::State::Idle);
    sim::Advance(6000);
    says("F8: record", ui::kGrey);
  }
  EXPECT_TRUE(sim::DialogLog().empty());
  PressKey(platform::vk::kF8);
  EXPECT_FALSE(StatusStrip().status_line.Visible());
  ToNextPoll();
  PressKey(platform::vk::kF8);
  EXPECT_EQ(Session().GetState(), engine::State::Idle);
  says("F10: play", ui::kGrey);  // something to play now
}

TEST_F(RoutesControls, TheTimerSwitchArmsAndClosesItsPanelARefusalLeavesItOpen) {
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().single_timer.button);
  ClickOn(TimerPanel().timer_switch);  // nothing recorded: refused
  EXPECT_FALSE(Engine().single_timer.Armed());
  EXPECT_EQ(TimerPanel().frame.Top(), 380);
  Session().SetRecording(Samples(3));
  ClickOn(TimerPanel().timer_switch);
  EXPECT_TRUE(Engine().single_timer.Armed());
  EXPECT_TRUE(TitleRow().timer_indicator.Visible());
  EXPECT_EQ(w->Height(), 1000);
  ClickOn(TitleRow().timer_indicator);  // the title row's indicator opens the panel again
  ClickOn(TimerPanel().timer_switch);
  EXPECT_FALSE(Engine().single_timer.Armed());
  EXPECT_FALSE(TitleRow().timer_indicator.Visible());
  EXPECT_EQ(w->Height(), 1000);
}

TEST_F(RoutesControls, TheCloseButtonEndsTheProgramLettingGoOfWhatThePlaybackHolds) {
  model::Recording r = Samples(5);
  r[0].code = model::kLeft + model::kPress;
  Session().SetRecording(r);
  Session().TogglePlayback();
  sim::Advance(2);
  EXPECT_THROW(ClickOn(TitleRow().close_button), sim::ProgramEnded);
  EXPECT_EQ(Clicks().back(), kLeftUp);
}

}  // namespace
