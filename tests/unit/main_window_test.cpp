// The main window as designed and as the start-up leaves it.
#include <algorithm>
#include <memory>

#include "app/app.h"
#include "window_fixture.h"

namespace {

// A window as designed, before its start-up.
class MainWindowDesign : public WindowTest {
 protected:
  MainWindowDesign() {
    DropWindow();
    sim::Reset();
    NewWindow();
  }
};

TEST_F(MainWindowDesign, OnlyTheStoppedIconShowsAndNoIndicator) {
  EXPECT_FALSE(StatusStrip().state_icons[0].Visible());
  EXPECT_FALSE(StatusStrip().state_icons[1].Visible());
  EXPECT_TRUE(StatusStrip().state_icons[2].Visible());
  const window::TitleRow& r = TitleRow();
  for (const ui::Image* i :
       {&r.timer_indicator, &r.sequence_indicator, &r.repeat_indicator, &r.simulate_indicator})
    EXPECT_FALSE(i->Visible()) << i - &r.timer_indicator;
  EXPECT_FALSE(StatusStrip().status_line.Visible());
  EXPECT_FALSE(TimerPanel().end_frame.Visible());
  EXPECT_FALSE(SequencePanel().entry_frame.Visible());
  EXPECT_EQ(List().Count(), 0);
}

TEST_F(MainWindowDesign, OnlyTheKeyPollerRuns) {
  ASSERT_EQ(sim::ActiveTimers().size(), 1u);
  EXPECT_EQ(sim::ActiveTimers()[0].interval_ms, 100);
}

TEST_F(MainWindowDesign, PanelsLieBelowTheCollapsedWindowInTheirStackingOrder) {
  window::MainWindow& f = *w;
  f.StartUp();
  ui::Frame* panels[] = {&HotkeyPanel().frame, &OptionsPanel().frame, &TimerPanel().frame,
                         &SequencePanel().frame};
  for (ui::Frame* p : panels) {
    EXPECT_GE(p->Top(), f.Height()) << p - panels[0];
    EXPECT_EQ(p->Left(), 120);
    EXPECT_EQ(p->Width(), 2480);
    EXPECT_EQ(p->Height(), p == &OptionsPanel().frame ? 2535 : 1650);
  }
  // An open panel lies above the status strip.
  const auto& z = f.Children();
  const auto pos = [&](const ui::Control& c) {
    return std::find(z.begin(), z.end(), &c) - z.begin();
  };
  for (ui::Frame* p : panels) EXPECT_GT(pos(*p), pos(StatusStrip().frame));
}

TEST_F(MainWindowDesign, OptionAndTimeRowsStandWhereDesigned) {
  struct Where {
    const char* what;
    const ui::Control& c;
    const ui::Container* in;
    int left, top;
  };
  window::TimerPanel& timer = TimerPanel();
  window::SequencePanel& sequence = SequencePanel();
  for (const Where& w :
       {Where{"start hour", timer.start.hour, &timer.frame, 1800, 360},
        Where{"start colon", timer.start.colon, &timer.frame, 2040, 360},
        Where{"end minute", timer.end.minute, &timer.end_frame, 1965, 0},
        Where{"entry colon", sequence.entry.colon, &sequence.entry_frame, 1320, 120},
        Where{"entry minute", sequence.entry.minute, &sequence.entry_frame, 1365, 120}}) {
    EXPECT_EQ(w.c.Parent(), w.in) << w.what;
    EXPECT_EQ(w.c.Left(), w.left) << w.what;
    EXPECT_EQ(w.c.Top(), w.top) << w.what;
  }
  for (const window::TimeRow* row : {&timer.start, &timer.end, &sequence.entry}) {
    EXPECT_TRUE(row->hour.hand);
    EXPECT_TRUE(row->minute.hand);
    EXPECT_EQ(row->hour.Caption(), "12");
    EXPECT_EQ(row->minute.Caption(), "00");
  }
}

using StartUp = MainWindowDesign;

TEST_F(StartUp, CollapsedAtTheTopLeftWhateverTheDesign) {
  window::MainWindow& f = *w;
  EXPECT_EQ(f.Height(), 7575);
  f.StartUp();
  EXPECT_EQ(f.Left(), 0);
  EXPECT_EQ(f.Top(), 0);
  EXPECT_EQ(f.Width(), 2670);
  EXPECT_EQ(f.Height(), 1000);
  const auto b = sim::Window(f.Handle()).bounds;
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 0);
  EXPECT_EQ(b.width, 178);
  EXPECT_EQ(b.height, 66);
  EXPECT_EQ(sim::Window(f.Handle()).title, "Tapwright");
  // The border frames the whole window.
  const auto& border = TitleRow(f).border;
  EXPECT_EQ(border.Left(), 0);
  EXPECT_EQ(border.Width(), 2670);
  EXPECT_EQ(border.Height(), 1000);
}

TEST_F(StartUp, TranslucentWithAShadowAndAnEmptyRecording) {
  w->StartUp();
  const auto& s = sim::Window(w->Handle());
  EXPECT_EQ(s.alpha, 237);
  EXPECT_TRUE(sim::HasDropShadow(w->Handle()));
  EXPECT_TRUE(Session().GetRecording().empty());
  EXPECT_EQ(Session().GetState(), engine::State::Idle);
}

TEST_F(StartUp, ASecondCopyEndsWithoutAWindow) {
  sim::SetAnotherInstanceRunning(true);
  DropWindow();
  EXPECT_EQ(app::Run({}), 0);
  EXPECT_TRUE(sim::Windows().empty());
}

TEST_F(StartUp, HelpVersionAndUsageErrorsEndWithoutAWindow) {
  DropWindow();
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{"--help"}, 0}, {{"--version"}, 0}, {{"--bogus"}, 2}, {{"--play"}, 2}};
  for (const auto& [args, exit_code] : cases) {
    EXPECT_EQ(app::Run(args), exit_code) << args[0];
    EXPECT_TRUE(sim::Windows().empty()) << args[0];
  }
  // A file that cannot be played ends the program with its own code.
  try {
    app::Run({"--play", "missing.tpw"});
    ADD_FAILURE() << "the program went on";
  } catch (const sim::ProgramEnded& e) {
    EXPECT_EQ(e.exit_code, 1);
  }
}

TEST_F(StartUp, TheStatusStripIsPainted) {
  window::MainWindow& f = *w;
  f.StartUp();
  f.Show();
  const auto ops = sim::Paint(f.Handle());
  const auto drawn = [&](const char* text, ui::Color color) {
    return std::any_of(ops.begin(), ops.end(), [&](const sim::DrawOp& op) {
      return op.kind == sim::DrawOp::Kind::Text && op.text == text && op.color == color &&
             op.clip.width > 0 && op.clip.height > 0 && op.rect.top + op.rect.height <= 66;
    });
  };
  EXPECT_TRUE(drawn("Tapwright", ui::kGrey));
  EXPECT_TRUE(drawn("Stop", ui::kLightBlue));
  EXPECT_TRUE(drawn("00m 00s", ui::kLightBlue));
  EXPECT_FALSE(drawn("Load:", ui::kGrey));  // hidden
  const auto picture = std::count_if(ops.begin(), ops.end(), [](const sim::DrawOp& op) {
    return op.kind == sim::DrawOp::Kind::Picture && op.clip.width > 0;
  });
  EXPECT_GE(picture, 4);  // options, information, close, stopped state
}

TEST_F(StartUp, PicturesAreDrawnForTheScreensScale) {
  for (const auto& [twips_per_pixel, pixels] : {std::pair{15.0, 16}, {10.0, 24}, {7.5, 32}}) {
    sim::SetScreen(1920, 1080, twips_per_pixel);  // 96, 144 and 192 DPI
    window::MainWindow f(Engine());
    f.StartUp();
    f.Show();
    int pictures = 0;
    for (const auto& op : sim::Paint(f.Handle())) {
      if (op.kind != sim::DrawOp::Kind::Picture) continue;
      ++pictures;
      EXPECT_EQ(op.rect.width, pixels) << twips_per_pixel;
      EXPECT_EQ(op.rect.height, pixels) << twips_per_pixel;
    }
    EXPECT_GE(pictures, 4) << twips_per_pixel;
  }
}

TEST_F(StartUp, ClosingEndsTheProgramAtOnce) {
  window::MainWindow& f = *w;
  f.StartUp();
  f.Show();
  sim::Advance(250);
  // The close button sits at (2400, 30) twips: pixel (160, 2) and on.
  EXPECT_THROW(sim::Click(165, 8), sim::ProgramEnded);
  EXPECT_TRUE(sim::ProgramHasEnded());
  EXPECT_TRUE(sim::ActiveTimers().empty());
}

using Resize = MainWindowDesign;

TEST_F(Resize, AGrowingWindowIsLiftedToStayOnScreen) {
  sim::SetScreen(1024, 768);
  window::MainWindow f(Engine());
  f.StartUp();
  const int screen_h = 768 * 15;
  f.SetTop(screen_h - 1500);
  f.SetHeight(2050);
  EXPECT_EQ(f.Top(), screen_h - 2050);
  EXPECT_EQ(TitleRow(f).border.Height(), 2050);
  f.SetHeight(1000);
  EXPECT_EQ(f.Top(), screen_h - 2050);  // shrinking leaves it where it is
}

}  // namespace
