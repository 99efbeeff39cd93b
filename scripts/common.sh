# shellcheck shell=bash
# Shared helpers for run.sh and test.sh. Source it; do not execute it.
# Everything Wine-related points at the project's own prefix ($REPO/.wine),
# never at ~/.wine.

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# VANTOR_BUILD_DIR lets a second build tree live beside the usual one.
BUILD="${VANTOR_BUILD_DIR:-$REPO/build}"
# Wine environment and the prefix itself: see wineprefix.sh.
# shellcheck source=wineprefix.sh
source "$REPO/scripts/wineprefix.sh"

XVFB_PID=""
WINESERVER_STARTED=""

# Install missing packages and create the Wine prefix (both idempotent).
vantor_setup() {
    bash "$REPO/scripts/setup.sh"
}

# Configure once (cmake --build re-runs it by itself when CMake files
# change), then build. build.ninja is written last, so a configure that
# failed half-way is retried.
vantor_build() {
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$REPO" -B "$BUILD" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64.cmake" \
            -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$BUILD"
}

display_usable() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# Start a private Xvfb on a free display number and export DISPLAY.
# -displayfd makes the server pick the number itself, so two runs never race.
start_xvfb() {
    local fdfile n _
    fdfile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        n="$(tr -dc 0-9 <"$fdfile")"
        if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            rm -f "$fdfile"
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$fdfile"
    echo "error: Xvfb did not start" >&2
    return 1
}

# A persistent wineserver saves its start-up cost on every test program.
# If one already serves this prefix (another run in the same checkout), it
# is used and left alone. "Already running" can also be one that is still
# shutting down, hence a few tries. Ours lingers at most 30 s after its last
# client, so a run killed before its trap cannot leave one behind for long.
#
# The first Wine program also starts Wine's background services, which
# inherit its output. Under ctest that is the first test's pipe, and ctest
# waits for the pipe to close: until the services end, 30 s after the last
# program. A program started here first gives them no pipe to hold.
start_wineserver() {
    local _
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        if wineserver -p30 >/dev/null 2>&1; then
            WINESERVER_STARTED=1
            break
        fi
        sleep 0.2
    done
    wine_ja wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Trap handler: silent, so the last thing printed stays the caller's.
vantor_cleanup() {
    if [ -n "$WINESERVER_STARTED" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
        WINESERVER_STARTED=""
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
