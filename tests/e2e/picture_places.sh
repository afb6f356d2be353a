#!/bin/sh
# Checks a screenshot of the main window (at 0, 0) with the options panel open, taken at DPI: each
# picture on the title row and in the panel inks the band of its place beyond the 16 pixels it has
# at 96 DPI. The band stops short of the place's last pixels, which the next picture overlaps.
# usage: picture_places.sh SCREENSHOT DPI
set -eu
SHOT="$1"
DPI="$2"
convert "$SHOT" -depth 8 txt:- | awk -v dpi="$DPI" '
  function px(twips) { return int(twips * dpi / 1440) }
  function place(name, left, top) { n++; names[n] = name; xs[n] = left; ys[n] = top }
  BEGIN {
    # Title row, then the options panel, a frame at (120, 380) twips.
    place("options", px(1980), px(60)); place("information", px(2200), px(15))
    place("close", px(2400), px(30))
    fx = px(120); fy = px(380)
    place("click", fx + px(70), fy + px(360)); place("repeat", fx + px(60), fy + px(615))
    place("timer", fx + px(60), fy + px(900)); place("sequence", fx + px(60), fy + px(1200))
    size = px(240); last = size - 4
    if (last < 16) { print "at " dpi " DPI a place is " size " pixels: nothing to check"; exit 2 }
  }
  {
    split($1, at, "[,:]"); x = at[1]; y = at[2]
    gsub(/[()]/, "", $2); split($2, c, ",")
    if (c[1] <= 40 && c[2] <= 40 && c[3] <= 40) next
    for (i = 1; i <= n; i++) {
      rx = x - xs[i]; ry = y - ys[i]
      if (rx >= 0 && ry >= 0 && rx <= last && ry <= last && (rx >= 16 || ry >= 16)) band[i]++
    }
  }
  END {
    if (size - 4 < 16) exit 2
    bad = 0
    for (i = 1; i <= n; i++) {
      printf "%s at %d,%d: %d inked pixels beyond 16 of %d\n", names[i], xs[i], ys[i], band[i], size
      if (band[i] < 20) bad = 1
    }
    exit bad
  }'
