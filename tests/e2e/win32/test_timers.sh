#!/bin/sh
# 1 ms timers: no burst after a stall, no re-entry, RunPendingEvents returns, ticks go on inside
# RunModal; the tick rate is measured
# and printed, not judged.
# usage: test_timers.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
probe burst || fail "burst or re-entry"
probe doevents || fail "RunPendingEvents"
probe modal || fail "no ticks inside RunModal"
"$WINE" "$EXE_DIR/tapwright_timer_rate.exe" 2
