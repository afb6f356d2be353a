#!/usr/bin/env bash
# Installs what is missing, builds Tapwright and starts it. Without a display it starts it on a
# virtual one (Xvfb), writes a screenshot and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Tapwright on $DISPLAY (close it with its X button)."
  exec build/linux/tapwright
fi

shot="$PWD/build/linux/tapwright-screenshot.png"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# -noreset: a server that resets when its last client leaves refuses connections meanwhile.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
XDG_RUNTIME_DIR="$work" build/linux/tapwright &
pids+=($!)
for _ in $(seq 50); do
  xdotool search --name '^Tapwright$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
import -window root -crop 400x200+0+0 "$shot"
echo "No display here: Tapwright ran on a virtual display (Xvfb $DISPLAY)."
echo "Screenshot of its window: $shot"
echo "On a desktop, run build/linux/tapwright (or this script) from a terminal in the session."
