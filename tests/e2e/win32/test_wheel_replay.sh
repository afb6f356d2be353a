#!/bin/sh
# The wheel, down, up and sideways, a part of a notch included, and the side buttons replay into
# a window as they were recorded: the same deltas in the same order, the same buttons at the same
# places.
# usage: test_wheel_replay.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/wheel_replay"
mkdir -p "$OUT"
# What the target got after its first $1 lines: buttons and wheel.
seen_after() {
  tr -d '\r' <"$OUT/target.log" | tail -n "+$(($1 + 1))" | grep -E '^(click|release|wheel|hwheel) ' || true
}

start_with_target "$OUT"

driver click 230 220 left  # the wheel goes to the window with the focus
sleep 0.2
driver key F8 >/dev/null
sleep 0.3
driver wheel 250 250 -120
driver wheel 250 250 -120
driver wheel 250 250 -30  # a precision touchpad's part of a notch
driver wheel 250 250 120
driver wheel 250 250 -120 h
driver wheel 250 250 240 h
driver click 260 250 x1
sleep 0.4
driver click 270 250 x2
driver move 400 400
sleep 0.2
driver key F8 >/dev/null
sleep 0.3
expected="wheel -120
wheel -120
wheel -30
wheel 120
hwheel -120
hwheel 240
click x1 260 250
release x1 260 250
click x2 270 250
release x2 270 250"
recorded=$(seen_after 3)
[ "$recorded" = "$expected" ] || fail "while recording the target got:
$recorded"

seen=$(tr -d '\r' <"$OUT/target.log" | wc -l)
replay_to 400 400 "$OUT"
played=$(seen_after "$seen")
echo "played back the target got:"
echo "$played"
[ "$played" = "$expected" ] || fail "the replay's wheel and side buttons differ from the recording's"
echo "wheel and side buttons replayed as recorded"
