#!/usr/bin/env bash
# Two monitors side by side, the primary one on the left and shorter than the other: the window
# starts, hops and rests on the primary monitor, and the About window opens in its middle.
# Usage: monitors_test.sh TAPWRIGHT
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1
SCREEN=2560x1024x24 start_xvfb
xrandr --setmonitor '*left' 1280/338x768/203+0+0 none >/dev/null
xrandr --setmonitor right 1280/338x1024/270+1280+0 none >/dev/null

"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5
MAIN=$(windows_named Tapwright)
at() { [[ "$(geometry "$MAIN" | cut -d' ' -f1-2)" == "$1" ]]; }
wait_for 5 at "0 0" || fail "the window starts at $(geometry "$MAIN")"

xdotool mousemove 20 8 click 1
two_windows() { (($(windows_named Tapwright | wc -l) == 2)); }
wait_for 5 two_windows || fail "no About window"
ABOUT=$(windows_named Tapwright | grep -vx "$MAIN")
[[ "$(geometry "$ABOUT")" == "498 299 283 170" ]] || fail "About at $(geometry "$ABOUT")"
xdotool mousemove 600 400 click 1
one_window() { (($(windows_named Tapwright | wc -l) == 1)); }
wait_for 5 one_window || fail "the About window did not close"

# Recording: the hops keep to the primary monitor, 1280 x 768 (the bottom corner is 1000 + 500
# twips, 100 pixels, above its bottom edge).
xdotool mousemove 700 500 key F8
sleep 0.3
xdotool mousemove 5 40
wait_for 5 at "1102 0" || fail "the first hop went to $(geometry "$MAIN")"
xdotool mousemove 1107 40
wait_for 5 at "1102 668" || fail "the second hop went to $(geometry "$MAIN")"
xdotool mousemove 700 500 key F8
wait_for 5 at "0 0" || fail "the stop did not bring the window back: $(geometry "$MAIN")"
echo "monitors ok"
