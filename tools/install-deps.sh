#!/usr/bin/env bash
# Installs what building, running and testing Tapwright need on Debian (12 or later); with --run,
# only what building and running the Linux program need (tools/run.sh).
# Only what is missing is installed; run it as root or with sudo available.
set -euo pipefail

run_packages=(
  # the Linux build (zlib: the icons' compression)
  cmake g++ make pkg-config
  libx11-dev libxft-dev libxtst-dev libxi-dev libxrender-dev libxrandr-dev libfontconfig-dev
  zlib1g-dev
  # what the program uses: the desktop's file chooser and the fonts its window is laid out for
  zenity fonts-liberation
  # running without a desktop: a virtual display, its screenshot
  xvfb xdotool x11-utils imagemagick
)
test_packages=(
  # the tests (googletest: the sources, built for the Windows build of the unit tests)
  libgtest-dev googletest libbenchmark-dev clang-format clang-tidy
  x11-xkb-utils x11-xserver-utils openbox faketime acl
  # the .deb and its checks
  dpkg-dev desktop-file-utils man-db lintian appstream shared-mime-info libglib2.0-bin
  # the Windows build and its tests
  mingw-w64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
)

case "${1:-}" in
  --run) packages=("${run_packages[@]}") ;;
  "") packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: tools/install-deps.sh [--run]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
