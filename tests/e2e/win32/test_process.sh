#!/bin/sh
# What the program learns about itself, and single-instance detection across processes.
# usage: test_process.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
info=$(probe info)
printf "%s\n" "$info"
printf "%s\n" "$info" | grep -qF "folder $(winepath -w "$EXE_DIR")" || fail "wrong program folder"
printf "%s\n" "$info" | grep -q "^language [A-Z][a-z]" || fail "no locale language"
printf "%s\n" "$info" | grep -q "^screen 1024x768 twips/pixel 15.00 15.00" || fail "wrong screen metrics"

probe instance | grep -q "another 0" || fail "a copy is reported while none runs"
start_tapwright
driver window Tapwright.Form >/dev/null || fail "the program did not start"
probe instance | grep -q "another 1" || fail "the running copy is not detected"
# The look of a press: the window of another program under a point (here, the running copy's).
look=$(probe look 20 10)
printf "%s\n" "$look"
printf "%s\n" "$look" | grep -q "^window 1 class Tapwright.Form program tapwright.exe title Tapwright at " ||
  fail "the window under the point is not the running copy's"
printf "%s\n" "$look" | grep -q "^screen read" || fail "the screen could not be read"

# A second copy ends by itself, and the first one's window stays the only one.
timeout 20 "$WINE" "$EXE_DIR/tapwright.exe" || fail "the second copy did not end"
driver window Tapwright.Form >/dev/null || fail "the first copy's window is gone"

# The icon as Explorer loads it: the large image (a PNG in the .ico) and a small one cover the
# same share of their square, within 3 %.
exe=$(winepath -w "$EXE_DIR/tapwright.exe")
opaque() { driver icon "$exe" "$1" | tr -d '\r' | sed -n "s/^icon $1x$1 rows $1 opaque \([0-9]*\)$/\1/p"; }
large=$(opaque 256)
small=$(opaque 48)
[ -n "$large" ] && [ -n "$small" ] || fail "the icon does not load at 256 and 48 pixels"
[ $((large * 48 * 48 * 100)) -ge $((small * 256 * 256 * 97)) ] &&
  [ $((large * 48 * 48 * 97)) -le $((small * 256 * 256 * 100)) ] ||
  fail "the icon's 256 pixel image ($large opaque) is not its 48 pixel one ($small) enlarged"
