#!/usr/bin/env bash
# Installs what is missing, builds everything (the tests with ASan/UBSan, the Linux program and
# the Windows program) and runs every test: behaviour, X11 end to end, Wine end to end.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test "$@"
