#!/usr/bin/env bash
# The replay fidelity of the Windows build under Wine, beside the X11 build's on the same display
# in the same run: the X11 benchmark's path (bench/x11/fidelity.cpp), driven with XTest at 1 kHz,
# recorded and replayed by tapwright.exe (keys from the Win32 test driver), then by the X11 build.
# Beside each replay, the recording as tapwright.exe saved it (F6), a sample a millisecond, against
# the same path: a fault shows on the side it is on. Then the Windows build's span for a
# 5000-sample file and its CPU while idle.
#
#   cmake --build build/test --target bench_win32_fidelity
# or run_fidelity_bench.sh WIN32_BUILD_DIR FIDELITY [TAPWRIGHT]
#   WIN32_BUILD_DIR  build/test/win32, which holds tapwright.exe and tapwright_driver.exe
#   FIDELITY         build/test/bench/x11/x11_fidelity
#   TAPWRIGHT        the X11 build for the reference figure (the target's is build/test's, with
#                    the sanitizers; the linux preset's build/linux/tapwright is the optimised one)
#
# Each program starts from its defaults: a fresh Wine prefix, a HOME of its own for the X11 build.
# On a 2-core machine the figures vary by run: take three. Wine injects clicks into its own
# windows only, so the probe (an X window) counts none of tapwright.exe's.
set -euo pipefail
EXE_DIR=$1 FIDELITY=$2 TAPWRIGHT=${3:-}
here=$(cd "$(dirname "$0")/../.." && pwd)
STATE=$(mktemp -d)
X11_PID=""
cleanup() {
  [[ -n $X11_PID ]] && kill "$X11_PID" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [[ -f $STATE/xvfb.pid ]] && kill "$(cat "$STATE/xvfb.pid")" 2>/dev/null || true
  rm -rf "$STATE"
}
trap cleanup EXIT
sh "$here/tests/e2e/win32/wine_setup.sh" "$STATE" >/dev/null
. "$STATE/env"
driver() { wine "$EXE_DIR/tapwright_driver.exe" "$@" >/dev/null; }
public="$WINEPREFIX/drive_c/users/Public"

probe() {
  "$FIDELITY" probe "$1" "$STATE/$2.log" >"$STATE/$2.out" &
  PROBE=$!
  for _ in $(seq 50); do grep -q ready "$STATE/$2.out" && break; sleep 0.1; done
}
analyze() { "$FIDELITY" analyze "$STATE/$1.log" "$STATE/drive.log"; }

# record_and_replay KEY...: F8 around the driven path, then F10, each key sent by KEY...
record_and_replay() {
  probe 7 record
  "$FIDELITY" start
  "$@" F8
  sleep 0.3
  "$FIDELITY" drive "$STATE/drive.log"
  sleep 0.3
  "$@" F8
  wait "$PROBE"
  xdotool mousemove 1000 740
  sleep 0.3
  probe 8 replay
  "$@" F10
  wait "$PROBE"
}

wine "$EXE_DIR/tapwright.exe" >"$STATE/tapwright.log" 2>&1 &
for _ in $(seq 100); do pgrep -x tapwright.exe >/dev/null && break; sleep 0.1; done
sleep 2
TW=$(pgrep -x tapwright.exe | tail -n 1)
record_and_replay driver key
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1); $(wine --version) on Xvfb"
echo "tapwright.exe under Wine:    $(analyze replay)"
echo "  (the path as driven)       $(analyze record)"
# The recording as saved, a sample a millisecond: the probe's log format, for the same analysis.
wine "$EXE_DIR/tapwright_driver.exe" answer "Tapwright - Save file" 'C:\users\Public\taken' 30 \
  >/dev/null &
answer=$!
driver key F6
wait "$answer"
for _ in $(seq 50); do [[ -s $public/taken.tpw ]] && break; sleep 0.1; done
tr -d '\r' <"$public/taken.tpw" | awk -F, '{printf "%d %s %s\n", NR * 1000, $1, $2}' >"$STATE/taken.log"
echo "  (its recording, as saved)  $(analyze taken)"

# A 5000-sample file, loaded with F5: a step to the right every millisecond, so the probe sees
# when its first and last samples play.
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

[[ -n $TAPWRIGHT ]] || exit 0
# The reference: the X11 build on the same display, once Wine has gone.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
mkdir -p "$STATE/home" "$STATE/run"
chmod 700 "$STATE/run"
HOME="$STATE/home" XDG_CONFIG_HOME="$STATE/home/.config" XDG_RUNTIME_DIR="$STATE/run" \
  "$TAPWRIGHT" >"$STATE/x11.log" 2>&1 &
X11_PID=$!
for _ in $(seq 100); do xdotool search --name '^Tapwright$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
record_and_replay xdotool key
echo "tapwright (X11), reference:  $(analyze replay)  clicks $(sed -n 's/^clicks //p' "$STATE/replay.out") of 3"
echo "  (the path as driven)       $(analyze record)"
