// The time fields: stepped by presses, held for auto-repeat, stored into the selected entry.
#include "engine_fixture.h"

namespace {

using platform::MouseButton;

class TimeFields : public EngineTest {
 protected:
  void Press(int index, int button, std::int64_t hold_ms = 0) {
    f->LBHora_MouseDown(index, button);
    sim::Advance(hold_ms);
    f->LBHora_MouseUp(index);
  }
};

TEST_F(TimeFields, StepsWrapWithinTheirField) {
  f->LBHora[0].SetCaption("23");
  Press(0, 1);
  EXPECT_EQ(f->LBHora[0].Caption(), "00");
  Press(2, 2);  // right: down
  EXPECT_EQ(f->LBHora[2].Caption(), "59");
  Press(2, 4);  // middle: down too
  EXPECT_EQ(f->LBHora[2].Caption(), "58");
  Press(1, 2);
  EXPECT_EQ(f->LBHora[1].Caption(), "11");
  f->LBHora[3].SetCaption("59");
  f->LBHora[1].SetCaption("10");
  Press(3, 1);  // minutes never carry into hours
  EXPECT_EQ(f->LBHora[3].Caption(), "00");
  EXPECT_EQ(f->LBHora[1].Caption(), "10");
  f->LBHora[4].SetCaption("22");  // the entry's hour is an hour too
  Press(4, 1);
  EXPECT_EQ(f->LBHora[4].Caption(), "23");
  Press(4, 1);
  EXPECT_EQ(f->LBHora[4].Caption(), "00");
}

TEST_F(TimeFields, HoldingStepsFromTheFifthTickAndOnceMoreAtRelease) {
  f->LBHora[2].SetCaption("10");
  Press(2, 1, 1000);
  EXPECT_EQ(f->LBHora[2].Caption(), "17");
  EXPECT_FALSE(f->tmrPulsador.Enabled());
  EXPECT_EQ(f->StepTicks, 0);
  Press(2, 1, 450);  // shorter than half a second: one step
  EXPECT_EQ(f->LBHora[2].Caption(), "18");
}

TEST_F(TimeFields, AQuickDoubleClickStepsTwiceThroughTheMouse) {
  f->ImTempo_Click(0);  // the timer panel
  // LBHora(0) stands at (1800, 360) in the panel at (120, 380): pixels (128, 49) and on.
  sim::DoubleClick(132, 52);
  EXPECT_EQ(f->LBHora[0].Caption(), "14");
}

TEST_F(TimeFields, AReleaseOnTheEntryFieldsStoresTheSelectedEntrysTime) {
  f->AddToSequence("C:\\a.tpw");
  f->AddToSequence("C:\\b.tpw");
  Press(4, 1);  // no line selected yet: only the field changes
  EXPECT_EQ(f->SequenceItems[0].StartTime, 1200);
  EXPECT_EQ(f->SequenceItems[1].StartTime, 1200);
  f->Lista.SetListIndex(1);
  f->LBHora[4].SetCaption("08");
  f->LBHora[5].SetCaption("29");
  Press(5, 1);
  EXPECT_EQ(f->SequenceItems[1].StartTime, 830);
  Press(4, 2);
  EXPECT_EQ(f->SequenceItems[1].StartTime, 730);
  Press(0, 1);  // the timer's fields store nothing
  EXPECT_EQ(f->SequenceItems[1].StartTime, 730);
}

TEST_F(TimeFields, AReleaseOnTheEntryFieldsWithAnEmptyListOnlyChangesTheField) {
  Press(5, 2);
  EXPECT_EQ(f->LBHora[5].Caption(), "59");
  EXPECT_TRUE(f->SequenceItems.empty());
}

}  // namespace
