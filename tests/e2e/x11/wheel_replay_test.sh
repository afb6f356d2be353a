#!/usr/bin/env bash
# The wheel (down, up, left, right) and the side buttons (a click of each, then the first held
# over a move) are recorded from the input's own events and replayed into the window under the
# pointer as the same buttons, in order and at the same places; the saved file holds them as the
# wheel's and the side buttons' codes.
# Usage: wheel_replay_test.sh TAPWRIGHT KEY_TARGET
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 KEY_TARGET=$2
start_xvfb

BIN=$WORK/bin
answering_chooser "$BIN"

LOG="$WORK/buttons.log"
: >"$LOG"
"$KEY_TARGET" 220 210 "$WORK/typed.log" "$LOG" >"$WORK/target.out" 2>&1 &
PIDS+=($!)
wait_for 15 grep -q '^ready' "$WORK/target.out" || fail "target: $(cat "$WORK/target.out")"
(cd "$WORK" && exec env PATH="$BIN:$PATH" "$TAPWRIGHT") >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

xdotool mousemove 250 250
sleep 0.2
xdotool key F8
sleep 0.3
for b in 5 5 5 4 6 7 8 9; do
  xdotool click "$b"
  sleep 0.05
done
xdotool mousemove 260 255
sleep 0.05
xdotool mousedown 8
sleep 0.4  # longer than a click
xdotool mousemove 270 260
sleep 0.1
xdotool mouseup 8
sleep 0.1
xdotool mousemove 300 300
sleep 0.1
xdotool key F8
sleep 0.3
RECORDED=$(cat "$LOG")
[[ $(grep -c '^press' <<<"$RECORDED") == 9 ]] || fail "the target saw, while recording:
$RECORDED"

: >"$LOG"
replay_to 300 300
PLAYED=$(cat "$LOG")
[[ "$PLAYED" == "$RECORDED" ]] || fail "recorded:
$RECORDED
played back:
$PLAYED"

echo "$WORK/wheel.tpw" >"$BIN/answer"
xdotool key F6
wait_for 10 test -s "$WORK/wheel.tpw" || fail "not saved: $(cat "$WORK/tapwright.log")"
codes() { cut -d, -f3 "$WORK/wheel.tpw" | tr -d '\r' | grep -v '^-1$' | tr '\n' ' '; }
# Down three notches, up one, left, right; X1 and X2 clicked; X1 pressed, moved, released.
[[ "$(codes)" == "8072 8072 8072 8312 16264 16504 32 64 40 48 " ]] ||
  fail "the file holds the codes $(codes)"
echo "wheel and side buttons replayed as recorded: $(grep -c '^press' <<<"$PLAYED") presses"
