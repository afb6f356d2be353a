#!/bin/sh
# Choosing a hotkey: a click on the hotkey panel's record line, then F9. F9 then records.
# usage: test_hotkey_choice.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/hotkey_choice"
mkdir -p "$OUT"

start_with_target "$OUT"
# The hotkey panel (the (i) at pixel 155, 12); its record line ("Rec | Stop") at y 57.
driver click 155 12 >/dev/null
sleep 0.5
driver click 140 57 left >/dev/null
sleep 0.3
driver key 78 >/dev/null
sleep 0.5
import -window root -crop 200x140+0+0 "$OUT/chosen.png"
driver click 155 12 >/dev/null
sleep 0.5

driver click 240 230 left >/dev/null
sleep 0.3
driver key 78 >/dev/null
sleep 0.3
driver move 250 250
sleep 0.3
driver key 78 >/dev/null
sleep 0.3
replay_to 250 250 "$OUT"
echo "hotkey chosen"
