// The sampler: while a recording runs, one movement sample per 1 ms tick.
#include <limits>
#include <new>

#include "ui/form1.h"

namespace tapwright {

void Form1::TmrRaton_Timer() {
  if (!IsRecording) return;
  if (SimulateClicks) MoveClickIndicator();
  AddSample(engine::kMove);
}

void Form1::AddSample(std::int32_t code) {
  platform::Point p{0, 0};
  platform::GetCursorPos(p);
  // A sample that cannot be stored is dropped whole: no gap is left in the recording.
  if (SampleCount == std::numeric_limits<std::int32_t>::max()) return;
  try {
    CurrentRecording.Redim(SampleCount + 1);
  } catch (const std::bad_alloc&) {
    return;
  }
  ++SampleCount;
  CurrentRecording[SampleCount] = {p.x, p.y, code};
}

}  // namespace tapwright
