#!/usr/bin/env bash
# With "Record keyboard" on, what was typed into a window during a recording is typed into it
# again by the replay, once and in order, Shift included. With the speed at x2, a recording of
# 2000 samples (two seconds) plays in about one. F8 and F10 never reach the window; Esc does
# while nothing runs.
# Usage: keys_speed_test.sh TAPWRIGHT KEY_TARGET SCREENSHOT_DIR [LAYOUT [KEYS GIVE]]
# "Hello1(x)" is typed, then the keys KEYS (xdotool's names), which the window shows as GIVE.
# On a French layout the digits are the shifted symbols of their keys: they are recorded too;
# on a German one, keys with no symbol a US keyboard has (sharp s, dead keys) are too.
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 KEY_TARGET=$2 SHOTS=$3 LAYOUT=${4:-us} KEYS=${5:-} GIVE=${6:-}
TEXT="Hello1(x)"
mkdir -p "$SHOTS"
start_xvfb
setxkbmap "$LAYOUT" || fail "no keyboard layout $LAYOUT"

# A stand-in chooser first on PATH answers F5 with the file named in $BIN/answer.
BIN=$WORK/bin
answering_chooser "$BIN"

LOG="$WORK/typed.log"
: >"$LOG"
"$KEY_TARGET" 220 210 "$LOG" >"$WORK/target.out" 2>&1 &
PIDS+=($!)
wait_for 15 grep -q '^ready' "$WORK/target.out" || fail "key target: $(cat "$WORK/target.out")"
(cd "$WORK" && exec env PATH="$BIN:$PATH" "$TAPWRIGHT") >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5
MAIN=$(windows_named Tapwright)
pointer() { xdotool getmouselocation | sed -n 's/^x:\([-0-9]*\) y:\([-0-9]*\) .*/\1 \2/p'; }
size_is() { [[ "$(geometry "$MAIN")" == "$1" ]]; }

# The options (gear at pixel 132, 4): "Record keyboard" at (12, 123) and the speed at (12, 161),
# each 16 x 16; a left click on the speed is one step faster. Clicks on two controls, so the
# second is no double click.
xdotool mousemove 138 8 click 1
wait_for 5 size_is "0 0 178 195" || fail "with the options open the window is $(geometry "$MAIN")"
xdotool mousemove 20 131 click 1
sleep 0.3
xdotool mousemove 20 169 click 1
sleep 0.3
import -window root -crop 200x210+0+0 "$SHOTS/x11_options_keys_speed.png"
xdotool mousemove 138 8 click 1
wait_for 5 size_is "0 0 178 66" || fail "closed again the window is $(geometry "$MAIN")"

# The click that focuses the target comes before F8.
xdotool mousemove 240 230 click 1
sleep 0.2
xdotool key F8
sleep 0.3
xdotool type --delay 120 "$TEXT"
[[ -z $KEYS ]] || xdotool key --delay 120 $KEYS
sleep 0.2
xdotool mousemove 250 250
sleep 0.1
xdotool key F8
sleep 0.3
TYPED=$(cat "$LOG")
[[ $TYPED == "$TEXT$GIVE" ]] || fail "while recording the target got \"$TYPED\""

: >"$LOG"
xdotool mousemove 900 800
xdotool key F10
at_end() { [[ "$(pointer)" == "250 250" ]]; }
wait_for 30 at_end || fail "pointer at $(pointer) after the replay of the keys"
sleep 0.5
[[ "$(cat "$LOG")" == "$TEXT$GIVE" ]] || fail "played back, the target got \"$(cat "$LOG")\""
# Nothing stays held: a key typed now is plain.
xdotool key Escape x
sleep 0.2
[[ "$(cat "$LOG")" == "$TEXT$GIVE<Escape>x" ]] ||
  fail "after the replay Esc x gave \"$(cat "$LOG")\""

# 2000 samples along a line; only the last one reaches x = 600.
for ((i = 1; i <= 2000; i++)); do printf '%d,400,-1\r\n' $((100 + i / 4)); done >"$WORK/long.tpw"
echo "$WORK/long.tpw" >"$BIN/answer"
xdotool key F5
sleep 0.5
xdotool mousemove 900 800
now_ms() { date +%s%3N; }
START=$(now_ms)
xdotool key F10
at_last() { [[ "$(pointer)" == "600 400" ]]; }
wait_for 10 at_last || fail "long.tpw did not play to 600 400: $(pointer)"
MS=$(($(now_ms) - START))
echo "2000 samples at x2 played in $MS ms from F10 to the last position"
# Wide bounds, for a busy machine; at x1 it takes two seconds and more.
((MS >= 700 && MS <= 1600)) || fail "2000 samples at x2 took $MS ms, not about 1000"
echo "keys and speed ok"
