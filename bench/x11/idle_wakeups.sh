#!/usr/bin/env bash
# What Tapwright costs while it waits: how often it wakes (context switches of all its threads)
# and how much of a core it takes, left idle for SECONDS under a private Xvfb.
# Usage: idle_wakeups.sh TAPWRIGHT [SECONDS]
set -euo pipefail
TAPWRIGHT=$1 SECONDS_IDLE=${2:-20}
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
export DISPLAY=":$(head -n1 "$WORK/display")" XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK
"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
MAIN=$!
PIDS+=($MAIN)
sleep 3  # started and settled

switches() { cat /proc/"$MAIN"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
cpu_ticks() { awk '{print $14 + $15}' /proc/"$MAIN"/stat; }
S0=$(switches) C0=$(cpu_ticks) T0=$(date +%s%N)
sleep "$SECONDS_IDLE"
S1=$(switches) C1=$(cpu_ticks) T1=$(date +%s%N)
HZ=$(getconf CLK_TCK)
awk -v s=$((S1 - S0)) -v c=$((C1 - C0)) -v ns=$((T1 - T0)) -v hz="$HZ" 'BEGIN {
  secs = ns / 1e9
  printf "idle %.1f s: %.1f wakeups/s, %.3f %% of a core\n", secs, s / secs, 100 * c / hz / secs }'
