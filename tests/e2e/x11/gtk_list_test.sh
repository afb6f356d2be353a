#!/usr/bin/env bash
# A real application: in a GTK list of 200 rows (zenity), the wheel scrolls three notches down
# and one up, then a double click chooses a row. Replayed into a new list, the same row is chosen.
# Usage: gtk_list_test.sh TAPWRIGHT
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1
start_xvfb
"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"

# open_list OUT: a list at (300, 200), 300 x 400, that writes the chosen row to OUT and ends.
open_list() {
  seq -f 'row %g' 1 200 | zenity --list --title=rows --column=name --width=300 --height=400 \
    >"$1" 2>/dev/null &
  PIDS+=($!)
  wait_for 15 has_window rows || fail "no list window"
  xdotool windowmove "$(windows_named rows | head -n1)" 300 200
  sleep 0.5
}
chosen() { [[ -s $1 ]]; }

open_list "$WORK/recorded"
xdotool mousemove 450 450
xdotool key F8
sleep 0.3
for button in 5 5 5 4; do
  xdotool click "$button"
  sleep 0.15
done
xdotool click --repeat 2 --delay 80 1
wait_for 5 chosen "$WORK/recorded" || fail "the list chose nothing while recording"
sleep 0.2
xdotool key F8
sleep 0.3
ROW=$(cat "$WORK/recorded")
[[ $ROW != "row 10" ]] || fail "the wheel did not scroll the list while recording"

open_list "$WORK/played"
xdotool mousemove 900 800
xdotool key F10
wait_for 15 chosen "$WORK/played" || fail "the replay chose nothing"
[[ "$(cat "$WORK/played")" == "$ROW" ]] || fail "recorded \"$ROW\", replayed \"$(cat "$WORK/played")\""
echo "the replay chose $ROW, as recorded"
