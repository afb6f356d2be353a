#!/usr/bin/env bash
# The .deb as a user installs it: the program, a valid desktop entry, the icons at every size, a
# manual page that renders, the dependencies a desktop needs, .tpw files that a file manager opens
# with Tapwright, and what lintian and appstreamcli ask of a package; and the Windows build's zip.
# Usage: package_test.sh BUILD_DIR WIN32_BUILD_DIR
set -euo pipefail
BUILD=$1 WIN32_BUILD=$2
SOURCE=$(cd "$(dirname "$0")/../../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$WORK/cpack.log")"
DEB=$(ls "$WORK"/pkg/tapwright_*.deb)
VERSION=$(dpkg-deb -f "$DEB" Version)
root_flag=()
[[ $(id -u) -ne 0 ]] || root_flag=(--allow-root)
lintian --pedantic --display-info --display-experimental "${root_flag[@]}" \
  --fail-on error,warning,info,pedantic,experimental "$DEB" >"$WORK/lintian.txt" 2>&1 ||
  fail "lintian: $(cat "$WORK/lintian.txt")"

dpkg-deb -x "$DEB" "$WORK/root"
ROOT=$WORK/root/usr
[[ -x $ROOT/bin/tapwright ]] || fail "no /usr/bin/tapwright"
# lintian checks the other hardening flags but not this one.
[[ $(nm -D "$ROOT/bin/tapwright") == *" __stack_chk_fail"* ]] || fail "no stack protector"
# --strict fails on all but the pedantic hints; those fail here too.
if ! appstreamcli validate-tree --pedantic --no-net --strict "$WORK/root" >"$WORK/appstream.txt" 2>&1 ||
  grep -Eq '^ *[A-Z]: ' "$WORK/appstream.txt"; then
  fail "appstreamcli: $(cat "$WORK/appstream.txt")"
fi
for size in 16 32 48 64 128 256; do
  for png in apps/tapwright.png mimetypes/application-x-tapwright-recording.png; do
    png=$ROOT/share/icons/hicolor/${size}x${size}/$png
    [[ "$(identify -format '%wx%h' "$png" 2>&1)" == "${size}x${size}" ]] || fail "icon $png"
  done
done
# Stored uncompressed, the 256 px icon takes 262 KB.
(($(stat -c %s "$ROOT/share/icons/hicolor/256x256/apps/tapwright.png") < 32768)) ||
  fail "the icons are not compressed"
desktop-file-validate "$ROOT/share/applications/tapwright.desktop" ||
  fail "the desktop entry does not validate"
grep -q '^Comment\[es\]=' "$ROOT/share/applications/tapwright.desktop" || fail "no Spanish comment"
MANWIDTH=80 man --warnings -l "$ROOT/share/man/man1/tapwright.1.gz" >"$WORK/man.txt" 2>"$WORK/man.err" ||
  fail "man: $(cat "$WORK/man.err")"
[[ ! -s $WORK/man.err ]] || fail "the manual page has warnings: $(cat "$WORK/man.err")"
for section in NAME SYNOPSIS KEYS OPTIONS FILES ENVIRONMENT "EXIT STATUS"; do
  grep -q "^$section" "$WORK/man.txt" || fail "the manual page has no $section"
done
[[ $(zcat "$ROOT/share/man/man1/tapwright.1.gz") =~ ^\.TH\ [A-Z]+\ 1\ \"[0-9]{4}-[0-9]{2}-[0-9]{2}\" ]] ||
  fail "the manual page's .TH has no date"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for dep in "zenity | kdialog" fonts-liberation libx11-6 libxtst6 libxi6; do
  [[ $DEPENDS == *"$dep"* ]] || fail "Depends lacks $dep: $DEPENDS"
done
diff <(sed -n '/^Permission/,$p' "$SOURCE/LICENSE") \
  <(sed -n '/^License: Expat/,$p' "$ROOT/share/doc/tapwright/copyright" | tail -n +2 |
    sed 's/^ //; s/^\.$//') >"$WORK/licence.diff" ||
  fail "the copyright file does not carry LICENSE: $(cat "$WORK/licence.diff")"

# A file manager (GIO's view of the desktop, as the package's triggers leave it) takes a .tpw file
# for a recording, shows its icon, and opens it with Tapwright, the file's path as the argument.
{ update-mime-database "$ROOT/share/mime" && update-desktop-database "$ROOT/share/applications"; } \
  >"$WORK/databases.log" 2>&1 || fail "the MIME and desktop databases: $(cat "$WORK/databases.log")"
mkdir -p "$WORK/stub" "$WORK/home"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$WORK/opened" >"$WORK/stub/tapwright"
chmod +x "$WORK/stub/tapwright"
printf '10,20,-1\n10,20,1\n' >"$WORK/my clicks.tpw"
desktop() {
  env PATH="$WORK/stub:$PATH" XDG_DATA_DIRS="$ROOT/share:/usr/share" XDG_DATA_HOME="$WORK/home" \
    XDG_CONFIG_HOME="$WORK/home" "$@"
}
INFO=$(desktop gio info -a standard::content-type,standard::icon "$WORK/my clicks.tpw")
[[ $INFO == *"content-type: application/x-tapwright-recording"* ]] || fail "a .tpw file: $INFO"
[[ $INFO == *"icon: application-x-tapwright-recording,"* ]] || fail "a .tpw file's icon: $INFO"
desktop gio open "$WORK/my clicks.tpw"
for _ in $(seq 50); do
  [[ -s $WORK/opened ]] && break
  sleep 0.1
done
[[ "$(cat "$WORK/opened" 2>&1)" == "$WORK/my clicks.tpw" ]] ||
  fail "opening a .tpw file ran: tapwright $(cat "$WORK/opened" 2>&1)"
echo "$(basename "$DEB") ok: $DEPENDS"

cpack -G ZIP --config "$WIN32_BUILD/CPackConfig.cmake" -B "$WORK/zip" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$WORK/cpack.log")"
ZIP=$(ls "$WORK"/zip/tapwright-*-windows-x64.zip)
CONTENTS=$(python3 -m zipfile -l "$ZIP" | awk 'NR > 1 {print $1}' | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
[[ $CONTENTS == "LICENSE.txt README.txt tapwright.com tapwright.exe " ]] || fail "the zip holds: $CONTENTS"
python3 -m zipfile -e "$ZIP" "$WORK/unzipped"
UNZIPPED=$(ls -d "$WORK"/unzipped/*/)
for txt in README.txt LICENSE.txt; do
  ! grep -qv $'\r$' "$UNZIPPED/$txt" || fail "$txt has lines without Windows line ends"
done
grep -q "^Version $VERSION"$'\r$' "$UNZIPPED/README.txt" || fail "README.txt is not for $VERSION"
# The version resource as Explorer shows it: the fixed numbers, then the strings.
EXE_VERSION=$(
  python3 - "$UNZIPPED/tapwright.exe" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
fms, fls, pms, pls = struct.unpack_from("<4I", data, at + 8)
numbers = [f"{m >> 16}.{m & 0xFFFF}.{l >> 16}.{l & 0xFFFF}" for m, l in ((fms, fls), (pms, pls))]
def string(key):
    at = data.find((key + "\0").encode("utf-16le")) + 2 * len(key) + 2
    while data[at:at + 2] == b"\0\0":
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16le")
print(*numbers, string("FileVersion"), string("ProductVersion"), string("LegalCopyright"))
PY
)
COPYRIGHT=$(grep -m1 '^Copyright ' "$SOURCE/LICENSE")
[[ $EXE_VERSION == "$VERSION.0 $VERSION.0 $VERSION $VERSION $COPYRIGHT" ]] ||
  fail "tapwright.exe's file and product versions and copyright: $EXE_VERSION, not $VERSION, $COPYRIGHT"
echo "$(basename "$ZIP") ok: $CONTENTS, version $EXE_VERSION"
