# Shared by the Wine tests: the environment made by wine_setup.sh and small helpers.
set -eu
STATE="$1"
. "$STATE/env"
EXE_DIR="$2"
WINE="${WINE:-wine}"

# Every test starts and ends with no program of the prefix running.
stop_all() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
trap stop_all EXIT
stop_all

driver() { "$WINE" "$EXE_DIR/tapwright_driver.exe" "$@"; }
probe() { "$WINE" "$EXE_DIR/tapwright_probe.exe" "$@"; }
start_tapwright() { "$WINE" "$EXE_DIR/tapwright.exe" >"$STATE/tapwright.log" 2>&1 & }
fail() { echo "FAIL $*"; exit 1; }
