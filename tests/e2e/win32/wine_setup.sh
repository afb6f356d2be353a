#!/bin/sh
# Fixture: a private Xvfb display and a fresh Wine prefix for the Windows build's tests.
# -noreset: the display keeps what a test sets (a keyboard layout) when its last client leaves.
# usage: wine_setup.sh STATE_DIR
set -eu
STATE="$1"
if [ -f "$STATE/xvfb.pid" ]; then kill "$(cat "$STATE/xvfb.pid")" 2>/dev/null || true; fi
rm -rf "$STATE"
mkdir -p "$STATE"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$STATE/display" >"$STATE/xvfb.log" 2>&1 &
echo $! >"$STATE/xvfb.pid"
for _ in $(seq 50); do [ -s "$STATE/display" ] && break; sleep 0.1; done
[ -s "$STATE/display" ] || { echo "Xvfb did not start"; exit 1; }
cat >"$STATE/env" <<ENV
export DISPLAY=:$(cat "$STATE/display")
export WINEPREFIX="$STATE/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
ENV
. "$STATE/env"
wineboot -i >"$STATE/wineboot.log" 2>&1
# Without a window manager, Wine waits 2 s for one whenever a managed window hides; unmanaged
# windows hide at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
echo "Wine prefix ready in $WINEPREFIX on display $DISPLAY"
