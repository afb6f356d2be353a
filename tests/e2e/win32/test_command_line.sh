#!/bin/sh
# The command line: --help, --version and usage errors answer without a window; --play plays a
# file N times and exits with how it ended (Esc: 3); --record records until the hotkey and saves;
# with a copy running, a file or a --play is handed to it and no second window opens.
# usage: test_command_line.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/command_line"
mkdir -p "$OUT"
clicks() { tr -d '\r' <"$OUT/target.log" | grep -c '^click left' || true; }
# expect CODE PATTERN ARGS...: a copy that ends by itself with CODE, printing a matching line.
expect() {
  code=$1 pattern=$2 rc=0
  shift 2
  timeout 30 "$WINE" "$EXE_DIR/tapwright.exe" "$@" >"$OUT/out.log" 2>&1 || rc=$?
  [ "$rc" = "$code" ] || fail "tapwright $* ended with $rc, not $code: $(cat "$OUT/out.log")"
  [ -z "$pattern" ] || grep -q -- "$pattern" "$OUT/out.log" || fail "tapwright $* said: $(cat "$OUT/out.log")"
}
expect 0 "^Usage: tapwright" --help
expect 0 "^tapwright [0-9]*\.[0-9]*\.[0-9]*" --version
expect 2 "unknown option --bogus" --bogus

# From a console, typed as users type it: an interactive prompt does not wait for a windowed
# program, so "tapwright" must be tapwright.com, which waits and passes on what the program says
# and its exit code. The session runs on a terminal of its own, as Wine's console.
screen() { [ -f "$OUT/cmd.log" ] && sed 's/\x1b\[1C/ /g; s/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\x1b\][^\a]*\a//g' "$OUT/cmd.log" | tr -d '\r'; }
prompts() { screen | grep -o '[A-Z]:\\[^>]*>' | wc -l; }
type_lines() {
  typed=0
  for line in "$@"; do
    for _ in $(seq 100); do [ "$(prompts)" -gt "$typed" ] && break; sleep 0.1; done
    printf '%s\r' "$line"
    typed=$((typed + 1))
  done
}
rm -f "$OUT/cmd.log"
type_lines 'tapwright --bogus' 'echo exit code %ERRORLEVEL%' 'tapwright --help' \
  'tapwright --play missing.tpw' 'echo exit code %ERRORLEVEL%' exit |
  (cd "$EXE_DIR" && timeout 60 script -qec "$WINE cmd" /dev/null >"$OUT/cmd.log" 2>&1) ||
  fail "the console session did not end: $(screen)"
screen | tr '\n' '~' | grep -q 'unknown option --bogus.*exit code 2~.*Usage: tapwright.*cannot load missing.tpw.*exit code 1~' ||
  fail "the console showed: $(screen)"
# Redirected, the door hands the pipe on.
(cd "$EXE_DIR" && "$WINE" cmd /c tapwright --version) >"$OUT/door.log" 2>&1 || fail "tapwright --version failed"
grep -q "^tapwright [0-9]" "$OUT/door.log" || fail "tapwright --version through a pipe said: $(cat "$OUT/door.log")"

driver target 220 210 100 100 100 >"$OUT/target.log" 2>&1 &
target_pid=$!
trap 'driver end || true; kill $target_pid 2>/dev/null || true; stop_all' EXIT
for _ in $(seq 100); do grep -q "target ready" "$OUT/target.log" && break; sleep 0.1; done
seq 1 200 | awk '{ printf "%d,260,-1\r\n", 230 + int($1 / 10) } END { printf "250,260,1\r\n" }' \
  >"$OUT/walk.tpw"
WALK=$(winepath -w "$OUT/walk.tpw")
expect 1 "cannot load .*: no such file" --play "$(winepath -w "$OUT/missing.tpw")"
expect 0 "" --play "$WALK" --repeat 2 --speed 2
[ "$(clicks)" = 2 ] || fail "--repeat 2 clicked $(clicks) times"

# Esc ends a loop with 3.
"$WINE" "$EXE_DIR/tapwright.exe" --play "$WALK" --loop >"$OUT/loop.log" 2>&1 &
loop=$!
driver window Tapwright.Form >/dev/null || fail "no window while playing"
sleep 1
driver key ESC >/dev/null
rc=0
wait "$loop" || rc=$?
[ "$rc" = 3 ] || fail "a loop stopped with Esc ended with $rc"

# --record records what the hand does until the record hotkey, saves it and exits 0; the target
# gets the click meanwhile.
before=$(clicks)
"$WINE" "$EXE_DIR/tapwright.exe" --record "$(winepath -w "$OUT/rec.tpw")" >"$OUT/rec.log" 2>&1 &
rec=$!
driver window Tapwright.Form >/dev/null || fail "no window while recording"
sleep 0.5
driver move 240 250 >/dev/null
sleep 0.2
driver click 260 270 >/dev/null
sleep 0.3
driver key F8 >/dev/null
rc=0
wait "$rec" || rc=$?
[ "$rc" = 0 ] || fail "--record exited $rc: $(cat "$OUT/rec.log")"
[ "$(clicks)" = $((before + 1)) ] || fail "the click while recording did not reach the target"
grep -q '^240,250,-1' "$OUT/rec.tpw" || fail "rec.tpw holds no move to 240,250"
grep -qE '^260,270,(1|9)' "$OUT/rec.tpw" || fail "rec.tpw holds no click at 260,270"

# A copy that runs takes the file, and plays one when asked while the second copy waits.
start_tapwright
driver window Tapwright.Form >/dev/null || fail "the program did not start"
before=$(clicks)
expect 0 "" "$WALK"
sleep 0.5
driver key F10 >/dev/null
sleep 1
[ "$(clicks)" = $((before + 1)) ] || fail "the file handed on was not loaded"
expect 0 "" --play "$WALK" --repeat 2
[ "$(clicks)" = $((before + 3)) ] || fail "the copy that runs played $(($(clicks) - before - 1)) times"
# Busy, it takes nothing: a file handed over a recording in progress is refused.
driver key F8 >/dev/null
sleep 0.3
expect 5 "" "$WALK"
driver key F8 >/dev/null
sleep 0.3
driver window Tapwright.Form >/dev/null || fail "the first copy's window is gone"

# The save dialog belongs to the strip and opens clear of it (the strip: 178 x 66 at 0, 0).
driver key F6 >/dev/null
driver answer "Tapwright - Save file" "$(winepath -w "$OUT")\\saved" 30 >"$OUT/answer.log" ||
  fail "no save dialog: $(cat "$OUT/answer.log")"
cat "$OUT/answer.log"
set -- $(sed -n 's/.* at \([-0-9]*\) \([-0-9]*\) \([0-9]*\) \([0-9]*\) owner \(.*\)$/\1 \2 \3 \4 \5/p' "$OUT/answer.log" | tr -d '\r')
[ "${5:-}" = Tapwright ] || fail "the save dialog's owner is '${5:-}'"
[ "$1" -ge 178 ] || [ "$2" -ge 66 ] || fail "the save dialog opened under the strip at $1,$2"
for _ in $(seq 50); do [ -s "$OUT/saved.tpw" ] && break; sleep 0.1; done
[ -s "$OUT/saved.tpw" ] || fail "nothing saved"
echo "PASS"
