#!/usr/bin/env bash
# The release as a user gets it: unpacks the zip scripts/package.sh wrote (the second argument)
# into a fresh folder and has package_tests (the first) start the Vantor.exe found there under
# Wine, wait for its main window, quit it with the exit command and look for its settings file.
# ctest runs this after the zip is built; it fails when any step does.
set -euo pipefail
tests_program="$1"
zip="$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

[ -f "$zip" ] || { echo "error: no release zip at $zip" >&2; exit 1; }
unpacked="$(mktemp -d "$BUILD/unpacked.XXXXXX")"
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"

windows_path() { echo "Z:${1//\//\\}"; }
set +e
VANTOR_PACKAGED_EXE="$(windows_path "$unpacked/Vantor.exe")" VANTOR_VERSION="$(head -n 1 "$REPO/VERSION")" \
    "$REPO/scripts/wine-run" "$tests_program" --gtest_color=no
rc=$?
set -e
exit "$rc"
