#!/usr/bin/env bash
# The real program under Xvfb: one borderless window at the top-left corner, drawn, and alone.
# Usage: main_window_test.sh TAPWRIGHT SCREENSHOT_DIR NAME [LANG]
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 SHOTS=$2 NAME=$3
LANGUAGE_ENV=${4:-en_US.UTF-8}
mkdir -p "$SHOTS"
start_xvfb

env -u LC_ALL -u LC_MESSAGES LANG="$LANGUAGE_ENV" "$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
MAIN=$!
wait_for 15 has_window Tapwright || fail "no window titled Tapwright"
sleep 1  # the first paint, and the key poller's first rounds
kill -0 "$MAIN" 2>/dev/null || fail "tapwright ended: $(cat "$WORK/tapwright.log")"

mapfile -t WINDOWS < <(windows_named Tapwright)
((${#WINDOWS[@]} == 1)) || fail "expected one Tapwright window, found ${#WINDOWS[@]}"
W=${WINDOWS[0]}
read -r X Y WIDTH HEIGHT < <(geometry "$W")
[[ "$X $Y $WIDTH $HEIGHT" == "0 0 178 66" ]] || fail "window at $X,$Y size ${WIDTH}x$HEIGHT"
xprop -id "$W" _MOTIF_WM_HINTS | grep -q '= 0x2, 0x0, 0x0' || fail "window has decorations"
xprop -id "$W" _NET_WM_NAME | grep -q '"Tapwright"' || fail "_NET_WM_NAME is not the title"
xprop -id "$W" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the window is not kept on top"
xprop -id "$W" WM_CLASS | grep -q '"tapwright", "Tapwright"' || fail "WM_CLASS is not tapwright"
# The icon at 16, 32, 48 and 256 pixels: each size's width and height lead its pixels.
ICON_SIZES=$(xprop -id "$W" -notype 32c _NET_WM_ICON | tr -d ' ' | cut -d= -f2 | tr ',' '\n' | awk '
  BEGIN { at = 1 } NR == at { w = $1 } NR == at + 1 { printf "%dx%d ", w, $1; at += 2 + w * $1 }')
[[ $ICON_SIZES == "16x16 32x32 48x48 256x256 " ]] || fail "_NET_WM_ICON holds sizes: $ICON_SIZES"
OPACITY=$(xprop -id "$W" _NET_WM_WINDOW_OPACITY | awk '{print $NF}')
[[ $OPACITY =~ ^[0-9]+$ ]] || fail "no window opacity"
((OPACITY > 0xE0000000 && OPACITY < 0xF3000000)) || fail "opacity $OPACITY is not about 93 %"

SHOT="$SHOTS/$NAME.png"
import -window root "$SHOT" || fail "no screenshot"
# Pixel counts in the window's area: the grey title, the light blue "Stop" and "00m 00s".
read -r GREY BLUE < <(convert "$SHOT" -crop 178x66+0+0 +repage -depth 8 txt:- |
  sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' | awk '
  $1 >= 120 && $1 <= 136 && $2 >= 120 && $2 <= 136 && $3 >= 120 && $3 <= 136 { grey++ }
  $1 >= 120 && $1 <= 136 && $2 >= 120 && $2 <= 136 && $3 >= 245 { blue++ }
  END { print grey + 0, blue + 0 }')
echo "grey pixels: $GREY, light blue pixels: $BLUE, screenshot: $SHOT"
((GREY >= 20)) || fail "the grey title is not drawn"
((BLUE >= 40)) || fail "the light blue state texts are not drawn"

# A second copy finds the first and ends by itself, leaving one window: also with the display
# named with its screen or as a local socket, and whatever XDG_RUNTIME_DIR says.
for SECOND_ENV in "" "DISPLAY=$DISPLAY.0 XDG_RUNTIME_DIR=$WORK/missing" "XDG_RUNTIME_DIR=" \
  "DISPLAY=unix$DISPLAY"; do
  RC=0
  env $SECOND_ENV timeout 10 "$TAPWRIGHT" >"$WORK/second.log" 2>&1 || RC=$?
  ((RC != 124)) || fail "the second copy ($SECOND_ENV) did not end by itself"
done
mapfile -t WINDOWS < <(windows_named Tapwright)
((${#WINDOWS[@]} == 1)) || fail "a second copy left ${#WINDOWS[@]} windows"
kill -0 "$MAIN" 2>/dev/null || fail "tapwright ended: $(cat "$WORK/tapwright.log")"

# The server going away ends the program with a word on why.
kill "${PIDS[0]}"
RC=0
timeout 10 tail --pid="$MAIN" -f /dev/null || fail "tapwright outlived its X server"
wait "$MAIN" || RC=$?
((RC == 6)) || fail "tapwright ended with status $RC without its X server"
grep -q "lost the connection to the display" "$WORK/tapwright.log" ||
  fail "no word on the lost display: $(cat "$WORK/tapwright.log")"
echo "main window ok (LANG=$LANGUAGE_ENV)"
