// The main window shows the session's state and routes its controls to the session's commands.
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
  Session().ToggleRepeat();
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    w->Move(300, 300);
    sim::Advance(5);
    (Session().*s.command)();
    EXPECT_EQ(Label("LBInfo").Caption(), s.word);
    EXPECT_EQ(Label("LBInfo").ForeColor(), s.color);
    EXPECT_EQ(Label("LBTempo").ForeColor(), s.color);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Image("ImMenu", i).Visible(), i == s.icon) << i;
    const bool home = w->Left() == 0 && w->Top() == 0;
    EXPECT_EQ(home, s.icon == 2);
  }
}

TEST_F(ShowsState, StateIconsOutsideTheArrayChangeNothing) {
  w->ShowStateIcon(1);
  w->ShowStateIcon(3);
  w->ShowStateIcon(-1);
  EXPECT_FALSE(Image("ImMenu", 0).Visible());
  EXPECT_TRUE(Image("ImMenu", 1).Visible());
  EXPECT_FALSE(Image("ImMenu", 2).Visible());
}

TEST_F(ShowsState, TheChronometerCountsWithATrailingBlankAndKeepsItsReading) {
  Label("LBTempo").SetCaption("01m 15s ");
  Session().ToggleRecording();
  EXPECT_EQ(Label("LBTempo").Caption(), "00m 00s");
  sim::Advance(59'000);
  EXPECT_EQ(Label("LBTempo").Caption(), "00m 59s ");
  sim::Advance(1000);
  EXPECT_EQ(Label("LBTempo").Caption(), "01m 00s ");
  sim::Advance(15'000);
  Session().ToggleRecording();
  EXPECT_EQ(Label("LBTempo").Caption(), "01m 15s ");
  EXPECT_EQ(Label("LBTempo").ForeColor(), ui::kLightBlue);
  sim::Advance(5000);
  EXPECT_EQ(Label("LBTempo").Caption(), "01m 15s ");
}

TEST_F(ShowsState, TheWindowIsOnTopFromTheStartAndEveryPollKeepsItThere) {
  EXPECT_TRUE(sim::Window(w->Handle()).topmost);  // before the first poll
  const int at_start = sim::Window(w->Handle()).topmost_calls;
  sim::Advance(300);
  EXPECT_TRUE(sim::Window(w->Handle()).topmost);
  EXPECT_EQ(sim::Window(w->Handle()).topmost_calls, at_start + 3);
}

TEST_F(ShowsState, AToggleClosesThePanelsButRecordingWhilePlayingDoesNot) {
  ClickOn(Image("ImOp"));
  EXPECT_EQ(w->Height(), 2650);
  PressKey(platform::vk::kF8);
  EXPECT_EQ(w->Height(), 1000);
  PressKey(platform::vk::kF10);  // plays what was recorded
  ASSERT_EQ(Session().GetState(), engine::State::Playing);
  Session().ToggleRepeat();
  ClickOn(Image("ImInfo"));
  Session().ToggleRecording();
  EXPECT_EQ(w->Height(), 2050);
}

using RoutesControls = WindowTest;

TEST_F(RoutesControls, TheOptionsShowWhetherTheyAreOn) {
  ClickOn(Image("ImOp"));
  ClickOn(Image("ImRepetir", 0));
  EXPECT_TRUE(Session().GetOptions().repeat);
  EXPECT_TRUE(Image("ImRepetir", 1).Visible());
  EXPECT_TRUE(Frame("FrFinalizar").Visible());
  ClickOn(Image("ImRepetir", 1));
  EXPECT_FALSE(Session().GetOptions().repeat);
  EXPECT_FALSE(Frame("FrFinalizar").Visible());
  const auto picture = [&] { return Image("ImTeclado", 0).drawn().id; };
  const auto off = picture();
  ClickOn(Image("ImTeclado", 0));
  EXPECT_TRUE(Session().GetOptions().record_keyboard);
  EXPECT_EQ(Label("LBTeclas").Caption(), "Other keys are recorded, but Esc");
  EXPECT_NE(picture(), off);
  ClickOn(Image("ImTeclado", 0));
  EXPECT_EQ(Label("LBTeclas").Caption(), "Keys not recorded (see Options)");
  EXPECT_EQ(picture(), off);
}

// A click on a hotkey line (its key or its words), then a key: the panel shows the key in use.
TEST_F(RoutesControls, AHotkeyLineTakesTheNextKey) {
  ClickOn(Image("ImInfo"));
  ClickOn(Label("LB", 1));  // "Play | Stop"
  EXPECT_EQ(Label("LB", 5).Caption(), "?");
  EXPECT_EQ(Label("LBMsg").Caption(), "Press a key (Esc: none)");
  PressKey(platform::vk::kF1 + 10);
  EXPECT_EQ(Label("LB", 5).Caption(), "F11");
  ClickOn(Label("LB", 6));  // "F5"
  PressKey(platform::vk::kF1 + 10);
  EXPECT_EQ(Label("LB", 6).Caption(), "F5");
  EXPECT_EQ(Label("LBMsg").Caption(), "In use: F11");
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
  ClickOn(Image("ImOp"));
  EXPECT_EQ(Label("LBVelocidad").Caption(),
            "Speed \xC3\x97"
            "1");
  for (const Step& s : steps) {
    ClickOn(s.on_caption ? static_cast<ui::Control&>(Label("LBVelocidad"))
                         : static_cast<ui::Control&>(Image("ImVelocidad")),
            s.button);
    EXPECT_EQ(Label("LBVelocidad").Caption(), std::string("Speed \xC3\x97") + s.factor);
  }
  for (int i = 0; i < 8; ++i) ClickOn(Image("ImVelocidad"), MouseButton::Right);
  EXPECT_EQ(Label("LBVelocidad").Caption(), "Speed \xC3\x97\xC2\xBC");
}

// A click on an option's caption does what a click on its picture does.
TEST_F(RoutesControls, AnOptionsCaptionActsAsItsPicture) {
  ClickOn(Image("ImOp"));
  ClickOn(Label("LBOp", 0));
  ClickOn(Label("LBOp", 1));
  ClickOn(Label("LBOp", 4));
  EXPECT_TRUE(Session().GetOptions().simulate_clicks);
  EXPECT_TRUE(Session().GetOptions().repeat);
  EXPECT_TRUE(Session().GetOptions().record_keyboard);
  EXPECT_TRUE(Label("LBOp", 1).hand);
  ClickOn(Label("LBOp", 3));
  EXPECT_EQ(Frame("frSec").Top(), 380);
  ClickOn(Image("ImOp"));
  ClickOn(Label("LBOp", 2));
  EXPECT_EQ(Frame("FrTempo").Top(), 380);
}

// With nothing recorded the status line says how to begin, and what cannot be done says why.
TEST_F(RoutesControls, AFirstRunSaysWhatToDo) {
  const auto says = [&](const char* text, ui::Color color) {
    EXPECT_TRUE(Label("LBMsg").Visible());
    EXPECT_EQ(Label("LBMsg").Caption(), text);
    EXPECT_EQ(Label("LBMsg").ForeColor(), color);
  };
  says("F8: record", ui::kGrey);
  const std::function<void()> refused[] = {[&] { PressKey(platform::vk::kF10); },
                                           [&] { PressKey(platform::vk::kF6); },
                                           [&] {
                                             ClickOn(Image("ImOp"));
                                             ClickOn(Image("ImTempo", 0));
                                             ClickOn(Image("ImTempoOnOff"));
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
  EXPECT_FALSE(Label("LBMsg").Visible());
  sim::Advance(50);
  PressKey(platform::vk::kF8);
  EXPECT_FALSE(Label("LBMsg").Visible());  // something to play now
}

TEST_F(RoutesControls, TheTimerSwitchArmsAndClosesItsPanelARefusalLeavesItOpen) {
  ClickOn(Image("ImOp"));
  ClickOn(Image("ImTempo", 0));
  ClickOn(Image("ImTempoOnOff"));  // nothing recorded: refused
  EXPECT_FALSE(Session().GetSingleTimer().Armed());
  EXPECT_EQ(Frame("FrTempo").Top(), 380);
  Session().SetRecording(Samples(3));
  ClickOn(Image("ImTempoOnOff"));
  EXPECT_TRUE(Session().GetSingleTimer().Armed());
  EXPECT_TRUE(Image("ImTempo", 1).Visible());
  EXPECT_EQ(w->Height(), 1000);
  ClickOn(Image("ImTempo", 1));  // the title row's indicator opens the panel again
  ClickOn(Image("ImTempoOnOff"));
  EXPECT_FALSE(Session().GetSingleTimer().Armed());
  EXPECT_FALSE(Image("ImTempo", 1).Visible());
  EXPECT_EQ(w->Height(), 1000);
}

TEST_F(RoutesControls, TheCloseButtonEndsTheProgramLettingGoOfWhatThePlaybackHolds) {
  model::Recording r = Samples(5);
  r[0].code = model::kLeft + model::kPress;
  Session().SetRecording(r);
  Session().TogglePlayback();
  sim::Advance(2);
  EXPECT_THROW(ClickOn(Image("ImCerrar")), sim::ProgramEnded);
  EXPECT_EQ(Clicks().back(), kLeftUp);
}

}  // namespace
