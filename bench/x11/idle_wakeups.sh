#!/usr/bin/env bash
# What Tapwright costs while it waits: how often it wakes (context switches of all its threads)
# and how much of a core it takes (the scheduler's nanoseconds), left idle for SECONDS under a
# private Xvfb. Each program given is measured in turn on the same display: an older build beside
# this one shows what changed.
# Usage: idle_wakeups.sh SECONDS TAPWRIGHT [OTHER_TAPWRIGHT...]
set -euo pipefail
if [[ -z ${IDLE_WORK:-} ]]; then
  exec "$(dirname "$0")/with_xvfb.sh" env IDLE_WORK=@WORK@ bash "$0" "$@"
fi
SECONDS_IDLE=$1
shift
threads() { cat /proc/"$1"/task/*/"$2"; }
switches() { threads "$1" status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
cpu_ns() { threads "$1" schedstat | awk '{n += $1} END {print n}'; }
for program in "$@"; do
  run=$(mktemp -d -p "$IDLE_WORK")
  XDG_CONFIG_HOME=$run XDG_RUNTIME_DIR=$run "$program" >"$run/log" 2>&1 &
  main=$!
  sleep 3 # started and settled
  s0=$(switches $main) c0=$(cpu_ns $main) t0=$(date +%s%N)
  sleep "$SECONDS_IDLE"
  s1=$(switches $main) c1=$(cpu_ns $main) t1=$(date +%s%N)
  kill $main
  wait $main 2>/dev/null || true
  awk -v s=$((s1 - s0)) -v c=$((c1 - c0)) -v ns=$((t1 - t0)) -v p="$program" 'BEGIN {
    secs = ns / 1e9
    printf "%s: idle %.1f s, %.2f wakeups/s, %.4f %% of a core\n", p, secs, s / secs, 100 * c / ns }'
done
