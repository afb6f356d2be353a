#!/usr/bin/env bash
# The X11 backend end to end: window hints, global keys while another window has the focus,
# cursor, synthetic clicks reaching a window, file drops, timers, modal loops.
# Usage: backend_probe_test.sh X11_PROBE XDND_SOURCE WM_CLOSE
source "$(dirname "$0")/xvfb_lib.sh"
PROBE=$1 DND=$2 WM_CLOSE=$3
start_xvfb

LOG="$WORK/target.log"
start_target "$PROBE" "$LOG"
T=$(windows_named probe-target)

# Window hints: a tool window out of the task bar, topmost, half transparent, where it was put.
read -r X Y WIDTH HEIGHT < <(geometry "$T")
[[ "$X $Y $WIDTH $HEIGHT" == "220 210 100 100" ]] || fail "target at $X,$Y ${WIDTH}x$HEIGHT"
PROPS=$(xprop -id "$T")
grep -q '_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_UTILITY' <<<"$PROPS" || fail "type"
grep -q '_NET_WM_STATE(ATOM) = .*_NET_WM_STATE_SKIP_TASKBAR' <<<"$PROPS" || fail "skip taskbar"
grep -q '_NET_WM_STATE(ATOM) = .*_NET_WM_STATE_ABOVE' <<<"$PROPS" || fail "not topmost"
grep -q "_NET_WM_WINDOW_OPACITY(CARDINAL) = $((128 * 0x01010101))" <<<"$PROPS" || fail "opacity"

# Global keys: the target has the focus and gets the keys; the probe still sees every press.
"$PROBE" keys >"$WORK/keys.out" 2>&1 &
KEYS=$!
PIDS+=($KEYS)
wait_for 10 grep -q '^ready' "$WORK/keys.out" || fail "keys: $(cat "$WORK/keys.out")"
xdotool windowfocus --sync "$T"
xdotool key F5 F6 F8 F10 Escape Down
xdotool keydown Up
sleep 0.4
xdotool keyup Up
xdotool mousemove 700 700 click 1 click 2 click 3
RC=0
timeout 20 tail --pid="$KEYS" -f /dev/null || RC=$?
wait "$KEYS" || RC=$?
cat "$WORK/keys.out"
((RC == 0)) || fail "global keys"
grep -q '^key 38$' "$LOG" || fail "the focused window did not get the Up key: $(cat "$LOG")"
grep -q '^key 116$' "$LOG" || fail "the focused window did not get F5: $(cat "$LOG")"

# Cursor: set and read back by the probe, and seen by another client.
timeout 10 "$PROBE" cursor 321 234 || fail "cursor"
xdotool getmouselocation | grep -q '^x:321 y:234 ' || fail "cursor at $(xdotool getmouselocation)"

# Synthetic clicks at (250, 260) reach the target at client (30, 50) in order.
: >"$LOG"
timeout 10 "$PROBE" click 250 260 || fail "click"
wait_for 5 grep -q '^double' "$LOG" || fail "no double click: $(cat "$LOG")"
sleep 0.3
EXPECTED='down left 30 50 buttons=1
up left 30 50 buttons=0
down right 30 50 buttons=2
up right 30 50 buttons=0
down middle 30 50 buttons=4
up middle 30 50 buttons=0
down left 30 50 buttons=1
up left 30 50 buttons=0
double left 30 50 buttons=1
up left 30 50 buttons=0'
[[ "$(cat "$LOG")" == "$EXPECTED" ]] || fail "clicks received:
$(cat "$LOG")"

# File drops, as a file manager offers them (copy, move and link) and as a plain copy.
: >"$LOG"
timeout 10 "$DND" "$T" 250 260 all 'file:///tmp/a%20b.tpw' "file://localhost/tmp/c.tpw" \
  'http://example.invalid/d.tpw' 'file:///tmp/bad%0.tpw' || fail "drop refused"
wait_for 5 grep -q '^drop' "$LOG" || fail "no drop arrived"
[[ "$(cat "$LOG")" == "drop 7 30 50 /tmp/a b.tpw|/tmp/c.tpw" ]] || fail "drop: $(cat "$LOG")"
: >"$LOG"
timeout 10 "$DND" "$T" 230 220 copy "file:///tmp/x.tpw" || fail "copy drop refused"
wait_for 5 grep -q '^drop' "$LOG" || fail "no copy drop arrived"
[[ "$(cat "$LOG")" == "drop 1 10 10 /tmp/x.tpw" ]] || fail "copy drop: $(cat "$LOG")"

# A close request reaches the window; closing is its owner's decision.
: >"$LOG"
"$WM_CLOSE" "$T"
wait_for 5 grep -q '^close$' "$LOG" || fail "no close request arrived"
has_window probe-target || fail "a close request destroyed the window"

# The look of a press: the window of another program under a point, and the screen's colour there.
OUT=$(timeout 10 "$PROBE" look 250 240) || fail "look: $OUT"
echo "$OUT"
grep -qx 'window 1 class Tapwright program tapwright title probe-target at 220 210 100x100' \
  <<<"$OUT" || fail "the window under the point: $OUT"
grep -qx 'colour 00FF00' <<<"$OUT" || fail "the colour under the point: $OUT"
xsetroot -solid '#FF8000'
OUT=$(timeout 10 "$PROBE" look 5 1000) || fail "look at the empty desktop: $OUT"
grep -q '^window 0 ' <<<"$OUT" || fail "a window where there is none: $OUT"
grep -qx 'colour FF8000' <<<"$OUT" || fail "red, green and blue in their places: $OUT"
xsetroot -solid black

# Screen metrics: twips per pixel from Xft.dpi (96 when unset), not from the server's millimetres.
OUT=$(timeout 10 "$PROBE" screen) || fail "screen: $OUT"
echo "$OUT"
grep -q '^screen 1280x1024 twips 15.00 15.00 text [0-9]' <<<"$OUT" || fail "screen: $OUT"
WIDTH=$(sed -n 's/^screen .* text \([0-9]*\)$/\1/p' <<<"$OUT")
((WIDTH >= 50 && WIDTH <= 110)) || fail "\"Tapwright\" at 16 px bold is $WIDTH px wide"
xrdb -nocpp -merge <<<"Xft.dpi: 144"
OUT=$(timeout 10 "$PROBE" screen) || fail "screen: $OUT"
grep -q '^screen 1280x1024 twips 10.00 10.00 ' <<<"$OUT" || fail "screen at 144 dpi: $OUT"

# Process: the language from the locale variables, the program's folder, the local time.
run_process() { env -u LC_ALL -u LC_MESSAGES -u LANG "$@" timeout 10 "$PROBE" process; }
OUT=$(run_process LANG=es_ES.UTF-8) || fail "process: $OUT"
echo "$OUT"
grep -qx 'language Spanish' <<<"$OUT" || fail "es_ES is not Spanish"
grep -qx "folder $(cd "$(dirname "$PROBE")" && pwd -P)" <<<"$OUT" || fail "folder"
NOW=$(date +%H:%M)
grep -qx "time $NOW:[0-9][0-9]" <<<"$OUT" || [[ $(date +%H:%M) != "$NOW" ]] || fail "local time"
OUT=$(run_process LANG=en_GB.UTF-8 LC_MESSAGES=de_DE.UTF-8) || fail "process: $OUT"
grep -qx 'language German' <<<"$OUT" || fail "LC_MESSAGES does not come before LANG"
OUT=$(run_process LANG=C LC_ALL=) || fail "process: $OUT"
grep -qx 'language (none)' <<<"$OUT" || fail "the C locale names a language"

timeout 30 "$PROBE" timers || fail "timers"
timeout 20 "$PROBE" modal || fail "modal"
echo "backend probe ok"
