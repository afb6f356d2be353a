#!/usr/bin/env bash
# The command line: --help, --version and usage errors answer without a window; --play plays a
# file N times at its own pace and exits with how it ended (Esc: 3); --record records until the
# hotkey and saves; with a copy running, a file or a --play is handed to it and no second window
# opens.
# Usage: command_line_test.sh TAPWRIGHT X11_PROBE
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 PROBE=$2
start_xvfb
LOG="$WORK/target.log"
start_target "$PROBE" "$LOG"
clicks() { grep -cE "^(down|double) left" "$LOG" || true; }

# expect CODE OUTPUT_PATTERN ARGS...: runs a copy that must end by itself with CODE, printing a
# line that matches.
expect() {
  local code=$1 pattern=$2 rc=0
  shift 2
  timeout 20 "$TAPWRIGHT" "$@" >"$WORK/out.log" 2>&1 || rc=$?
  ((rc == code)) || fail "tapwright $* ended with $rc, not $code: $(cat "$WORK/out.log")"
  [[ -z $pattern ]] || grep -q -- "$pattern" "$WORK/out.log" || fail "tapwright $* said: $(cat "$WORK/out.log")"
}
expect 0 "^Usage: tapwright" --help
expect 0 "^tapwright [0-9]*\.[0-9]*\.[0-9]*$" --version
expect 0 "^Copyright (C) [0-9]\{4\} [^ ]" --version
expect 2 "unknown option --bogus" --bogus
expect 2 "need --play" walk.tpw --loop
has_window Tapwright && fail "an answer opened a window"

# A click in the target after 200 ms of moves; a file given by a relative name.
cd "$WORK"
for i in $(seq 1 200); do echo "$((230 + i / 10)),260,-1"; done >walk.tpw
echo "250,260,1" >>walk.tpw
expect 1 "cannot load missing.tpw: no such file" --play missing.tpw
expect 0 "" --play walk.tpw --repeat 2 --speed 2
(($(clicks) == 2)) || fail "--repeat 2 clicked $(clicks) times"

# Esc ends a loop with 3.
"$TAPWRIGHT" --play walk.tpw --loop >"$WORK/loop.log" 2>&1 &
LOOP=$!
PIDS+=($LOOP)
wait_for 15 has_window Tapwright || fail "no window while playing"
sleep 1
xdotool key Escape
RC=0
wait_for 5 bash -c "! kill -0 $LOOP" || fail "Esc did not end the loop"
wait "$LOOP" || RC=$?
((RC == 3)) || fail "a loop stopped with Esc ended with $RC"

# A signal ends a playback in order: the button it holds is let go, and the code says stopped.
{ echo "240,260,9"; for i in $(seq 1 3000); do echo "$((240 + i / 100)),260,-1"; done; } >drag.tpw
UPS=$(grep -c "^up left" "$LOG" || true)
"$TAPWRIGHT" --play drag.tpw --loop >"$WORK/term.log" 2>&1 &
TERMED=$!
PIDS+=($TERMED)
wait_for 15 has_window Tapwright || fail "no window while playing"
sleep 1
kill -TERM "$TERMED"
RC=0
wait "$TERMED" || RC=$?
((RC == 3)) || fail "a playback ended by SIGTERM exited $RC: $(cat "$WORK/term.log")"
wait_for 5 bash -c "(( \$(grep -c '^up left' '$LOG') > $UPS ))" || fail "SIGTERM left the button held"

# The window's saved options (x2, repeat, waiting) do not pace --play: a second of moves takes a
# second, and plays once.
mkdir -p "$XDG_CONFIG_HOME/tapwright"
printf 'speed=2\nrepeat=1\nwait_for_screen=1\n' >"$XDG_CONFIG_HOME/tapwright/tapwright.conf"
for i in $(seq 1 1000); do echo "$((230 + i / 50)),260,-1"; done >second.tpw
echo "250,260,1" >>second.tpw
BEFORE=$(clicks) START=$(date +%s%N)
expect 0 "" --play second.tpw
TOOK=$((($(date +%s%N) - START) / 1000000))
((TOOK >= 1000)) || fail "--play took $TOOK ms for a second of moves: the saved speed paced it"
(($(clicks) == BEFORE + 1)) || fail "--play clicked $(($(clicks) - BEFORE)) times"
rm "$XDG_CONFIG_HOME/tapwright/tapwright.conf"

# --record records what the hand does until the record hotkey, saves it and exits 0.
"$TAPWRIGHT" --record rec.tpw >"$WORK/rec.log" 2>&1 &
REC=$!
PIDS+=($REC)
wait_for 15 has_window Tapwright || fail "no window while recording"
sleep 0.3
xdotool mousemove 240 250
sleep 0.2
xdotool mousemove 260 270 click 1
sleep 0.3
xdotool key F8
wait_for 10 bash -c "! kill -0 $REC" || fail "F8 did not end --record"
RC=0
wait "$REC" || RC=$?
((RC == 0)) || fail "--record exited $RC: $(cat "$WORK/rec.log")"
grep -qE '^240,250,-1'$'\r''?$' rec.tpw || fail "rec.tpw holds no move to 240,250"
grep -qE '^260,270,(1|9)'$'\r''?$' rec.tpw || fail "rec.tpw holds no click at 260,270"
expect 1 "cannot save .*: no file can be written there" --record "$WORK/no/rec.tpw"

# A copy that runs takes the file, and plays one when asked, while the second copy waits.
"$TAPWRIGHT" >"$WORK/first.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
BEFORE=$(clicks)
expect 0 "" walk.tpw
xdotool key F10
wait_for 5 bash -c "(( \$(grep -cE '^(down|double) left' '$LOG') == $((BEFORE + 1)) ))" ||
  fail "the file handed on was not loaded: $(clicks) clicks"
sleep 0.5
expect 0 "" --play walk.tpw --repeat 3
(($(clicks) == BEFORE + 4)) || fail "the copy that runs played $(($(clicks) - BEFORE - 1)) times"
expect 1 "cannot load .*missing.tpw: no such file" --play "$WORK/missing.tpw"
expect 1 "not a .tpw file" --play "$WORK/noext"

# Busy, it takes nothing: not over a recording in progress, not into a playback. Ctrl+C on the
# command that waits stops the playback it asked for.
xdotool key F8
sleep 0.3
expect 5 "busy (recording)" walk.tpw
xdotool key F8
"$TAPWRIGHT" --play drag.tpw --loop >"$WORK/asker.log" 2>&1 &
ASKER=$!
PIDS+=($ASKER)
sleep 1
expect 5 "busy (playing): .*walk.tpw not loaded" walk.tpw
kill -INT "$ASKER"
RC=0
wait "$ASKER" || RC=$?
((RC == 3)) || fail "the asker stopped with Ctrl+C exited $RC: $(cat "$WORK/asker.log")"
expect 0 "" walk.tpw  # the copy is free again
mapfile -t WINDOWS < <(windows_named Tapwright)
((${#WINDOWS[@]} == 1)) || fail "${#WINDOWS[@]} Tapwright windows"
echo "PASSED"
