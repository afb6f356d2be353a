#!/bin/sh
# A recording outlives a stalled window: with the program's window thread stopped for longer than
# Wine waits for a low-level hook (2 s), the clicks made meanwhile and after are recorded in order,
# where and when they were made, and F8 pressed meanwhile stops the recording without reaching the
# window in front.
# usage: test_record_stall.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/record_stall"
mkdir -p "$OUT"
PUBLIC="$WINEPREFIX/drive_c/users/Public"
mkdir -p "$PUBLIC"
rm -f "$PUBLIC/stall.tpw"
clean() { tr -d '\r'; }
tick() { clean | sed -n "s/^$1 at \([0-9]*\) ms$/\1/p"; }

# stall MS: stops the program's window thread for MS ms, in the background, and returns once it
# has stopped.
stall() {
  driver stall "$1" >"$OUT/stall.log" 2>&1 &
  stall_pid=$!
  for _ in $(seq 50); do grep -q "stalled at" "$OUT/stall.log" && break; sleep 0.1; done
  grep -q "stalled at" "$OUT/stall.log" || { cat "$OUT/stall.log"; fail "no stall"; }
}

start_with_target "$OUT"

driver click 230 220 left >/dev/null # focuses the target, before the recording
sleep 0.2
driver key F8 >/dev/null
sleep 0.3
c0=$(driver click 240 240 left | tick click)
stall 3000
c1=$(driver click 260 250 left | tick click)
sleep 0.2
c2=$(driver click 280 260 right | tick click)
wait $stall_pid || fail "the stall did not end"
c3=$(driver click 300 270 left | tick click)
sleep 0.3
stall 3000
driver key F8 >/dev/null
wait $stall_pid || fail "the stall did not end"
sleep 0.5
# Esc, which does nothing while idle, shows that the target would have got a key the program left.
driver key ESC >/dev/null
sleep 0.3
keys=$(clean <"$OUT/target.log" | sed -n 's/^keydown //p' | tr '\n' ' ')
[ "$keys" = "1b " ] || fail "the target got the keys $keys(F8 is 77, Esc 1b)"

# Stopped, the program saves on F6; still recording, it would not.
driver answer "Tapwright - Save file" 'C:\users\Public\stall' 10 >"$OUT/answer.log" 2>&1 &
answer_pid=$!
driver key F6 >/dev/null
wait $answer_pid || { cat "$OUT/answer.log"; fail "F8 in the stall did not stop the recording"; }
for _ in $(seq 50); do [ -s "$PUBLIC/stall.tpw" ] && break; sleep 0.1; done
[ -s "$PUBLIC/stall.tpw" ] || fail "F6 did not save stall.tpw"

# Each button's line is its millisecond: "ms x y code".
clean <"$PUBLIC/stall.tpw" | awk -F, '$3 >= 1 && $3 <= 80 { print NR, $1, $2, $3 }' >"$OUT/buttons"
echo "buttons recorded (ms x y code):"
cat "$OUT/buttons"
[ "$(cut -d' ' -f2- "$OUT/buttons")" = "240 240 1
260 250 1
280 260 2
300 270 1" ] || fail "the clicks were not recorded as made"
# Apart as they were made, to within a few of Wine's ticks.
first=$(head -n 1 "$OUT/buttons" | cut -d' ' -f1)
i=0
for made in "$c0" "$c1" "$c2" "$c3"; do
  i=$((i + 1))
  at=$(sed -n "${i}p" "$OUT/buttons" | cut -d' ' -f1)
  off=$((at - first - (made - c0)))
  [ "$off" -ge -50 ] && [ "$off" -le 50 ] || fail "click $i is recorded $off ms from its time"
done
echo "the clicks around two stalls of the program's thread are recorded as made"
