#!/usr/bin/env bash
# A stall is a pause: a playback stopped for 2 s (SIGSTOP, as a swapping machine or a debugger
# stops it) goes on from where it was at the recorded pace, rather than sending every overdue
# click at once.
# Usage: stall_test.sh TAPWRIGHT X11_PROBE
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 PROBE=$2
start_xvfb
export PROBE_TIMES=1
LOG="$WORK/target.log"
start_target "$PROBE" "$LOG"
"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
MAIN=$!
PIDS+=($MAIN)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

# Five clicks 320 ms apart at five places on the target.
xdotool mousemove 230 230 click 1
sleep 0.3
xdotool key F8
sleep 0.2
for x in 230 245 260 275 290; do
  xdotool mousemove "$x" 250 click 1
  sleep 0.32
done
xdotool key F8
sleep 0.3

: >"$LOG"
xdotool mousemove 900 800 key F10
wait_for 5 grep -q '^down' "$LOG" || fail "the replay clicked nothing: $(cat "$WORK/tapwright.log")"
sleep 0.1
kill -STOP "$MAIN"
sleep 2
kill -CONT "$MAIN"
five() { (($(grep -c '^down' "$LOG") >= 5)); }
wait_for 10 five || fail "the replay did not reach its fifth click: $(cat "$LOG")"
mapfile -t AT < <(sed -n 's/^down .* ms=\([0-9]*\)$/\1/p' "$LOG")
GAPS=()
for ((i = 1; i < ${#AT[@]}; ++i)); do GAPS+=($((AT[i] - AT[i - 1]))); done
echo "gaps between the replayed clicks (ms): ${GAPS[*]}"
((${#AT[@]} == 5)) || fail "${#AT[@]} clicks replayed: $(cat "$LOG")"
for gap in "${GAPS[@]}"; do
  ((gap >= 220)) || fail "two clicks ${gap} ms apart after the stall (recorded 320 ms apart)"
done
echo "stall ok"
