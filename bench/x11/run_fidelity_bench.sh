#!/usr/bin/env bash
# Replay fidelity of Tapwright beside cnee (the X event recorder, when installed) on one known
# path, idle and with one core kept busy, and idle again waiting for the screen at each press
# (the world unchanged: it should keep pace and path), then Tapwright's CPU while idle after a
# recording. Every round starts from the default settings in a folder of its own.
# Usage: run_fidelity_bench.sh TAPWRIGHT FIDELITY
set -euo pipefail
TAPWRIGHT=$1 FIDELITY=$2
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
PIDS+=($!)
for _ in $(seq 100); do [[ -s $WORK/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$WORK/display")"
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

BUSY=""
busy() {
  if [[ $1 == on ]]; then
    (while :; do :; done) &
    BUSY=$!
    PIDS+=("$BUSY")
  elif [[ -n $BUSY ]]; then
    kill "$BUSY"
    BUSY=""
  fi
}

# probe SECONDS NAME: the probe in the background; waits until its window is up.
probe() {
  "$FIDELITY" probe "$1" "$WORK/$2.log" >"$WORK/$2.out" &
  PROBE=$!
  for _ in $(seq 50); do grep -q ready "$WORK/$2.out" && break; sleep 0.1; done
}
clicks() { sed -n 's/^clicks //p' "$WORK/$1.out"; }

# cpu_share PID SECONDS: the share of one core the process used meanwhile, from the scheduler's
# own count (ticks of /proc/PID/stat miss a process that wakes briefly between them).
cpu_share() {
  local before after
  before=$(cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns}')
  sleep "$2"
  after=$(cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns}')
  awk -v ns=$((after - before)) -v s="$2" 'BEGIN {printf "%.3f", 100 * ns / (s * 1e9)}'
}

# tapwright_round LOAD [SETTINGS]: one recording and its replay, with those settings lines.
tapwright_round() {
  export XDG_CONFIG_HOME="$WORK/config-$1${2:+-wait}"
  mkdir -p "$XDG_CONFIG_HOME/tapwright"
  printf '%s' "${2:-}" >"$XDG_CONFIG_HOME/tapwright/tapwright.conf"
  "$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
  TW=$!
  PIDS+=("$TW")
  sleep 1
  probe 5 record
  "$FIDELITY" start
  xdotool key F8
  sleep 0.3
  "$FIDELITY" drive "$WORK/drive.log"
  sleep 0.3
  xdotool key F8
  wait "$PROBE"
  xdotool mousemove 1100 900
  sleep 0.3
  probe 5 replay
  xdotool key F10
  wait "$PROBE"
  printf '%-22s %s  clicks %s of 3\n' "tapwright $1${2:+ (wait)}" \
    "$("$FIDELITY" analyze "$WORK/replay.log" "$WORK/drive.log")" "$(clicks replay)"
  printf '%-22s %s\n' "  (the path as driven)" "$("$FIDELITY" analyze "$WORK/record.log" "$WORK/drive.log")"
  [[ $1 == idle && -z ${2:-} ]] && echo "tapwright idle after a recording: $(cpu_share "$TW" 20) % of a core over 20 s"
  kill "$TW"
  wait "$TW" 2>/dev/null || true
}

cnee_round() {
  probe 6 record
  "$FIDELITY" start
  cnee --record --mouse --store-mouse-position --seconds-to-record 5 -o "$WORK/path.xns" -e "$WORK/cnee.err" 2>/dev/null &
  local rec=$!
  sleep 0.5
  "$FIDELITY" drive "$WORK/drive.log"
  wait "$rec" || true
  wait "$PROBE"
  xdotool mousemove 1100 900
  sleep 0.3
  probe 7 replay
  cnee --replay -f "$WORK/path.xns" -e "$WORK/cnee.err" 2>/dev/null || true
  wait "$PROBE"
  printf '%-22s %s  clicks %s of 3\n' "cnee $1" \
    "$("$FIDELITY" analyze "$WORK/replay.log" "$WORK/drive.log")" "$(clicks replay)"
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1); Xvfb"
for load in idle busy; do
  [[ $load == busy ]] && busy on
  tapwright_round "$load"
  if command -v cnee >/dev/null; then cnee_round "$load"; fi
  busy off
done
tapwright_round idle "wait_for_screen=1"
