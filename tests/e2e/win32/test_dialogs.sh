#!/bin/sh
# The open and save dialogs, filled as the program fills them, in the 64-bit build; a 1 ms
# timer keeps ticking while they are open.
# usage: test_dialogs.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/dialogs"
mkdir -p "$OUT"
echo "1,2,-1" >"$OUT/walk.tpw"
dir=$(winepath -w "$OUT")

probe open "Load file" >"$OUT/open.log" 2>&1 &
pid=$!
driver answer "Load file" "$dir\\walk.tpw" 30
wait $pid || { cat "$OUT/open.log"; fail "the open dialog returned nothing"; }
cat "$OUT/open.log"
grep -qF "result $dir\\walk.tpw" "$OUT/open.log" || fail "wrong path from the open dialog"

probe save "Save file" >"$OUT/save.log" 2>&1 &
pid=$!
driver answer "Save file" "$dir\\newrec" 30
wait $pid || { cat "$OUT/save.log"; fail "the save dialog returned nothing"; }
cat "$OUT/save.log"
grep -qF "result $dir\\newrec.tpw" "$OUT/save.log" || fail "the save dialog did not add .tpw"
for log in open save; do
  ticks=$(sed -n 's/.*timer ticks meanwhile \([0-9]*\).*/\1/p' "$OUT/$log.log")
  [ "${ticks:-0}" -gt 0 ] || fail "no timer tick while the $log dialog was open"
done
