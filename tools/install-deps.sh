#!/usr/bin/env bash
# Installs what building, running and testing Tapwright need on Debian (12 or later).
# Only what is missing is installed; run it as root or with sudo available.
set -euo pipefail

packages=(
  # build (googletest: the sources, built for the Windows build of the unit tests)
  cmake g++ make pkg-config libgtest-dev googletest libbenchmark-dev clang-format clang-tidy
  # the Linux build
  libx11-dev libxft-dev libxtst-dev libxi-dev libxrender-dev libxrandr-dev libfontconfig-dev
  fonts-liberation
  # running without a desktop, and the end-to-end tests
  xvfb xdotool x11-utils x11-xkb-utils x11-xserver-utils imagemagick openbox faketime zenity acl
  # the .deb and its checks (zlib: the icons' compression)
  zlib1g-dev dpkg-dev desktop-file-utils man-db lintian appstream shared-mime-info libglib2.0-bin
  # the Windows build and its tests
  mingw-w64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
)

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
