#!/usr/bin/env bash
# Installs what is missing, builds Tapwright and starts it. Without a display it starts it on a
# virtual one (Xvfb), writes a screenshot and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh --run
cmake --preset linux >/dev/null
cmake --build --preset linux

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Tapwright on $DISPLAY (close it with its X button)."
  exec build/linux/tapwright
fi

shot="$PWD/build/linux/tapwright-screenshot.png"
work=$(mktemp -d)
xvfb="" app=""
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
# The program before its display: a display that goes away first is an error it reports.
cleanup() {
  stop "$app"
  stop "$xvfb"
  rm -rf "$work"
}
trap cleanup EXIT

# -noreset: a server that resets when its last client leaves refuses connections meanwhile.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
# Settings of its own: the screenshot shows the defaults, and the user's settings stay untouched.
XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work" build/linux/tapwright &
app=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name '^Tapwright$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "tapwright: no window on the virtual display" >&2; exit 1; }
sleep 0.5
# The window's own area of the screen; +repage drops the offset the crop would leave in the file.
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "No display here: Tapwright ran on a virtual display (Xvfb $DISPLAY)."
echo "Screenshot of its window: $shot"
echo "On a desktop, run build/linux/tapwright (or this script) from a terminal in the session."
