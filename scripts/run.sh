#!/usr/bin/env bash
# The one run command: set up the machine, build, start Vantor.
# With a usable display Vantor runs there in the foreground. Without one it
# runs on a private Xvfb, and a screenshot is saved after a few seconds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vantor_setup
vantor_build

EXE="$BUILD/Vantor.exe"
if display_usable; then
    exec "$REPO/scripts/wine-run" "$EXE" "$@"
fi

SHOT="$BUILD/screenshot.png"
trap vantor_cleanup EXIT
start_xvfb
start_wineserver
# A Wine virtual desktop draws title bars and frames itself; Xvfb has no
# window manager to do it, and the screenshot should show the real window.
"$REPO/scripts/wine-run" explorer /desktop=Vantor,1280x1024 "$EXE" "$@" \
    >"$BUILD/run.log" 2>&1 &
sleep 6
import -window root "$SHOT"
echo "Screenshot saved to $SHOT"
# Vantor is a child of Wine's desktop process, not of this shell. Our own
# wineserver is stopped by the trap, which ends it; under a server shared
# with another run only Vantor itself is ended.
if [ -z "$WINESERVER_STARTED" ]; then
    "$REPO/scripts/wine-run" taskkill /f /im Vantor.exe >/dev/null 2>&1 || true
fi
