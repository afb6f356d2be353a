#!/usr/bin/env bash
# The replay fidelity of the Windows build under Wine: the X11 benchmark's path, driven with XTest
# on Wine's display, recorded and replayed by tapwright.exe (keys from the Win32 test driver),
# then its CPU while idle. Usage: run_fidelity_bench.sh WIN32_BUILD_DIR FIDELITY
# (WIN32_BUILD_DIR is build/test/win32, which holds tapwright.exe and tapwright_driver.exe).
set -euo pipefail
EXE_DIR=$1 FIDELITY=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
STATE=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -f $STATE/xvfb.pid ]] && kill "$(cat "$STATE/xvfb.pid")" 2>/dev/null || true
  rm -rf "$STATE"
}
trap cleanup EXIT
sh "$here/tests/e2e/win32/wine_setup.sh" "$STATE" >/dev/null
. "$STATE/env"
driver() { wine "$EXE_DIR/tapwright_driver.exe" "$@" >/dev/null; }

wine "$EXE_DIR/tapwright.exe" >"$STATE/tapwright.log" 2>&1 &
for _ in $(seq 100); do pgrep -x tapwright.exe >/dev/null && break; sleep 0.1; done
sleep 2
TW=$(pgrep -x tapwright.exe | tail -n 1)

probe() {
  "$FIDELITY" probe "$1" "$STATE/$2.log" >"$STATE/$2.out" &
  PROBE=$!
  for _ in $(seq 50); do grep -q ready "$STATE/$2.out" && break; sleep 0.1; done
}

probe 7 record
"$FIDELITY" start
driver key F8
sleep 0.3
"$FIDELITY" drive "$STATE/drive.log"
sleep 0.3
driver key F8
wait "$PROBE"
xdotool mousemove 1000 740
sleep 0.3
probe 8 replay
driver key F10
wait "$PROBE"
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1); $(wine --version) on Xvfb"
echo "tapwright.exe under Wine: $("$FIDELITY" analyze "$STATE/replay.log" "$STATE/drive.log")"
echo "  (the path as driven)    $("$FIDELITY" analyze "$STATE/record.log" "$STATE/drive.log")"
# A 5000-sample file, loaded with F5: a step to the right every millisecond, so the probe sees
# when its first and last samples play.
public="$WINEPREFIX/drive_c/users/Public"
awk 'BEGIN {for (i = 0; i < 5000; ++i) printf "%d,600,-1\r\n", 100 + i % 800}' >"$public/five.tpw"
wine "$EXE_DIR/tapwright_driver.exe" answer "Tapwright - Load file" 'C:\users\Public\five.tpw' 30 \
  >/dev/null &
answer=$!
driver key F5
wait "$answer"
sleep 0.5
probe 8 five
driver key F10
wait "$PROBE"
echo "a 5000-sample file replays in $("$FIDELITY" span "$STATE/five.log") (first to last sample)"

# Every thread of the process: Wine runs its own beside the program's timer thread.
cpu_ns() { cat /proc/"$TW"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns}'; }
before=$(cpu_ns)
sleep 20
after=$(cpu_ns)
echo "tapwright.exe idle after a recording: $(awk -v ns=$((after - before)) \
  'BEGIN {printf "%.3f", 100 * ns / 20e9}') % of a core over 20 s (its own threads; wineserver not counted)"
