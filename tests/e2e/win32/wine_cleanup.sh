#!/bin/sh
# Fixture end: stops Wine and Xvfb, removes the prefix (it is large).
STATE="$1"
[ -f "$STATE/env" ] && . "$STATE/env" && wineserver -k 2>/dev/null
[ -f "$STATE/xvfb.pid" ] && kill "$(cat "$STATE/xvfb.pid")" 2>/dev/null
rm -rf "$STATE/prefix"
exit 0
