# Shared by the Wine tests: the environment made by wine_setup.sh and small helpers.
set -eu
STATE="$1"
. "$STATE/env"
EXE_DIR="$2"
WINE="${WINE:-wine}"

# Every test starts and ends with no program of the prefix running.
stop_all() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
trap stop_all EXIT
stop_all
# Each test starts from the program's defaults: no settings kept from an earlier test.
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Tapwright

driver() { "$WINE" "$EXE_DIR/tapwright_driver.exe" "$@"; }
probe() { "$WINE" "$EXE_DIR/tapwright_probe.exe" "$@"; }
start_tapwright() { "$WINE" "$EXE_DIR/tapwright.exe" >"$STATE/tapwright.log" 2>&1 & }
# start_checked_tapwright OUT: starts the program, checks its window, and ends it with the test.
start_checked_tapwright() {
  start_tapwright
  if ! driver window Tapwright.Form >"$1/window.log" 2>&1; then
    cat "$1/window.log"
    fail "the Tapwright window is missing or misplaced"
  fi
  trap 'driver end || true; stop_all' EXIT
}
fail() { echo "FAIL $*"; exit 1; }

# start_with_target OUT: the driver's target window (220, 210, 100 x 100, logging to
# OUT/target.log), then the program with its window checked; both end with the test.
start_with_target() {
  driver target 220 210 100 100 100 >"$1/target.log" 2>&1 &
  target_pid=$!
  start_tapwright
  for _ in $(seq 100); do grep -q "target ready" "$1/target.log" && break; sleep 0.1; done
  grep -q "target ready" "$1/target.log" || fail "no target window"
  if ! driver window Tapwright.Form >"$1/window.log" 2>&1; then
    cat "$1/window.log"
    fail "the Tapwright window is missing or misplaced"
  fi
  trap 'driver end || true; kill $target_pid 2>/dev/null || true; stop_all' EXIT
}

# set_options OUT X Y [X Y...]: opens the options (the gear at pixel 132, 4), left-clicks the
# controls at each X Y, keeps a picture of them in OUT/options.png and closes them. Clicks on
# two controls, so that none is a double click.
set_options() {
  out=$1
  shift
  driver click 140 12 >/dev/null
  sleep 0.5
  while [ $# -ge 2 ]; do
    driver click "$1" "$2" left >/dev/null
    sleep 0.3
    shift 2
  done
  import -window root -crop 200x210+0+0 "$out/options.png"
  driver click 140 12 >/dev/null
  sleep 0.5
}

# clicks X Y N BUTTON: N clicks, far enough apart not to be double clicks.
clicks() {
  i=0
  while [ "$i" -lt "$3" ]; do
    driver click "$1" "$2" "$4" >/dev/null
    i=$((i + 1))
  done
}

# next_minute: sets DUE (epoch seconds), HOUR and MINUTE to the start of a minute far enough ahead
# for a test to click its time fields there first.
next_minute() {
  now=$(date +%s)
  [ $((now % 60)) -lt 25 ] || sleep $((61 - now % 60))
  DUE=$((($(date +%s) / 60 + 1) * 60))
  HOUR=$(date -d "@$DUE" +%-H)  # Wine's local time is the machine's
  MINUTE=$(date -d "@$DUE" +%-M)
}

# set_time HOUR_X MINUTE_X Y: steps a pair of time fields from 12:00 to HOUR:MINUTE, the short
# way round (left steps up, right down).
set_time() {
  up=$(((HOUR - 12 + 24) % 24))
  if [ "$up" -le 12 ]; then clicks "$1" "$3" "$up" left; else clicks "$1" "$3" $((24 - up)) right; fi
  if [ "$MINUTE" -le 30 ]; then clicks "$2" "$3" "$MINUTE" left; else clicks "$2" "$3" $((60 - MINUTE)) right; fi
}

# replay_to X Y OUT: moves the pointer away, presses F10 and waits until the playback has brought
# the pointer to X Y, where the recording ended (the wait's report in OUT/cursor.log).
replay_to() {
  driver move 900 700
  sleep 0.2
  driver key F10 >/dev/null
  driver cursor-at "$1" "$2" 30 >"$3/cursor.log" || fail "playback did not end at $1 $2"
  sleep 0.3
}
