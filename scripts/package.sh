#!/usr/bin/env bash
# The release command: builds Vantor in release mode and writes dist/Vantor-<version>-win-x64.zip
# with the static, stripped Vantor.exe, the licence and the user guide (its key table written
# afresh from the program's own tables). The version is the one in VERSION. Two runs on the same
# commit give the same bytes: the build is dated from the commit, not the clock, and the archive
# holds its files in a fixed order with fixed times and modes. Prints the zip's path last.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vantor_setup

VERSION="$(head -n 1 "$REPO/VERSION")"
# The commit's time stands in for "now" everywhere: the About box's build date, the files' times.
EPOCH="$(git -C "$REPO" log -1 --format=%ct)"
PACKAGE_BUILD="$BUILD/package"
STAGE="$PACKAGE_BUILD/stage"
DIST="$REPO/dist"
ZIP="$DIST/Vantor-$VERSION-win-x64.zip"

# A build folder of its own: no tests, symbols stripped at link time (a separate strip step
# would be one more tool to trust with the PE header).
cmake -S "$REPO" -B "$PACKAGE_BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_EXE_LINKER_FLAGS=-s \
    -DVANTOR_SOURCE_DATE_EPOCH="$EPOCH" >/dev/null
SOURCE_DATE_EPOCH="$EPOCH" cmake --build "$PACKAGE_BUILD" --target Vantor vantor_keytable

rm -rf "$STAGE"
mkdir -p "$STAGE" "$DIST"
cp "$PACKAGE_BUILD/Vantor.exe" "$STAGE/Vantor.exe"
cp "$REPO/LICENSE" "$STAGE/LICENSE.txt"
windows_path() { echo "Z:${1//\//\\}"; }
"$REPO/scripts/wine-run" "$PACKAGE_BUILD/tools/vantor_keytable.exe" \
    "$(windows_path "$REPO/docs/guide.md")" "$(windows_path "$STAGE/guide.md")"

FILES=(Vantor.exe guide.md LICENSE.txt)
chmod 644 "${FILES[@]/#/$STAGE/}"
touch -d "@$EPOCH" "${FILES[@]/#/$STAGE/}"
rm -f "$ZIP"
# -X: no owner or extra time fields; -D: no folder entries; TZ: the DOS times are local times.
(cd "$STAGE" && TZ=UTC zip -X -D -q "$ZIP" "${FILES[@]}")
echo "$ZIP"
