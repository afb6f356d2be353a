#!/usr/bin/env bash
# Buttons replay as they were pressed: a click held for 150 ms is one click, a drag is a press,
# moves with the button held and a release, and the click that focused the target before F8 is
# not replayed; ended from outside in the middle of a drag, the program lets go of the button.
# With LEFT_HANDED=1 the pointer's buttons are swapped first: the target then
# receives right clicks, while recording and played back alike.
# Usage: buttons_replay_test.sh TAPWRIGHT X11_PROBE
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 PROBE=$2
start_xvfb
[[ ${LEFT_HANDED:-0} == 1 ]] && xmodmap -e "pointer = 3 2 1"
button=left
[[ ${LEFT_HANDED:-0} == 1 ]] && button=right

LOG="$WORK/target.log"
start_target "$PROBE" "$LOG"
"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
TAPWRIGHT_PID=$!
PIDS+=($TAPWRIGHT_PID)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

# The target stands at (220, 210), 100 x 100. A click there first, as a user focuses it.
xdotool mousemove 230 220 click 1
sleep 0.2
xdotool key F8
sleep 0.3
xdotool mousemove 250 250 mousedown 1
sleep 0.15
xdotool mouseup 1
sleep 0.4  # past the double-click time
xdotool mousedown 1
for x in 260 270 280 290; do
  sleep 0.1
  xdotool mousemove "$x" 260
done
sleep 0.1
xdotool mouseup 1
sleep 0.1
xdotool mousemove 400 400
sleep 0.1
xdotool key F8
sleep 0.3
RECORDED=$(cat "$LOG")

: >"$LOG"
replay_to 400 400
PLAYED=$(cat "$LOG")

# The buttons the target saw; the moves of a drag are counted apart.
summary() { grep -E '^(down|up|double) ' <<<"$1" | cut -d' ' -f1-4; }
drag_moves() { grep -c "^drag none .* buttons=[1-4]" <<<"$1" || true; }
EXPECTED="down $button 30 40
up $button 30 40
down $button 30 40
up $button 70 50"
[[ "$(summary "$RECORDED")" == "down $button 10 10
up $button 10 10
$EXPECTED" ]] || fail "while recording the target got:
$RECORDED"
[[ "$(summary "$PLAYED")" == "$EXPECTED" ]] || fail "played back, the target got:
$PLAYED"
moves=$(drag_moves "$PLAYED")
((moves >= 3)) || fail "the replayed drag held the button over $moves moves:
$PLAYED"
# Again, ended by a signal while the drag holds the button: the target still gets its release.
: >"$LOG"
xdotool mousemove 900 800
xdotool key F10
in_drag() { [[ $(grep -c "^down $button" "$LOG") == 2 ]]; }
wait_for 10 in_drag || fail "the second replay did not reach the drag: $(cat "$LOG")"
kill -TERM "$TAPWRIGHT_PID"
released() { [[ "$(grep -E '^(down|up) ' "$LOG" | tail -n 1)" == "up $button"* ]]; }
wait_for 10 released || fail "ended mid-drag, the button stayed held:
$(cat "$LOG")"
wait "$TAPWRIGHT_PID" 2>/dev/null || true
echo "buttons replayed as pressed ($button): one click, one drag over $moves held moves"
