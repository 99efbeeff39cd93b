#!/usr/bin/env bash
# Runs a test program as a process that file modes bind. Under root, which reads any folder
# whatever its mode, the capabilities that allow that are dropped, for the program and for a
# Wine server of its own: Wine's server opens the files, so it must be bound too, and a server
# runs per prefix, hence a copy of the project's prefix for this run alone.
set -euo pipefail
REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ "$(id -u)" != 0 ]; then
    exec "$REPO/scripts/wine-run" "$@"
fi
source "$REPO/scripts/wineprefix.sh"
copy="$(mktemp -d /tmp/vantor-bound-prefix.XXXXXX)"
trap 'WINEPREFIX="$copy/prefix" wineserver -k 2>/dev/null || true; rm -rf "$copy"' EXIT
cp -a "$WINEPREFIX" "$copy/prefix"
set +e
capsh --drop=cap_dac_override,cap_dac_read_search -- -c \
    'exec env WINEPREFIX="$0" LOCPATH="$1" LC_ALL="$2" wine "${@:3}"' \
    "$copy/prefix" "$VANTOR_LOCPATH" "$VANTOR_LOCALE" "$@"
rc=$?
exit "$rc"
