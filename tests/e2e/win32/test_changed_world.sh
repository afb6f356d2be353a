#!/bin/sh
# A task recorded in a small slow application (Open, then OK in the dialog it shows, then Done)
# replays with --wait whatever the world became: as recorded, ten times slower, moved, or both,
# every press lands on a live button. Where the task never shows, the replay stops with status 4
# and presses nothing.
# usage: test_changed_world.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/changed_world"
mkdir -p "$OUT"
PUBLIC="$WINEPREFIX/drive_c/users/Public"
mkdir -p "$PUBLIC"
rm -f "$PUBLIC/task.tpw" "$PUBLIC/task.tpw.looks"
task_pid=
start_task() {  # X Y DELAY_MS
  "$WINE" "$EXE_DIR/slow_task.exe" "$1" "$2" "$3" >"$OUT/task.log" 2>&1 &
  task_pid=$!
  for _ in $(seq 100); do grep -q ready "$OUT/task.log" && break; sleep 0.1; done
  grep -q ready "$OUT/task.log" || fail "the task did not start: $(cat "$OUT/task.log")"
  sleep 0.5
}
stop_task() { kill "$task_pid" 2>/dev/null || true; wait "$task_pid" 2>/dev/null || true; }
presses() { tr -d '\r' <"$OUT/task.log" | grep -v ready | tr '\n' ' '; }

start_checked_tapwright "$OUT"
trap 'driver end || true; stop_task; stop_all' EXIT
# Recorded with the application quick: Open at (160, 135), OK at (260, 225), Done at (160, 255).
start_task 100 100 150
driver move 600 500
sleep 0.3
driver key F8 >/dev/null
sleep 0.3
for at in "160 135" "260 225" "160 255"; do
  driver move $at
  sleep 0.3
  driver click $at >/dev/null
  sleep 0.6
done
driver move 600 600
sleep 0.2
driver key F8 >/dev/null
sleep 0.3
[ "$(presses)" = "open ok done " ] || fail "while recording the task got: $(presses)"
stop_task
driver answer "Tapwright - Save file" 'C:\users\Public\task' 30 >"$OUT/answer.log" 2>&1 &
answer_pid=$!
driver key F6 >/dev/null
wait $answer_pid || fail "nobody answered the save dialog: $(cat "$OUT/answer.log")"
for _ in $(seq 50); do [ -s "$PUBLIC/task.tpw.looks" ] && break; sleep 0.1; done
[ -s "$PUBLIC/task.tpw.looks" ] || fail "no looks saved beside the recording: $(ls "$PUBLIC")"
driver end || true
sleep 0.5
settings="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Tapwright"
mkdir -p "$settings"
echo "wait_limit=3" >"$settings/tapwright.ini"
TASK='C:\users\Public\task.tpw'

play() {
  rc=0
  timeout 60 "$WINE" "$EXE_DIR/tapwright.exe" --play "$TASK" "$@" >"$OUT/play.log" 2>&1 || rc=$?
}
for world in "as-recorded:100:100:150" "ten-times-slower:100:100:1500" "moved:420:280:150" \
  "slower-and-moved:40:500:1500"; do
  IFS=: read -r name x y delay <<WORLD
$world
WORLD
  start_task "$x" "$y" "$delay"
  play --wait
  got=$(presses)
  stop_task
  [ "$rc" = 0 ] && [ "$got" = "open ok done " ] ||
    fail "$name: status $rc, the task got: $got ($(cat "$OUT/play.log"))"
  echo "$name: $got"
  if [ "$name" = moved ]; then
    start_task "$x" "$y" "$delay"
    play
    echo "  without --wait: $(presses)"
    stop_task
  fi
done

play --wait
[ "$rc" = 4 ] || fail "with no task on the screen the status is $rc: $(cat "$OUT/play.log")"
echo "never there: status 4, $(tr -d '\r' <"$OUT/play.log")"
