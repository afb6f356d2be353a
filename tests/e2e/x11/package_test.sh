#!/usr/bin/env bash
# The .deb as a user installs it: the program, a valid desktop entry, the icons at every size, a
# manual page that renders, and the dependencies a desktop needs; and the Windows build's zip.
# Usage: package_test.sh BUILD_DIR WIN32_BUILD_DIR
set -euo pipefail
BUILD=$1 WIN32_BUILD=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$WORK/cpack.log")"
DEB=$(ls "$WORK"/pkg/tapwright_*.deb)
dpkg-deb -x "$DEB" "$WORK/root"
ROOT=$WORK/root/usr
[[ -x $ROOT/bin/tapwright ]] || fail "no /usr/bin/tapwright"
for size in 16 32 48 64 128 256; do
  png=$ROOT/share/icons/hicolor/${size}x${size}/apps/tapwright.png
  [[ "$(identify -format '%wx%h' "$png" 2>&1)" == "${size}x${size}" ]] || fail "icon $png"
done
desktop-file-validate "$ROOT/share/applications/tapwright.desktop" ||
  fail "the desktop entry does not validate"
grep -q '^Comment\[es\]=' "$ROOT/share/applications/tapwright.desktop" || fail "no Spanish comment"
MANWIDTH=80 man --warnings -l "$ROOT/share/man/man1/tapwright.1.gz" >"$WORK/man.txt" 2>"$WORK/man.err" ||
  fail "man: $(cat "$WORK/man.err")"
[[ ! -s $WORK/man.err ]] || fail "the manual page has warnings: $(cat "$WORK/man.err")"
for section in NAME SYNOPSIS KEYS OPTIONS FILES "EXIT STATUS"; do
  grep -q "^$section" "$WORK/man.txt" || fail "the manual page has no $section"
done
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for dep in "zenity | kdialog" fonts-liberation libx11-6 libxtst6 libxi6; do
  [[ $DEPENDS == *"$dep"* ]] || fail "Depends lacks $dep: $DEPENDS"
done
[[ -f $ROOT/share/doc/tapwright/LICENSE ]] || fail "no licence in the documentation"
echo "$(basename "$DEB") ok: $DEPENDS"

cpack -G ZIP --config "$WIN32_BUILD/CPackConfig.cmake" -B "$WORK/zip" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$WORK/cpack.log")"
ZIP=$(ls "$WORK"/zip/tapwright-*-windows-x64.zip)
CONTENTS=$(python3 -m zipfile -l "$ZIP" | awk 'NR > 1 {print $1}' | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
[[ $CONTENTS == "LICENSE README.md tapwright.exe " ]] || fail "the zip holds: $CONTENTS"
echo "$(basename "$ZIP") ok: $CONTENTS"
