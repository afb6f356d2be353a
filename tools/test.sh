#!/usr/bin/env bash
# Installs what is missing, checks the formatting and runs clang-tidy, builds everything (the tests with ASan/UBSan,
# the Linux program and the Windows program, warnings as errors) and runs every test: behaviour,
# X11 end to end, Wine end to end; then the behaviour tests again as the program ships: Release,
# optimised, without sanitizers (only the unit tests are built there).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/format.sh --check
cmake --preset test >/dev/null
tools/tidy.sh
cmake --build --preset test
ctest --preset test "$@"

cmake --preset release-tests >/dev/null
cmake --build --preset release-tests
ctest --preset release-tests
