#!/usr/bin/env bash
# At a higher Xft.dpi the window grows and every picture fills its grown place: a picture drawn
# at its 96 DPI size would leave the place's right and bottom bands empty.
# Usage: dpi_test.sh TAPWRIGHT PICTURES_CHECK SCREENSHOT_DIR DPI
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 CHECK=$2 SHOTS=$3 DPI=$4
mkdir -p "$SHOTS"
start_xvfb
echo "Xft.dpi: $DPI" | xrdb -merge

"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5
MAIN=$(windows_named Tapwright)
px() { echo $(($1 * DPI / 1440)); }  # twips to pixels, truncated as the program does

size_is() { [[ "$(geometry "$MAIN")" == "$1" ]]; }
WIDTH=$(px 2670)
wait_for 5 size_is "0 0 $WIDTH $(px 1000)" ||
  fail "at $DPI DPI the window is $(geometry "$MAIN"), not ${WIDTH}x$(px 1000)"
# The options button (1980, 60 twips) opens its panel: 2935 twips high.
xdotool mousemove $(($(px 1980) + 4)) $(($(px 60) + 4)) click 1
wait_for 5 size_is "0 0 $WIDTH $(px 2935)" ||
  fail "with the options open the window is $(geometry "$MAIN"), not ${WIDTH}x$(px 2935)"
SHOT="$SHOTS/x11_dpi_$DPI.png"
import -window root -crop "$((WIDTH + 10))x$(($(px 2935) + 10))+0+0" "$SHOT"
echo "screenshot: $SHOT"
bash "$CHECK" "$SHOT" "$DPI" || fail "the pictures do not fill their places"
