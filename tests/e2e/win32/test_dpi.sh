#!/bin/sh
# The main window at a higher Windows DPI (LogPixels): it grows, and with the options panel open
# every picture fills its grown place. The prefix is shared, so the DPI is put back at the end.
# usage: test_dpi.sh STATE EXE_DIR SCREENSHOT_DIR DPI PICTURES_CHECK
. "$(dirname "$0")/lib.sh"
SHOTS="$3"
DPI="$4"
CHECK="$5"
DESKTOP='HKCU\Control Panel\Desktop'
reset_dpi() {
  stop_all
  "$WINE" reg delete "$DESKTOP" /v LogPixels /f >/dev/null 2>&1 || true
  stop_all  # the registry reaches the disk, and the next start reads it afresh
}
trap reset_dpi EXIT
"$WINE" reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
stop_all  # the DPI is read when Wine starts
px() { echo $(($1 * DPI / 1440)); }  # twips to pixels, truncated as the program does

# size_is WIDTH HEIGHT: the Tapwright window at (0, 0) has that size.
size_is() {
  w=$(xdotool search --name '^Tapwright$' 2>/dev/null | head -n1)
  [ -n "$w" ] && [ "$(xwininfo -id "$w" | awk '/Absolute upper-left [XY]/ {p = p $NF " "}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print p w "x" h}')" = "0 0 $1x$2" ]
}
wait_size() {
  i=0
  until size_is "$1" "$2"; do
    i=$((i + 1))
    [ "$i" -lt 100 ] || return 1
    sleep 0.2
  done
}

start_tapwright
wait_size "$(px 2670)" "$(px 1000)" || fail "no $(px 2670) x $(px 1000) window at $DPI DPI"
# The options button (1980, 60 twips) opens its panel: 2935 twips high.
driver click $(($(px 1980) + 4)) $(($(px 60) + 4))
wait_size "$(px 2670)" "$(px 2935)" || fail "the options panel did not open to $(px 2935) pixels"
sleep 0.3
mkdir -p "$SHOTS"
SHOT="$SHOTS/win32_dpi_$DPI.png"
import -window root -crop "$(($(px 2670) + 10))x$(($(px 2935) + 10))+0+0" "$SHOT"
echo "screenshot: $SHOT"
sh "$CHECK" "$SHOT" "$DPI" || fail "the pictures do not fill their places"
