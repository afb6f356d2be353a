#!/usr/bin/env bash
# The window as a user handles it: a panel opens and grows the window, the title opens the
# About window in the middle of the screen, a click closes it, while recording the window hops out
# of the pointer's way, and while idle its title drags it to a place it keeps.
# Usage: window_behaviour_test.sh TAPWRIGHT SCREENSHOT_DIR
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 SHOTS=$2
mkdir -p "$SHOTS"
start_xvfb

"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5
MAIN=$(windows_named Tapwright)

# The options button (1980, 60 twips: pixel 132, 4) opens its panel: 2935 twips high.
xdotool mousemove 138 8 click 1
size_is() { [[ "$(geometry "$MAIN")" == "$1" ]]; }
wait_for 5 size_is "0 0 178 195" || fail "with the options open the window is $(geometry "$MAIN")"
import -window root -crop 200x210+0+0 "$SHOTS/x11_options_panel.png"
xdotool click 1
wait_for 5 size_is "0 0 178 66" || fail "closed again the window is $(geometry "$MAIN")"

# The title opens the About window, centred on the 1280 x 1024 screen.
xdotool mousemove 20 8 click 1
two_windows() { (($(windows_named Tapwright | wc -l) == 2)); }
wait_for 5 two_windows || fail "no About window"
ABOUT=$(windows_named Tapwright | grep -vx "$MAIN")
[[ "$(geometry "$ABOUT")" == "498 427 283 170" ]] || fail "About at $(geometry "$ABOUT")"
import -window root -crop 283x170+498+427 "$SHOTS/x11_about.png"
xdotool mousemove 600 500 click 1
one_window() { (($(windows_named Tapwright | wc -l) == 1)); }
wait_for 5 one_window || fail "the About window did not close"

# While recording, crossing the window's own background sends it to the next corner.
xdotool mousemove 700 700 key F8
sleep 0.3
xdotool mousemove 5 40
at_top_right() { [[ "$(geometry "$MAIN" | cut -d' ' -f1-2)" == "1102 0" ]]; }
wait_for 5 at_top_right || fail "the window did not hop: $(geometry "$MAIN")"
xdotool mousemove 700 700 key F8
back_home() { [[ "$(geometry "$MAIN" | cut -d' ' -f1-2)" == "0 0" ]]; }
wait_for 5 back_home || fail "the stop did not bring the window back: $(geometry "$MAIN")"

# While idle, the title dragged elsewhere takes the window there, with no About; a later start
# finds it there.
xdotool mousemove 20 8 mousedown 1 mousemove 24 10 mousemove 220 108 mousemove 420 308 mouseup 1
at_place() { [[ "$(geometry "$MAIN" | cut -d' ' -f1-2)" == "400 300" ]]; }
wait_for 5 at_place || fail "the dragged window is at $(geometry "$MAIN")"
sleep 0.5
one_window || fail "a drag of the title opened the About window"
kill -TERM "${PIDS[-1]}"
wait "${PIDS[-1]}" || true
"$TAPWRIGHT" >"$WORK/again.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window after the restart"
MAIN=$(windows_named Tapwright)
wait_for 5 at_place || fail "after a restart the window is at $(geometry "$MAIN")"
echo "window behaviour ok"
