#!/usr/bin/env bash
# The one test command: set up the machine, build, run every test with ctest.
# Extra arguments go to ctest (e.g. -R pattern). The output ends with ctest's
# summary and the exit code is ctest's.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vantor_setup
vantor_build

trap vantor_cleanup EXIT
# GUI tests need an X server; a private Xvfb keeps them off the desktop
# and makes headless machines (CI) work.
display_usable || start_xvfb
start_wineserver

set +e
# Two at a time: the window tests take turns on the display (they share one
# lock), so only the release build runs beside them.
ctest --test-dir "$BUILD" --output-on-failure -j2 "$@"
rc=$?
set -e
exit "$rc"
