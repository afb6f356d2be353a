#!/bin/sh
# The single timer on the real clock: the time fields of the timer panel are clicked to the next
# minute, the switch arms it, and the recording plays when that minute comes.
# usage: test_schedule.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/schedule"
mkdir -p "$OUT"

start_checked_tapwright "$OUT"

driver move 600 500
sleep 0.3
driver key F8 >/dev/null
sleep 0.3
for step in 560,460 500,400 420,380; do
  driver move "${step%,*}" "${step#*,}"
  sleep 0.1
done
sleep 0.3
driver key F8 >/dev/null
sleep 0.3

next_minute
echo "timer set to $HOUR:$MINUTE"
driver click 140 12 >/dev/null  # options
driver click 20 93 >/dev/null   # the timer panel
set_time 136 155 58
driver click 161 121 >/dev/null  # arms, and closes the panel
driver move 700 600
[ "$(date +%s)" -lt "$DUE" ] || fail "setting the fields took past the due minute"
if ! driver cursor-at 420 380 $((DUE - $(date +%s) + 10)) >"$OUT/cursor.log" 2>&1; then
  cat "$OUT/cursor.log"
  fail "the single timer did not play at $HOUR:$MINUTE"
fi
echo "single timer ok"
