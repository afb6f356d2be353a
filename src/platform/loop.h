// Timers on the UI thread, the monotonic clock, work in the background and the message loop.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

using TimerId = std::uint32_t;  // 0 is "no timer"

// ---------------------------------------------------------------------------------------------
// Timers and the message loop.

// Calls `tick` on the UI thread every interval_ms, on a fixed grid from now. A tick never
// re-enters a tick of the same timer that is still running, a late loop fires one tick (not a
// burst), and ticks go on inside nested loops (dialogs, RunModal, RunPendingEvents).
TimerId StartTimer(int interval_ms, std::function<void()> tick);
void StopTimer(TimerId id);

// A monotonic clock in microseconds from an arbitrary origin; it never steps with the time of day.
std::int64_t MonotonicMicros();

// Runs fn on the UI thread once the handler that calls this has returned to a loop (the main one
// or a nested one), before that loop waits again.
void RunSoon(std::function<void()> fn);
// Handles every pending message once (timer ticks that are due included), then returns.
void RunPendingEvents();

// Runs work on a thread of its own while the UI thread goes on; the work must not touch the UI.
// Whoever starts it learns of its end by looking (a timer), not by a call from that thread.
void RunInBackground(std::function<void()> work);
// Runs the message loop until EndProgram.
int RunMessageLoop();
// Ends the program at once: every window closes, every timer stops, nothing else runs.
[[noreturn]] void EndProgram(int exit_code);

}  // namespace platform
