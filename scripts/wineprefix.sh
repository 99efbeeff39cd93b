#!/usr/bin/env bash
# Create the project's own Wine prefix at $REPO/.wine, once.
# Executed: creates it if needed. Sourced: only exports the Wine environment
# and defines vantor_wineprefix_ensure.
#
# Japanese text needs a CJK font: Windows programs ask for "ＭＳ ゴシック",
# "MS UI Gothic", "MS Shell Dlg", "Tahoma" and so on, which either do not
# exist here or have no Japanese glyphs, so those names are mapped onto the
# Noto CJK JP family from fonts-noto-cjk.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$REPO/.wine"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bump when the registry content below changes, so old prefixes get it too.
PREFIX_VERSION=3
STAMP="$WINEPREFIX/.vantor-prefix"

# Print the first of the given families that fontconfig knows, matched
# exactly (Wine looks families up by these names); else the last one given.
fc_family() {
    local fam
    for fam in "$@"; do
        if fc-list : family 2>/dev/null | tr ',' '\n' | grep -qxF "$fam"; then
            printf '%s' "$fam"; return 0
        fi
    done
    printf '%s' "${*: -1}"
}

# .reg files with non-ASCII names must be UTF-16LE with a BOM for regedit.
write_fonts_reg() {
    local sans="$1" mono="$2" serif="$3" out="$4" name
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        # Proportional UI faces.
        for name in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" \
                    "MS Shell Dlg" "MS Shell Dlg 2" \
                    "Tahoma" "MS Sans Serif" "Microsoft Sans Serif" "Segoe UI" \
                    "Meiryo" "Meiryo UI" "Yu Gothic" "Yu Gothic UI"; do
            printf '"%s"="%s"\r\n' "$name" "$sans"
        done
        # Fixed-pitch faces: file lists line up only with a monospaced font.
        for name in "ＭＳ ゴシック" "MS Gothic"; do
            printf '"%s"="%s"\r\n' "$name" "$mono"
        done
        for name in "ＭＳ 明朝" "ＭＳ Ｐ明朝" "MS Mincho" "MS PMincho"; do
            printf '"%s"="%s"\r\n' "$name" "$serif"
        done
        printf '\r\n'
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$out"
}

vantor_wineprefix_ensure() {
    if [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$PREFIX_VERSION" ]; then
        return 0
    fi
    local log reg fam
    log="$(mktemp)"
    reg="$(mktemp --suffix=.reg)"
    # No display is needed; unsetting it keeps wineboot's windows off the
    # user's desktop.
    if ! ( unset DISPLAY; wineboot -i && wineserver -w ) >"$log" 2>&1; then
        cat "$log" >&2; rm -f "$log" "$reg"
        echo "error: wineboot failed for $WINEPREFIX" >&2
        return 1
    fi
    # Wine here does not pick up fonts-wine's files by itself, and without
    # Marlett caption buttons, scroll arrows and check marks draw as letters.
    # Its Latin-only Tahoma / MS Sans Serif are left out: bold Tahoma turned
    # Japanese captions into boxes, while the replacements below cover them.
    local f
    for f in /usr/share/wine/fonts/*; do
        case "${f##*/}" in
            tahoma*|ms_sans_serif*|sserif*) ;;
            *) [ -e "$WINEPREFIX/drive_c/windows/Fonts/${f##*/}" ] ||
                   cp "$f" "$WINEPREFIX/drive_c/windows/Fonts/" ;;
        esac
    done
    fam="$(fc_family 'Noto Sans CJK JP')"
    write_fonts_reg "$fam" "$(fc_family 'Noto Sans Mono CJK JP' "$fam")" \
        "$(fc_family 'Noto Serif CJK JP' "$fam")" "$reg"
    ( unset DISPLAY; wine regedit /S "$(winepath -w "$reg")" && wineserver -w ) >>"$log" 2>&1
    # Read one non-ASCII name back to prove the UTF-16 import worked.
    # Wine decodes its command line with the Unix locale, hence C.UTF-8.
    local got
    got="$(LC_ALL=C.UTF-8 wine reg query 'HKCU\Software\Wine\Fonts\Replacements' \
             /v 'ＭＳ Ｐゴシック' 2>>"$log" || true)"
    if [[ "$got" != *"$fam"* ]]; then
        cat "$log" >&2; rm -f "$log" "$reg"
        echo "error: font replacements did not reach $WINEPREFIX" >&2
        return 1
    fi
    wineserver -w
    rm -f "$log" "$reg"
    echo "$PREFIX_VERSION" >"$STAMP"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    vantor_wineprefix_ensure
fi
