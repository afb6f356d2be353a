// The time fields: stepped by presses, held for auto-repeat, stored into the selected entry.
#include "window_fixture.h"

namespace {

class TimeFields : public WindowTest {
 protected:
  // A press on `field` with `button` (1 left, 2 right, 4 middle), held `hold_ms`.
  void Press(ui::Label& field, int button, std::int64_t hold_ms = 0) {
    field.on_mouse_down(button, 0, 0, 0);
    sim::Advance(hold_ms);
    field.on_mouse_up(button, 0, 0, 0);
  }
  void PressTimes(int times, ui::Label& field, int button) {
    for (int i = 0; i < times; ++i) Press(field, button);
  }
  window::TimeRow& Start() { return TimerPanel().start; }
  window::TimeRow& End() { return TimerPanel().end; }
  window::TimeRow& Entry() { return SequencePanel().entry; }
  engine::SingleTimer& Timer() { return Engine().single_timer; }
};

TEST_F(TimeFields, StepsWrapWithinTheirField) {
  Timer().SetStartTime({23, 0});
  Press(Start().hour, 1);
  EXPECT_EQ(Start().hour.Caption(), "00");
  EXPECT_EQ(Timer().StartTime(), (model::HourMinute{0, 0}));
  Press(Start().minute, 2);  // right: down
  EXPECT_EQ(Start().minute.Caption(), "59");
  Press(Start().minute, 4);  // middle: down too
  EXPECT_EQ(Start().minute.Caption(), "58");
  Press(End().hour, 2);
  EXPECT_EQ(End().hour.Caption(), "11");
  Timer().SetEndTime({10, 59});
  Press(End().minute, 1);  // minutes never carry into hours
  EXPECT_EQ(End().minute.Caption(), "00");
  EXPECT_EQ(End().hour.Caption(), "10");
  EXPECT_EQ(Timer().EndTime(), (model::HourMinute{10, 0}));
  PressTimes(14, Entry().hour, 2);  // the entry's hour is an hour too: 12 down to 22
  EXPECT_EQ(Entry().hour.Caption(), "22");
  PressTimes(2, Entry().hour, 1);
  EXPECT_EQ(Entry().hour.Caption(), "00");
}

TEST_F(TimeFields, HoldingStepsFromTheFifthTickAndOnceMoreAtRelease) {
  Timer().SetStartTime({12, 10});
  Press(Start().minute, 1, 1000);
  EXPECT_EQ(Start().minute.Caption(), "17");
  EXPECT_EQ(RunningTimers(100), 1);  // the key poller's alone
  Press(Start().minute, 1, 450);     // shorter than half a second: one step
  EXPECT_EQ(Start().minute.Caption(), "18");
}

TEST_F(TimeFields, AQuickDoubleClickStepsTwiceThroughTheMouse) {
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().single_timer.button);  // the timer panel
  // The start hour stands at (1800, 360) in the panel at (120, 380): pixels (128, 49) and on.
  sim::DoubleClick(132, 52);
  EXPECT_EQ(Start().hour.Caption(), "14");
}

TEST_F(TimeFields, AReleaseOnTheEntryFieldsStoresTheSelectedEntrysTime) {
  engine::Sequence& sequence = Engine().sequence;
  ClickOn(TitleRow().options_button);
  ClickOn(OptionsPanel().sequence.button);  // the sequence panel, with the list from pixel (14, 45)
  sim::Drop(w->Handle(), {"C:\\a.tpw", "C:\\b.tpw"}, 7, 30, 60);
  ASSERT_EQ(List().Count(), 2);
  Press(Entry().hour, 1);  // no line selected yet: only the field changes
  EXPECT_EQ(Entry().hour.Caption(), "13");
  EXPECT_EQ(sequence.Entries()[0].start, (model::HourMinute{12, 0}));
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{12, 0}));
  List().Select(1);
  EXPECT_EQ(Entry().hour.Caption(), "12");  // the entry's own time
  PressTimes(4, Entry().hour, 2);
  PressTimes(31, Entry().minute, 2);
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{8, 29}));
  Press(Entry().minute, 1);
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{8, 30}));
  Press(Entry().hour, 2);
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{7, 30}));
  Press(Start().hour, 1);  // the timer's fields store nothing
  EXPECT_EQ(sequence.Entries()[1].start, (model::HourMinute{7, 30}));
  EXPECT_EQ(sequence.Entries()[0].start, (model::HourMinute{12, 0}));
}

TEST_F(TimeFields, AReleaseOnTheEntryFieldsWithAnEmptyListOnlyChangesTheField) {
  Press(Entry().minute, 2);
  EXPECT_EQ(Entry().minute.Caption(), "59");
  EXPECT_TRUE(Engine().sequence.Entries().empty());
}

}  // namespace
