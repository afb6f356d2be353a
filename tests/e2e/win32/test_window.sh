#!/bin/sh
# The main window under Wine: placement and styles as the driver reads them, then its look.
# usage: test_window.sh STATE EXE_DIR SCREENSHOT_DIR CLASS [--effects]
. "$(dirname "$0")/lib.sh"
SHOTS="$3"
CLASS="$4"
EFFECTS="${5:-}"
start_tapwright
driver window "$CLASS" $EFFECTS
[ -n "$EFFECTS" ] && exit 0

mkdir -p "$SHOTS"
sleep 1
import -window root "$SHOTS/win32-screen.png"
convert "$SHOTS/win32-screen.png" -crop 178x66+0+0 +repage "$SHOTS/win32-main-window.png"
echo "screenshot: $SHOTS/win32-screen.png"
# Counts of the exact text colours: grey title, light blue state word and chronometer.
count() { convert "$SHOTS/win32-main-window.png" txt:- | grep -ci "$1" || true; }
grey=$(count "#808080")
blue=$(count "#8080FF")
black=$(count "#000000")
echo "pixels: grey $grey, light blue $blue, black $black of $((178 * 66))"
[ "$grey" -ge 20 ] || fail "no grey title text"
[ "$blue" -ge 40 ] || fail "no light blue \"Stop\" and \"00m 00s\""
[ "$black" -ge $((178 * 66 / 2)) ] || fail "the background is not black"

# The options button (1980, 60 twips: pixel 132, 4) opens its panel; its grey captions show
# below the status strip.
driver click 138 8
sleep 0.5
import -window root -crop 178x195+0+0 "$SHOTS/win32-options-panel.png"
panel=$(convert "$SHOTS/win32-options-panel.png" -crop 178x70+0+66 txt:- | grep -ci "#808080" || true)
echo "options panel: $panel grey pixels, screenshot: $SHOTS/win32-options-panel.png"
[ "$panel" -ge 100 ] || fail "the options panel did not open"

# While idle, the title dragged elsewhere takes the window there; a later start finds it there.
strip_at() {
  import -window root -crop 178x66+"$1"+"$2" "$SHOTS/win32-placed.png"
  [ "$(convert "$SHOTS/win32-placed.png" txt:- | grep -ci "#8080FF" || true)" -ge 40 ]
}
driver click 138 8
sleep 0.5
driver sweep 20 8 420 308 300
sleep 1.5  # the settings are written a second after the change
strip_at 400 300 || fail "the dragged strip is not at 400, 300"
stop_all
start_tapwright
sleep 3
strip_at 400 300 || fail "after a restart the strip is not at 400, 300"
