// The two-digit time fields: a press steps once at release, a hold steps ten times a second
// from the fifth tick on.
#include <string>

#include "schedule/time_number.h"
#include "shell/form1.h"

namespace tapwright {

void Form1::StepTimeField(std::int16_t index, std::int16_t button) {
  int value = std::stoi(LBHora[index].Caption());
  value += button == 1 ? 1 : -1;
  const int limit = index == 0 || index == 1 || index == 4 ? 23 : 59;
  if (value > limit) value = 0;
  if (value < 0) value = limit;
  LBHora[index].SetCaption(schedule::TwoDigits(value));
  Refresh();  // visible while the button is still held
}

void Form1::LBHora_MouseDown(int index, int button) {
  StepIndex = static_cast<std::int16_t>(index);
  StepButton = static_cast<std::int16_t>(button);
  tmrPulsador.SetEnabled(true);
}

void Form1::tmrPulsador_Timer() {
  // Only reaching 5 matters; the count stops short of overflowing on an hour-long hold.
  if (StepTicks < INT16_MAX) ++StepTicks;
  if (StepTicks >= 5) StepTimeField(StepIndex, StepButton);
}

void Form1::LBHora_MouseUp(int index) {
  tmrPulsador.SetEnabled(false);
  StepTicks = 0;
  StepTimeField(StepIndex, StepButton);
  // Right after an add no line is selected: the time then belongs to no entry.
  if (index >= 4 && Lista.ListCount() >= 1 && Lista.ListIndex() >= 0) {
    SequenceItems[static_cast<size_t>(Lista.ListIndex())].StartTime =
        std::stoi(LBHora[4].Caption() + LBHora[5].Caption());
  }
}

}  // namespace tapwright
