#!/bin/sh
# Keys from the driver reach QueryKey in another program of the prefix, and playback's
# MoveCursor + SendButton clicks land where they were sent.
# usage: test_input.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/input"
mkdir -p "$OUT"

probe keys 20 F8 F10 ESC F5 F6 >"$OUT/keys.log" 2>&1 &
keys_pid=$!
for _ in $(seq 100); do grep -q polling "$OUT/keys.log" && break; sleep 0.1; done
driver key F8 F10 ESC F5 F6
wait $keys_pid || { cat "$OUT/keys.log"; fail "not every key was seen"; }
cat "$OUT/keys.log"

driver target 300 300 200 100 8 >"$OUT/target.log" 2>&1 &
target_pid=$!
for _ in $(seq 100); do grep -q "target ready" "$OUT/target.log" && break; sleep 0.1; done
probe click 350 340 left
probe click 360 350 right
probe click 370 360 middle
driver click 380 370 left
sleep 1
kill $target_pid 2>/dev/null || true
cat "$OUT/target.log"
for want in "click left 350 340" "click right 360 350" "click middle 370 360" "click left 380 370"; do
  grep -q "$want" "$OUT/target.log" || fail "missing: $want"
done
