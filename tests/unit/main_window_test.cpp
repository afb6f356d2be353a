// The main window as designed and as the start-up leaves it.
#include <algorithm>
#include <memory>

#include "shell/app.h"
#include "shell/form1.h"
#include "sim_fixture.h"

namespace {

using tapwright::Form1;

using MainWindowDesign = SimTest;

TEST_F(MainWindowDesign, OnlyTheStoppedIconShowsAndNoIndicator) {
  Form1 f;
  EXPECT_FALSE(f.ImMenu[0].Visible());
  EXPECT_FALSE(f.ImMenu[1].Visible());
  EXPECT_TRUE(f.ImMenu[2].Visible());
  for (ui::Image* i : {&f.ImTempo[1], &f.ImSec[1], &f.ImRepetir[1], &f.ImSimular[1]})
    EXPECT_FALSE(i->Visible()) << i->name;
  EXPECT_FALSE(f.LBMsg.Visible());
  EXPECT_FALSE(f.FrFinalizar.Visible());
  EXPECT_FALSE(f.frSecTime.Visible());
  EXPECT_EQ(f.Lista.ListCount(), 0);
}

TEST_F(MainWindowDesign, OnlyTheKeyPollerRuns) {
  Form1 f;
  EXPECT_TRUE(f.tmrKeys.Enabled());
  for (ui::Timer* t :
       {&f.TmrRaton, &f.tmrPLAY, &f.TmrCrono, &f.tmrInfo, &f.tmrSec, &f.tmrAuto, &f.tmrPulsador})
    EXPECT_FALSE(t->Enabled());
  ASSERT_EQ(sim::ActiveTimers().size(), 1u);
  EXPECT_EQ(sim::ActiveTimers()[0].interval_ms, 100);
  EXPECT_EQ(f.TmrRaton.Interval(), 1);
  EXPECT_EQ(f.tmrPLAY.Interval(), 1);
  EXPECT_EQ(f.tmrPulsador.Interval(), 100);
  for (ui::Timer* t : {&f.TmrCrono, &f.tmrInfo, &f.tmrSec, &f.tmrAuto})
    EXPECT_EQ(t->Interval(), 1000);
}

TEST_F(MainWindowDesign, PanelsLieBelowTheCollapsedWindowInTheirStackingOrder) {
  Form1 f;
  f.Form_Load();
  for (ui::Frame* p : {&f.FrInfo, &f.frOptions, &f.FrTempo, &f.frSec}) {
    EXPECT_GE(p->Top(), f.Height()) << p->name;
    EXPECT_EQ(p->Left(), 120);
    EXPECT_EQ(p->Width(), 2480);
    EXPECT_EQ(p->Height(), p == &f.frOptions ? 2250 : 1650);
  }
  // An open panel lies above the status strip.
  const auto& z = f.Children();
  const auto pos = [&](const ui::Control& c) {
    return std::find(z.begin(), z.end(), &c) - z.begin();
  };
  for (ui::Frame* p : {&f.FrInfo, &f.frOptions, &f.FrTempo, &f.frSec})
    EXPECT_GT(pos(*p), pos(f.FrControl));
}

TEST_F(MainWindowDesign, OptionAndTimeRowsStandWhereDesigned) {
  Form1 f;
  struct Where {
    const ui::Control& c;
    const ui::Container* in;
    int left, top;
  };
  for (const Where& w :
       {Where{f.LBHora[0], &f.FrTempo, 1800, 360}, Where{f.LBTiempo[2], &f.FrTempo, 2040, 360},
        Where{f.LBHora[3], &f.FrFinalizar, 1965, 0}, Where{f.LBTiempo[6], &f.frSecTime, 1320, 120},
        Where{f.LBHora[5], &f.frSecTime, 1365, 120}}) {
    EXPECT_EQ(w.c.Parent(), w.in) << w.c.name << w.c.index;
    EXPECT_EQ(w.c.Left(), w.left) << w.c.name << w.c.index;
    EXPECT_EQ(w.c.Top(), w.top) << w.c.name << w.c.index;
  }
  for (const ui::Label& l : f.LBHora) {
    EXPECT_TRUE(l.hand);
    const bool hour = l.index == 0 || l.index == 1 || l.index == 4;
    EXPECT_EQ(l.Caption(), hour ? "12" : "00") << l.index;
  }
}

using StartUp = SimTest;

TEST_F(StartUp, CollapsedAtTheTopLeftWhateverTheDesign) {
  Form1 f;
  EXPECT_EQ(f.Height(), 7575);
  f.Form_Load();
  EXPECT_EQ(f.CollapsedHeight, 1000);
  EXPECT_EQ(f.Left(), 0);
  EXPECT_EQ(f.Top(), 0);
  EXPECT_EQ(f.Width(), 2670);
  EXPECT_EQ(f.Height(), 1000);
  const auto b = sim::Window(f.hWnd()).bounds;
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 0);
  EXPECT_EQ(b.width, 178);
  EXPECT_EQ(b.height, 66);
  EXPECT_EQ(sim::Window(f.hWnd()).title, "Tapwright");
  // The border frames the whole window.
  EXPECT_EQ(f.Shape1.Left(), 0);
  EXPECT_EQ(f.Shape1.Width(), 2670);
  EXPECT_EQ(f.Shape1.Height(), 1000);
}

TEST_F(StartUp, TranslucentWithAShadowAndAnEmptyRecording) {
  Form1 f;
  f.CurrentRecording.Redim(3);
  f.IsRecording = true;
  f.Form_Load();
  const auto& w = sim::Window(f.hWnd());
  EXPECT_EQ(w.alpha, 237);
  EXPECT_TRUE(sim::HasDropShadow(f.hWnd()));
  EXPECT_EQ(f.CurrentRecording.UBound(), 0);
  EXPECT_EQ(f.CurrentRecording[0], engine::Sample{});
  EXPECT_FALSE(f.IsRecording);
}

TEST_F(StartUp, ASecondCopyEndsWithoutAWindow) {
  sim::SetAnotherInstanceRunning(true);
  EXPECT_EQ(tapwright::Run(), 0);
  EXPECT_TRUE(sim::Windows().empty());
}

TEST_F(StartUp, TheStatusStripIsPainted) {
  Form1 f;
  f.Form_Load();
  f.Show();
  const auto ops = sim::Paint(f.hWnd());
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
    Form1 f;
    f.Form_Load();
    f.Show();
    int pictures = 0;
    for (const auto& op : sim::Paint(f.hWnd())) {
      if (op.kind != sim::DrawOp::Kind::Picture) continue;
      ++pictures;
      EXPECT_EQ(op.rect.width, pixels) << twips_per_pixel;
      EXPECT_EQ(op.rect.height, pixels) << twips_per_pixel;
    }
    EXPECT_GE(pictures, 4) << twips_per_pixel;
  }
}

TEST_F(StartUp, ClosingEndsTheProgramAtOnce) {
  Form1 f;
  f.Form_Load();
  f.Show();
  sim::Advance(250);
  // ImCerrar sits at (2400, 30) twips: pixel (160, 2) and on.
  EXPECT_THROW(sim::Click(165, 8), sim::ProgramEnded);
  EXPECT_TRUE(sim::ProgramHasEnded());
  EXPECT_TRUE(sim::ActiveTimers().empty());
}

using Resize = SimTest;

TEST_F(Resize, AGrowingWindowIsLiftedToStayOnScreen) {
  sim::SetScreen(1024, 768);
  Form1 f;
  f.Form_Load();
  const int screen_h = 768 * 15;
  f.SetTop(screen_h - 1500);
  f.SetHeight(2050);
  EXPECT_EQ(f.Top(), screen_h - 2050);
  EXPECT_EQ(f.Shape1.Height(), 2050);
  f.SetHeight(1000);
  EXPECT_EQ(f.Top(), screen_h - 2050);  // shrinking leaves it where it is
}

}  // namespace
