#!/usr/bin/env bash
# What Tapwright costs while it waits: how often it wakes (context switches of all its threads)
# and how much of a core it takes, left idle for SECONDS under a private Xvfb.
# Usage: idle_wakeups.sh TAPWRIGHT [SECONDS]
set -euo pipefail
if [[ -z ${IDLE_WORK:-} ]]; then
  exec "$(dirname "$0")/with_xvfb.sh" env IDLE_WORK=@WORK@ bash "$0" "$@"
fi
TAPWRIGHT=$1 SECONDS_IDLE=${2:-20}
export XDG_CONFIG_HOME=$IDLE_WORK/config XDG_RUNTIME_DIR=$IDLE_WORK
"$TAPWRIGHT" >"$IDLE_WORK/tapwright.log" 2>&1 &
MAIN=$!
trap 'kill $MAIN' EXIT
sleep 3  # started and settled

switches() { cat /proc/"$MAIN"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
cpu_ticks() { awk '{print $14 + $15}' /proc/"$MAIN"/stat; }
S0=$(switches) C0=$(cpu_ticks) T0=$(date +%s%N)
sleep "$SECONDS_IDLE"
S1=$(switches) C1=$(cpu_ticks) T1=$(date +%s%N)
awk -v s=$((S1 - S0)) -v c=$((C1 - C0)) -v ns=$((T1 - T0)) -v hz="$(getconf CLK_TCK)" 'BEGIN {
  secs = ns / 1e9
  printf "idle %.1f s: %.1f wakeups/s, %.3f %% of a core\n", secs, s / secs, 100 * c / hz / secs }'
