#!/usr/bin/env bash
# A task recorded in a small slow application (Open, then OK in the dialog it shows, then Done)
# replays with --wait whatever the world became: as recorded, ten times slower, moved, or both,
# every press lands on a live button. Where the task never shows, the replay stops with status 4
# and presses nothing.
# Usage: changed_world_test.sh TAPWRIGHT SLOW_TASK
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 TASK=$2
start_xvfb
mkdir -p "$XDG_CONFIG_HOME/tapwright"
echo "wait_limit=3" >"$XDG_CONFIG_HOME/tapwright/tapwright.conf"
answering_chooser "$WORK/bin"
export PATH="$WORK/bin:$PATH"
FILE=$WORK/task.tpw
echo "$FILE" >"$WORK/bin/answer"

LOG=$WORK/task.log
task_pid=
start_task() {  # X Y DELAY_MS
  : >"$LOG"
  "$TASK" "$LOG" "$1" "$2" "$3" >"$WORK/task.out" 2>&1 &
  task_pid=$!
  PIDS+=($task_pid)
  wait_for 10 has_window "Slow task" || fail "no task window"
  sleep 0.3
}
stop_task() {
  kill "$task_pid" 2>/dev/null || true
  wait "$task_pid" 2>/dev/null || true
}
shows() { has_window "$1"; }

"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

# Recorded with the application quick: Open at (160, 135), OK at (260, 225), Done at (160, 255).
start_task 100 100 150
xdotool key F8
sleep 0.3
xdotool mousemove 160 135 sleep 0.3 click 1
wait_for 5 shows Confirm || fail "no dialog while recording"
sleep 0.4
xdotool mousemove 260 225 sleep 0.3 click 1
sleep 0.6
xdotool mousemove 160 255 sleep 0.3 click 1
sleep 0.3
xdotool mousemove 600 600
sleep 0.2
xdotool key F8
sleep 0.3
[[ "$(cat "$LOG")" == $'open\nok\ndone' ]] || fail "while recording the task got: $(cat "$LOG")"
stop_task
xdotool key F6
wait_for 10 test -s "$FILE.looks" || fail "no looks saved beside the recording"

# play [--wait]: the copy that runs plays the file; its exit status.
play() {
  local status=0
  timeout 60 "$TAPWRIGHT" --play "$FILE" "$@" 2>"$WORK/play.err" || status=$?
  echo "$status"
}

# name X Y DELAY_MS
for world in "as recorded:100:100:150" "ten times slower:100:100:1500" \
  "moved:420:280:150" "slower and moved:40:500:1500"; do
  IFS=: read -r name x y delay <<<"$world"
  start_task "$x" "$y" "$delay"
  status=$(play --wait)
  got=$(tr '\n' ' ' <"$LOG")
  stop_task
  [[ $status == 0 && "$got" == "open ok done " ]] ||
    fail "$name: status $status, the task got: $got ($(cat "$WORK/play.err"))"
  echo "$name: $got"
  if [[ $name == "moved" || $name == "ten times slower" ]]; then
    start_task "$x" "$y" "$delay"
    play >/dev/null
    echo "  without --wait: $(tr '\n' ' ' <"$LOG")"
    stop_task
  fi
done

# Nothing of the task on the screen: it stops at the first press, having pressed nothing.
: >"$LOG"
status=$(play --wait)
[[ $status == 4 ]] || fail "with no task on the screen the status is $status"
grep -q "stopped playing" "$WORK/play.err" || fail "no reason given: $(cat "$WORK/play.err")"
echo "never there: status 4, $(cat "$WORK/play.err")"
