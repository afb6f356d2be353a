#!/bin/sh
# The single timer on the real clock: the time fields of the timer panel are clicked to the next
# minute, the switch arms it, and the recording plays when that minute comes.
# usage: test_schedule.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/schedule"
mkdir -p "$OUT"

start_tapwright
if ! driver window Tapwright.Form >"$OUT/window.log" 2>&1; then
  cat "$OUT/window.log"
  fail "the Tapwright window is missing or misplaced"
fi
finish() {
  driver end || true
  stop_all
}
trap finish EXIT

# clicks X Y N BUTTON: N clicks, far enough apart not to be double clicks.
clicks() {
  i=0
  while [ "$i" -lt "$3" ]; do
    driver click "$1" "$2" "$4" >/dev/null
    i=$((i + 1))
  done
}

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

# The clicks take a while: with less than 35 s of this minute left, the minute after is the one.
now=$(date +%s)
[ $((now % 60)) -lt 25 ] || sleep $((61 - now % 60))
due=$(( ($(date +%s) / 60 + 1) * 60 ))
hour=$(date -d "@$due" +%-H)  # Wine's local time is the machine's
minute=$(date -d "@$due" +%-M)
echo "timer set to $hour:$minute"

driver click 140 12 >/dev/null  # options
driver click 20 93 >/dev/null   # the timer panel
# From the fields' 12 and 00, the short way round: left steps up, right steps down.
up=$(( (hour - 12 + 24) % 24 ))
if [ "$up" -le 12 ]; then clicks 136 58 "$up" left; else clicks 136 58 $((24 - up)) right; fi
if [ "$minute" -le 30 ]; then clicks 155 58 "$minute" left; else clicks 155 58 $((60 - minute)) right; fi
driver click 161 121 >/dev/null  # arms, and closes the panel
driver move 700 600
[ "$(date +%s)" -lt "$due" ] || fail "setting the fields took past the due minute"
if ! driver cursor-at 420 380 $((due - $(date +%s) + 10)) >"$OUT/cursor.log" 2>&1; then
  cat "$OUT/cursor.log"
  fail "the single timer did not play at $hour:$minute"
fi
echo "single timer ok"
