#!/bin/sh
# Buttons replay as they were pressed: a click held for 150 ms is one click, a drag is a press,
# moves with the button held and a release, and the click that focused the target before F8 is
# not replayed.
# usage: test_buttons_replay.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/buttons_replay"
mkdir -p "$OUT"
clean() { tr -d '\r'; }
# The target's presses and releases after its first $1 lines, and the count of its held moves.
buttons() { clean <"$OUT/target.log" | tail -n "+$(($1 + 1))" | grep -E '^(click|release) ' || true; }
drags() { clean <"$OUT/target.log" | tail -n "+$(($1 + 1))" | grep -c '^drag ' || true; }

start_with_target "$OUT"

driver click 230 220 left  # focusing the target, before the recording
sleep 0.2
driver key F8 >/dev/null
sleep 0.3
driver hold 250 250 150
sleep 0.4
driver sweep 250 260 290 260 150
driver move 400 400
sleep 0.2
driver key F8 >/dev/null
sleep 0.3
expected="click left 250 250
release left 250 250
click left 250 260
release left 290 260"
[ "$(buttons 0 | head -n 2)" = "click left 230 220
release left 230 220" ] || fail "the focusing click did not reach the target: $(buttons 0)"
[ "$(buttons 0 | tail -n +3)" = "$expected" ] || fail "while recording the target got:
$(buttons 0)"

seen=$(clean <"$OUT/target.log" | wc -l)
replay_to 400 400 "$OUT"
played=$(buttons "$seen")
echo "played back the target got:"
echo "$played"
[ "$played" = "$expected" ] || fail "the replay's buttons differ from the recording's"
moves=$(drags "$seen")
[ "$moves" -ge 3 ] || fail "the replayed drag held the button over only $moves moves"
echo "buttons replayed as pressed: one click, one drag over $moves held moves"
