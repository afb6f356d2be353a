// The sampler: while a recording runs, one sample for every millisecond since it started,
// whatever the timer did, with the buttons' presses and releases at the moment they were seen.
#include <cmath>
#include <limits>
#include <new>

#include "shell/form1.h"

namespace tapwright {

void Form1::TmrRaton_Timer() {
  // It runs only while a recording runs.
  if (SimulateClicks) MoveClickIndicator();
  platform::Point p{0, 0};
  platform::CursorPosition(p);
  std::vector<std::int32_t> events = buttons_.Poll();
  if (RecordKeyboard)
    for (std::int32_t code : keyboard_.Poll()) events.push_back(code);
  const std::int64_t k = static_cast<std::int64_t>(events.size());
  const std::int64_t due = (platform::MonotonicMicros() - record_start_) / 1000;
  // Milliseconds a late tick missed are moves on the line from the last sample to here. The
  // buttons come last, here; should they outnumber the milliseconds, later ticks give them back.
  const std::int64_t moves = std::max<std::int64_t>(0, due - SampleCount - k);
  const std::int64_t to_here = k > 0 ? moves + 1 : moves;
  const platform::Point from = CurrentRecording.UBound() > 0
                                   ? platform::Point{CurrentRecording[CurrentRecording.UBound()].x,
                                                     CurrentRecording[CurrentRecording.UBound()].y}
                                   : record_origin_;
  for (std::int64_t j = 1; j <= moves; ++j) {
    const double f = static_cast<double>(j) / static_cast<double>(to_here);
    AddSample(
        from.x + static_cast<std::int32_t>(std::lround((static_cast<double>(p.x) - from.x) * f)),
        from.y + static_cast<std::int32_t>(std::lround((static_cast<double>(p.y) - from.y) * f)),
        engine::kMove);
  }
  for (std::int32_t code : events) AddSample(p.x, p.y, code);
}

void Form1::ImTeclado_Click(int /*index*/) {
  RecordKeyboard = !RecordKeyboard;
  // Switched on during a recording, keys count from now.
  keyboard_.Start();
  ShowKeyboardOption();
}

void Form1::AddSample(std::int32_t x, std::int32_t y, std::int32_t code) {
  // A sample that cannot be stored is dropped whole: no gap is left in the recording.
  if (SampleCount == std::numeric_limits<std::int32_t>::max()) return;
  try {
    CurrentRecording.Redim(SampleCount + 1);
  } catch (const std::bad_alloc&) {
    return;
  }
  ++SampleCount;
  CurrentRecording[SampleCount] = {x, y, code};
}

}  // namespace tapwright
