#!/usr/bin/env bash
# Idempotent machine set-up for a Debian 12 host: installs the cross
# toolchain, Wine, a headless X server and the test tools if any is missing,
# then creates the project's own Wine prefix ($REPO/.wine). Quiet when
# everything is already in place.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    cmake ninja-build
    googletest                      # the build compiles /usr/src/googletest
    wine wine64
    xvfb xauth xdotool x11-utils imagemagick
    zip unzip                       # the release archive (scripts/package.sh) and its check
    fonts-noto-cjk fontconfig       # Japanese glyphs; fc-list finds the family
    fonts-dejavu-core fonts-symbola # emoji outlines, linked to the list font
    locales                         # ja_JP source for the prefix's own locale
    fonts-wine                      # Marlett: caption buttons, scroll arrows
    libcap2-bin                     # capsh: a test run as root without its power to read any folder
    # Wine only recommends these X extensions; without them text and windows
    # render poorly, and --no-install-recommends would skip them.
    libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${PACKAGES[@]}"; do
    installed "$p" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        SUDO=()
    elif command -v sudo >/dev/null 2>&1; then
        SUDO=(sudo)
    else
        echo "error: need root or sudo to install: ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    log="$(mktemp)"
    if ! { "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
           "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
               --no-install-recommends "${missing[@]}"; } >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        rm -f "$log"
        echo "error: apt-get failed" >&2
        exit 1
    fi
    rm -f "$log"
fi

"$REPO/scripts/wineprefix.sh"
