#!/usr/bin/env bash
# A user's round trip: F8, move and click into another window, F8, move away, F10; the window
# gets the same clicks at the same places again and the pointer ends where the recording ended.
# Usage: record_replay_test.sh TAPWRIGHT X11_PROBE
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 PROBE=$2
start_xvfb

LOG="$WORK/target.log"
start_target "$PROBE" "$LOG"
"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

now_ms() { date +%s%3N; }
pointer() { xdotool getmouselocation | sed -n 's/^x:\([-0-9]*\) y:\([-0-9]*\) .*/\1 \2/p'; }

# The target stands at (220, 210), 100 x 100; the keys go to whichever window has the focus.
xdotool mousemove 600 500
xdotool key F8
sleep 0.3  # the poll runs every 100 ms
REC_START=$(now_ms)
for step in 560,460 500,400 400,330 300,280 250,250; do
  xdotool mousemove "${step%,*}" "${step#*,}"
  sleep 0.05
done
xdotool click 1
sleep 0.25
xdotool mousemove 280 270
sleep 0.2
xdotool click 3
sleep 0.25
xdotool mousemove 420 380
sleep 0.2
REC_END=$(now_ms)
xdotool key F8
sleep 0.3
RECORDED=$(cat "$LOG")

: >"$LOG"
xdotool mousemove 900 800
sleep 0.2
PLAY_START=$(now_ms)
xdotool key F10
# Played back, the pointer ends where the recording ended.
at_end() { [[ "$(pointer)" == "420 380" ]]; }
wait_for 30 at_end || fail "pointer at $(pointer) after playback"
PLAY_END=$(now_ms)
sleep 0.3
[[ "$(pointer)" == "420 380" ]] || fail "pointer moved on to $(pointer)"

clicks() { grep -E '^(down|up) ' | cut -d' ' -f1-4; }
EXPECTED='down left 30 40
up left 30 40
down right 60 60
up right 60 60'
[[ "$(clicks <<<"$RECORDED")" == "$EXPECTED" ]] || fail "while recording the target got:
$RECORDED"
[[ "$(clicks <"$LOG")" == "$EXPECTED" ]] || fail "played back, the target got:
$(cat "$LOG")"
echo "recording took $((REC_END - REC_START)) ms (F8 to F8 about $((REC_END - REC_START + 300)) ms);" \
  "playback took $((PLAY_END - PLAY_START)) ms from F10 to the last position"
echo "record and replay ok"
