#!/usr/bin/env bash
# Choosing a hotkey: a click on the hotkey panel's record line, then F9. F9 then records and the
# window in front never gets it, while F8 goes back to that window; after a restart F9 still
# records, as the settings keep it.
# Usage: hotkey_choice_test.sh TAPWRIGHT KEY_TARGET SCREENSHOT_DIR
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 KEY_TARGET=$2 SHOTS=$3
mkdir -p "$SHOTS"
start_xvfb

LOG="$WORK/typed.log"
: >"$LOG"
"$KEY_TARGET" 220 210 "$LOG" >"$WORK/target.out" 2>&1 &
PIDS+=($!)
wait_for 15 grep -q '^ready' "$WORK/target.out" || fail "key target: $(cat "$WORK/target.out")"
start_program() {
  "$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
  MAIN=$!
  PIDS+=($MAIN)
  wait_for 15 has_window Tapwright || fail "no Tapwright window"
  sleep 0.5
}
start_program

# The hotkey panel (the (i) at pixel 153, 8); its record line ("Rec | Stop") at y 53.
xdotool mousemove 153 8 click 1
sleep 0.3
xdotool mousemove 140 53 click 1
sleep 0.3
xdotool key F9
sleep 0.3
import -window root -crop 200x140+0+0 "$SHOTS/x11_hotkey_chosen.png"
CONF=$XDG_CONFIG_HOME/tapwright/tapwright.conf
wait_for 5 grep -q '^key_record=120$' "$CONF" || fail "not kept: $(cat "$CONF" 2>&1)"
xdotool mousemove 153 8 click 1

# records_with KEY: KEY starts a recording, a move, KEY ends it, and F10 replays the move.
records_with() {
  xdotool mousemove 240 230 click 1  # the target has the focus
  sleep 0.2
  xdotool key "$1"
  sleep 0.3
  xdotool mousemove 300 300
  sleep 0.3
  xdotool key "$1"
  sleep 0.3
  replay_to 300 300
}
records_with F9
xdotool mousemove 240 230 click 1
xdotool key F8
sleep 0.3
[[ "$(cat "$LOG")" == "<F8>" ]] || fail "the window in front got \"$(cat "$LOG")\", not F8 alone"

kill "$MAIN"
wait "$MAIN" 2>/dev/null || true
: >"$LOG"
start_program
records_with F9
[[ ! -s $LOG ]] || fail "after a restart the window in front got \"$(cat "$LOG")\""

# Left Shift written in the settings by hand is no hotkey: Shift still types capitals, and F8
# records again.
kill "$MAIN"
wait "$MAIN" 2>/dev/null || true
echo "key_record=160" >"$CONF"
start_program
xdotool mousemove 240 230 click 1
sleep 0.2
xdotool key shift+a
sleep 0.3
grep -q "A" "$LOG" || fail "Shift did not reach the window in front: \"$(cat "$LOG")\""
records_with F8
grep -q "key 160 is no key for a command; F8 is used" "$WORK/tapwright.log" ||
  fail "no word on the key: $(cat "$WORK/tapwright.log")"
echo "hotkey chosen, kept and taken"
