#!/bin/sh
# A user's round trip: F8, move and click into another window, F8, move away, F10; the window gets
# the same clicks at the same places again and the pointer ends where the recording ended.
# usage: test_record_replay.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/record_replay"
mkdir -p "$OUT"
# Wine's msvcrt writes CRLF into pipes and files.
clean() { tr -d '\r'; }
tick() { clean | sed -n "s/^$1 at \([0-9]*\) ms$/\1/p"; }
# Clicks the target printed after its first $1 lines.
clicks() { clean <"$OUT/target.log" | tail -n "+$(($1 + 1))" | grep '^click ' || true; }

# The target spans (220, 210) to (320, 310), clear of the program's strip in the top-left corner.
start_with_target "$OUT"

driver move 600 500
rec_start=$(driver key F8 | tick "key F8")
sleep 0.3  # the keys are polled every 100 ms
for step in 560,460 500,400 400,330 300,280 250,250; do
  driver move "${step%,*}" "${step#*,}"
  sleep 0.05
done
driver click 250 250 left
sleep 0.25
driver move 280 270
sleep 0.05
driver click 280 270 right
sleep 0.25
driver move 420 380
sleep 0.2
rec_end=$(driver key F8 | tick "key F8")
sleep 0.3
recorded=$(clicks 0)
echo "while recording the target got:"
echo "$recorded"
[ "$recorded" = "click left 250 250
click right 280 270" ] || fail "the driver's clicks did not reach the target as sent"

# The target keeps its log open, so what playback brings is read past what is there now.
seen=$(clean <"$OUT/target.log" | wc -l)
driver move 900 700
sleep 0.2
play_start=$(driver key F10 | tick "key F10")
# Played back, the pointer ends where the recording ended.
arrived=$(driver cursor-at 420 380 30 | tee "$OUT/cursor.log" | tick "cursor at 420 380")
if [ -z "$arrived" ]; then
  clean <"$OUT/cursor.log"
  fail "playback did not bring the pointer to 420 380"
fi
sleep 0.5
final=$(driver cursor | clean)
[ "$final" = "420 380" ] || fail "after reaching the end the pointer moved on to $final"
played=$(clicks "$seen")
echo "played back the target got:"
echo "$played"
[ "$played" = "$recorded" ] || fail "playback's clicks differ from the recording's"
echo "recording took $((rec_end - rec_start)) ms from F8 to F8;" \
  "playback took $((arrived - play_start)) ms from F10 to the last position"
echo "record and replay ok"
