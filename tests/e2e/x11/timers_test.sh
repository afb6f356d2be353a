#!/usr/bin/env bash
# The single timer and the sequence in the real program, on a clock that libfaketime steps over
# the due second: the time fields set the minute, the timer plays the recording, a file dropped on
# the sequence list plays at its time.
# Usage: timers_test.sh TAPWRIGHT XDND_SOURCE
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 XDND_SOURCE=$2
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1 || true)
if [[ -z $FAKETIME_LIB ]]; then
  echo "skipped: libfaketime is not installed (Debian package faketime)"
  exit 0
fi
start_xvfb

# The program's clock is the real one plus the offset in this file, read at every call.
CLOCK="$WORK/clock"
OFFSET=0
fake_now() { echo $(($(date +%s) + OFFSET)); }
set_offset() {
  OFFSET=$1
  printf '%+d\n' "$OFFSET" >"$CLOCK.new"
  mv "$CLOCK.new" "$CLOCK"
}
# jump_to HH MM SS: today's time of day in UTC, at once.
jump_to() {
  local day=$(($(date +%s) / 86400 * 86400))
  set_offset $((day + 10#$1 * 3600 + 10#$2 * 60 + 10#$3 - $(date +%s)))
}
# step_over HH MM: waits for second 58 of the minute before, then sets the clock 3 s on. No
# reading then falls into second 00 of HH:MM.
step_over() {
  local due=$(($(date +%s) / 86400 * 86400 + 10#$1 * 3600 + 10#$2 * 60))
  until (($(fake_now) >= due - 2)); do sleep 0.05; done
  set_offset $((OFFSET + 3))
}
jump_to 12 00 40

env TZ=UTC LANG=en_US.UTF-8 LD_PRELOAD="$FAKETIME_LIB" FAKETIME_TIMESTAMP_FILE="$CLOCK" \
  FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 ASAN_OPTIONS=verify_asan_link_order=0 \
  "$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
MAIN_PID=$!
wait_for 15 has_window Tapwright || fail "no Tapwright window: $(cat "$WORK/tapwright.log")"
sleep 0.5
alive() { kill -0 "$MAIN_PID" 2>/dev/null || fail "tapwright ended: $(cat "$WORK/tapwright.log")"; }
pointer() { xdotool getmouselocation | sed -n 's/^x:\([-0-9]*\) y:\([-0-9]*\) .*/\1 \2/p'; }
at() { [[ "$(pointer)" == "$1 $2" ]]; }
click() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
}

# A recording that ends at (420, 380).
xdotool mousemove 600 500 key F8
sleep 0.3
for step in 560,460 500,420 420,380; do
  xdotool mousemove "${step%,*}" "${step#*,}"
  sleep 0.1
done
xdotool key F8
sleep 0.3

# Options, then the timer panel; one click on the start minute makes it 12:01; the switch arms
# the timer and closes the panel.
click 140 12
click 20 93
click 155 58
click 161 121
xdotool mousemove 900 800
jump_to 12 00 50
step_over 12 01
wait_for 5 at 420 380 || fail "the single timer did not play over a stepped clock: pointer at $(pointer)"
alive
# The recording rests at its last point for its last 0.4 s; until the playback ends, the window
# hops away from a pointer that crosses it, and would miss the clicks below.
sleep 1

# The sequence: a file dropped on its list, its minute set to 12:03 with three clicks once the
# line is selected, and the switch.
SEQ="$WORK/seq.tpw"
printf '300,300,-1\r\n250,200,-1\r\n' >"$SEQ"
click 140 12
click 20 113
W=$(windows_named Tapwright | head -n1)
"$XDND_SOURCE" "$W" 30 60 all "file://$SEQ" >"$WORK/drop.log" 2>&1 || fail "drop: $(cat "$WORK/drop.log")"
sleep 0.3
click 40 50
for _ in 1 2 3; do
  click 115 122
  sleep 0.2
done
click 160 121
xdotool mousemove 900 800
jump_to 12 02 50
step_over 12 03
wait_for 5 at 250 200 || fail "the sequence did not play its entry over a stepped clock: pointer at $(pointer)"
alive
echo "timers ok"
