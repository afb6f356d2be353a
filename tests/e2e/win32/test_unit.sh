#!/bin/sh
# The behaviour tests, cross-built with the Windows toolchain, under Wine: any failing test
# fails this one.
# usage: test_unit.sh STATE_DIR WIN32_BUILD_DIR
. "$(dirname "$0")/lib.sh"
"$WINE" "$EXE_DIR/tests/unit/unit_tests.exe" --gtest_brief=1
