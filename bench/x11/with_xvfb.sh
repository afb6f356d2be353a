#!/usr/bin/env bash
# Runs a benchmark under a private Xvfb, with a folder of its own for files in $WORK.
# Usage: with_xvfb.sh BENCH [ARGUMENTS...]; an argument @WORK@ names that folder.
set -euo pipefail
BENCH=$1
WORK=$(mktemp -d)
XVFB=""
cleanup() {
  [[ -n $XVFB ]] && kill "$XVFB" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
XVFB=$!
for _ in $(seq 100); do [[ -s $WORK/display ]] && break; sleep 0.1; done
[[ -s $WORK/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
shift
DISPLAY=":$(head -n1 "$WORK/display")" timeout 300 "$BENCH" "${@//@WORK@/$WORK}"
