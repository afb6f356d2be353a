# Sourced by the end-to-end scripts: a private Xvfb, cleanup of everything started, waiting.
set -euo pipefail

WORK=$(mktemp -d)
PIDS=()

cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# wait_for SECONDS COMMAND...: retries COMMAND every 0.1 s until it succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Starts Xvfb on a free display (1280x1024x24, or $SCREEN) and exports DISPLAY. -noreset: without
# it the server resets when its last client leaves and refuses connections meanwhile.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  PIDS+=($!)
  wait_for 15 test -s "$WORK/display" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  export DISPLAY=":$(head -n1 "$WORK/display")"
  wait_for 10 xdpyinfo || fail "no X server on $DISPLAY"
  # A private runtime folder, as a desktop session has one.
  export XDG_RUNTIME_DIR="$WORK/run"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # Settings of the test's own, from the defaults: never the user's, nor an earlier test's.
  export XDG_CONFIG_HOME="$WORK/config"
  # WINDOW_MANAGER (a command, e.g. openbox) runs the test under a real window manager.
  if [[ -n ${WINDOW_MANAGER:-} ]]; then
    $WINDOW_MANAGER >"$WORK/wm.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
      fail "the window manager did not start on $DISPLAY: $(cat "$WORK/wm.log"; xdpyinfo 2>&1 | head -3)"
  fi
}

# Windows that are mapped and whose name is exactly $1.
windows_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# geometry WID: "X Y WIDTH HEIGHT" on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

has_window() {
  [[ -n "$(windows_named "$1")" ]]
}

# start_target PROBE LOG: the probe's target window at (220, 210), 100 x 100, which writes what
# it receives to LOG.
start_target() {
  : >"$2"
  "$1" target "$2" >"$WORK/target.out" 2>&1 &
  PIDS+=($!)
  wait_for 15 grep -q '^ready' "$WORK/target.out" || fail "target: $(cat "$WORK/target.out")"
  grep -q FAILED "$WORK/target.out" && fail "target: $(cat "$WORK/target.out")"
  wait_for 10 has_window probe-target || fail "no target window"
}

# replay_to X Y: moves the pointer away, presses F10 and waits until the playback has brought
# the pointer to X Y, where the recording ended.
replay_to() {
  xdotool mousemove 900 800
  xdotool key F10
  local at
  for _ in $(seq 300); do
    at=$(xdotool getmouselocation | sed -n 's/^x:\([-0-9]*\) y:\([-0-9]*\) .*/\1 \2/p')
    [[ "$at" == "$1 $2" ]] && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "pointer at $at after playback, not $1 $2"
}

# answering_chooser DIR: a stand-in desktop chooser (zenity) in DIR, which goes first on PATH,
# that answers every file request with the file named in DIR/answer; questions go to zenity.
answering_chooser() {
  mkdir -p "$1"
  cat >"$1/zenity" <<STUB
#!/usr/bin/env bash
[[ \$1 == --question ]] && exec $(command -v zenity) "\$@"
cat "\$(dirname "\$0")/answer"
STUB
  chmod +x "$1/zenity"
}
