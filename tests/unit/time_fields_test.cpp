// The time fields: stepped by presses, held for auto-repeat, stored into the selected entry.
#include "window_fixture.h"

namespace {

class TimeFields : public WindowTest {
 protected:
  // A press on field `index` with `button` (1 left, 2 right, 4 middle), held `hold_ms`.
  void Press(int index, int button, std::int64_t hold_ms = 0) {
    ui::Label& field = Label("LBHora", index);
    field.on_mouse_down(button, 0, 0, 0);
    sim::Advance(hold_ms);
    field.on_mouse_up(button, 0, 0, 0);
  }
  void PressTimes(int times, int index, int button) {
    for (int i = 0; i < times; ++i) Press(index, button);
  }
  std::string Field(int index) { return Label("LBHora", index).Caption(); }
  engine::SingleTimer& Timer() { return Session().GetSingleTimer(); }
};

TEST_F(TimeFields, StepsWrapWithinTheirField) {
  Timer().SetStartTime({23, 0});
  Press(0, 1);
  EXPECT_EQ(Field(0), "00");
  EXPECT_EQ(Timer().StartTime(), (model::HourMinute{0, 0}));
  Press(2, 2);  // right: down
  EXPECT_EQ(Field(2), "59");
  Press(2, 4);  // middle: down too
  EXPECT_EQ(Field(2), "58");
  Press(1, 2);
  EXPECT_EQ(Field(1), "11");
  Timer().SetEndTime({10, 59});
  Press(3, 1);  // minutes never carry into hours
  EXPECT_EQ(Field(3), "00");
  EXPECT_EQ(Field(1), "10");
  EXPECT_EQ(Timer().EndTime(), (model::HourMinute{10, 0}));
  PressTimes(14, 4, 2);  // the entry's hour is an hour too: 12 down to 22
  EXPECT_EQ(Field(4), "22");
  PressTimes(2, 4, 1);
  EXPECT_EQ(Field(4), "00");
}

TEST_F(TimeFields, HoldingStepsFromTheFifthTickAndOnceMoreAtRelease) {
  Timer().SetStartTime({12, 10});
  Press(2, 1, 1000);
  EXPECT_EQ(Field(2), "17");
  EXPECT_EQ(RunningTimers(100), 1);  // the key poller's alone
  Press(2, 1, 450);                  // shorter than half a second: one step
  EXPECT_EQ(Field(2), "18");
}

TEST_F(TimeFields, AQuickDoubleClickStepsTwiceThroughTheMouse) {
  ClickOn(Image("ImOp"));
  ClickOn(Image("ImTempo", 0));  // the timer panel
  // LBHora(0) stands at (1800, 360) in the panel at (120, 380): pixels (128, 49) and on.
  sim::DoubleClick(132, 52);
  EXPECT_EQ(Field(0), "14");
}

TEST_F(TimeFields, AReleaseOnTheEntryFieldsStoresTheSelectedEntrysTime) {
  engine::Sequence& sequence = Session().GetSequence();
  ClickOn(Image("ImOp"));
  ClickOn(Image("ImSec", 0));  // the sequence panel, with the list from pixel (14, 45)
  sim::Drop(w->Handle(), {"C:\\a.tpw", "C:\\b.tpw"}, 7, 30, 60);
  ASSERT_EQ(List().Count(), 2);
  Press(4, 1);  // no line selected yet: only the field changes
  EXPECT_EQ(Field(4), "13");
  EXPECT_EQ(sequence.Entries()[0].start, (model::HourMinute{12, 0}));
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{12, 0}));
  List().Select(1);
  EXPECT_EQ(Field(4), "12");  // the entry's own time
  PressTimes(4, 4, 2);
  PressTimes(31, 5, 2);
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{8, 29}));
  Press(5, 1);
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{8, 30}));
  Press(4, 2);
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{7, 30}));
  Press(0, 1);  // the timer's fields store nothing
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{7, 30}));
  EXPECT_EQ(sequence.Entries()[0].start, (model::HourMinute{12, 0}));
}

TEST_F(TimeFields, AReleaseOnTheEntryFieldsWithAnEmptyListOnlyChangesTheField) {
  Press(5, 2);
  EXPECT_EQ(Field(5), "59");
  EXPECT_TRUE(Session().GetSequence().Entries().empty());
}

}  // namespace
