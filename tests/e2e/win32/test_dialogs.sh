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

# Saving over a file asks first; answering No leaves the file as it was.
printf '5,5,-1\r\n' >"$OUT/kept.tpw"
cp "$OUT/kept.tpw" "$OUT/kept.before"
"$WINE" "$EXE_DIR/tapwright.exe" "$dir\\walk.tpw" >"$STATE/tapwright.log" 2>&1 &
driver window Tapwright.Form >/dev/null || fail "the program did not start"
trap 'driver end || true; stop_all' EXIT
sleep 0.5
driver key F6 >/dev/null
driver answer "Tapwright - Save file" "$dir\\kept.tpw" 30 >/dev/null || fail "no save dialog"
driver reply "Tapwright - Save file" no 10 >"$OUT/question.log" || fail "$(cat "$OUT/question.log")"
cat "$OUT/question.log"
driver reply "Tapwright - Save file" cancel 10 >/dev/null || fail "the save dialog did not stay"
sleep 1
cmp -s "$OUT/kept.tpw" "$OUT/kept.before" || fail "the file answered No to was replaced"
