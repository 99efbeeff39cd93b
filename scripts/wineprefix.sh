#!/usr/bin/env bash
# The project's own Wine prefix at $REPO/.wine (never ~/.wine).
# Executed: creates the prefix once. Sourced (by common.sh and wine-run):
# exports the Wine environment and defines vantor_wineprefix_ensure and
# wine_ja, without creating anything.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$REPO/.wine"
export WINEARCH=win64
# -all also silences Debian's "wine32 is missing" hint (only wine64 is used).
export WINEDEBUG=-all
# Never offer to download Mono/Gecko; never write menu entries into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Windows programs run as on a Japanese Windows: code page 932, Japanese
# System font (text drawn without a chosen font shows Japanese, not boxes),
# Japanese MessageBox buttons. Wine takes this from the Unix locale, which is
# compiled into the prefix (LOCPATH), so the host's locales stay untouched.
# Only Wine commands get it (wine_ja): the scripts' own shell keeps its own.
VANTOR_LOCALE=ja_JP.UTF-8
VANTOR_LOCPATH="$WINEPREFIX/locale"
wine_ja() {
    env LOCPATH="$VANTOR_LOCPATH" LC_ALL="$VANTOR_LOCALE" "$@"
}

# Bump when what vantor_wineprefix_ensure sets up changes, so existing
# prefixes get it too. The stamp also holds Wine's version: an upgraded Wine
# rewrites the prefix's defaults, so ours are applied again.
PREFIX_VERSION=8
PREFIX_STAMP="$WINEPREFIX/.vantor-prefix"

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

# Windows programs ask for "ＭＳ ゴシック", "MS UI Gothic", "MS Shell Dlg",
# "Tahoma" and so on, which either do not exist here or have no Japanese
# glyphs; Wine uses a replacement for any face it does not have. regedit
# reads non-ASCII .reg files only as UTF-16LE with a BOM.
write_fonts_reg() {
    local sans="$1" mono="$2" serif="$3" out="$4" name
    shift 4  # the rest: the list font's linked fonts, "file,face" each
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for name in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" \
                    "MS Shell Dlg" "MS Shell Dlg 2" \
                    "Tahoma" "MS Sans Serif" "Microsoft Sans Serif" "Segoe UI" \
                    "Meiryo" "Meiryo UI" "Yu Gothic" "Yu Gothic UI"; do
            printf '"%s"="%s"\r\n' "$name" "$sans"
        done
        # Fixed-pitch faces: columns line up only with a monospaced font.
        for name in "ＭＳ ゴシック" "MS Gothic"; do
            printf '"%s"="%s"\r\n' "$name" "$mono"
        done
        for name in "ＭＳ 明朝" "ＭＳ Ｐ明朝" "MS Mincho" "MS PMincho"; do
            printf '"%s"="%s"\r\n' "$name" "$serif"
        done
        # The fonts linked to the list font's substitute, where the program looks for a character
        # the font lacks (emoji): a multi-string of "file,face" entries. Linked to the replaced
        # name "ＭＳ ゴシック" itself, they made Wine take the first of them as the list font.
        printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
        printf '"%s"=hex(7):%s\r\n' "$mono" "$(multi_string_hex "$@")"
        # A crash must end the program with a failing exit code at once.
        # Wine's default debugger (winedbg --auto) waited on a dialog under
        # Xvfb until the test timed out, and without the dialog it still
        # left exit code 0. A debugger that cannot start lets the program
        # die with the exception code (e.g. 5 for an access violation).
        printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n'
        printf '"Debugger"="vantor-no-debugger.exe %%ld %%ld"\r\n"Auto"="1"\r\n'
        # Without a window manager (a bare Xvfb) Wine waits 2 s for every
        # closed top-level window to be withdrawn: every dialog a test closes
        # cost that, some 90 % of the suite's time. So no program's windows
        # are handed to a window manager, save Vantor's own, for runs under
        # a real one.
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
        printf '"Managed"="N"\r\n'
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\Vantor.exe\\X11 Driver]\r\n'
        printf '"Managed"="Y"\r\n'
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n'
        printf '"ShowCrashDialog"=dword:00000000\r\n'
        printf '\r\n'
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$out"
}

# A .reg file's hex(7) bytes of a REG_MULTI_SZ value of the given strings (UTF-16LE, each ending
# in a null, and one more null after the last).
multi_string_hex() {
    local each
    { for each in "$@"; do printf '%s' "$each" | iconv -f UTF-8 -t UTF-16LE; printf '\0\0'; done
      printf '\0\0'; } |
        od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//; s/ /,/g'
}

# "file,face" of a family fontconfig knows, for a font-linking entry.
link_entry() {
    local file
    file="$(fc-match -f '%{file}' "$1" 2>/dev/null)"
    printf '%s,%s' "${file##*/}" "$1"
}

vantor_wineprefix_ensure() {
    local want
    want="$PREFIX_VERSION $(wine --version 2>/dev/null)"
    if [ -f "$PREFIX_STAMP" ] && [ "$(cat "$PREFIX_STAMP")" = "$want" ]; then
        return 0
    fi
    local log reg fam got f fonts
    log="$(mktemp)"
    reg="$(mktemp --suffix=.reg)"
    fail() { cat "$log" >&2; rm -f "$log" "$reg"; echo "error: $1" >&2; }

    mkdir -p "$VANTOR_LOCPATH"
    localedef -i ja_JP -f UTF-8 "$VANTOR_LOCPATH/$VANTOR_LOCALE" >>"$log" 2>&1 ||
        { fail "could not compile the $VANTOR_LOCALE locale"; return 1; }

    # No display is needed; unsetting it keeps wineboot's windows off the
    # user's desktop.
    ( unset DISPLAY; wine_ja wineboot -i && wineserver -w ) >>"$log" 2>&1 ||
        { fail "wineboot failed for $WINEPREFIX"; return 1; }

    # This Wine does not load fonts-wine's files by itself; without Marlett,
    # caption buttons, scroll arrows and check marks draw as letters. Its
    # Latin-only Tahoma and MS Sans Serif stay out: bold Tahoma turned
    # Japanese captions into boxes, and the replacements cover those names.
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    for f in /usr/share/wine/fonts/*; do
        case "${f##*/}" in
            tahoma*|ms_sans_serif*|sserif*) ;;
            *) [ -e "$fonts/${f##*/}" ] || cp "$f" "$fonts/" ;;
        esac
    done

    fam="$(fc_family 'Noto Sans CJK JP')"
    # Emoji: DejaVu Sans draws the faces, Symbola most of the rest.
    write_fonts_reg "$fam" "$(fc_family 'Noto Sans Mono CJK JP' "$fam")" \
        "$(fc_family 'Noto Serif CJK JP' "$fam")" "$reg" \
        "$(link_entry "$(fc_family 'DejaVu Sans')")" "$(link_entry "$(fc_family 'Symbola')")"
    ( unset DISPLAY; wine_ja wine regedit /S "$(wine_ja winepath -w "$reg")" &&
      wineserver -w ) >>"$log" 2>&1 ||
        { fail "regedit failed for $WINEPREFIX"; return 1; }
    # Read a non-ASCII name back: proves the UTF-16 import worked.
    got="$(wine_ja wine reg query 'HKCU\Software\Wine\Fonts\Replacements' \
             /v 'ＭＳ Ｐゴシック' 2>>"$log" || true)"
    [[ "$got" == *"$fam"* ]] ||
        { fail "font replacements did not reach $WINEPREFIX"; return 1; }
    got="$(wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
             /v Debugger 2>>"$log" || true)"
    [[ "$got" == *vantor-no-debugger* ]] ||
        { fail "crash settings did not reach $WINEPREFIX"; return 1; }
    got="$(wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
             /v "$(fc_family 'Noto Sans Mono CJK JP' "$fam")" 2>>"$log" || true)"
    [[ "$got" == *"$(fc_family 'DejaVu Sans')"* ]] ||
        { fail "the list font's linked fonts did not reach $WINEPREFIX"; return 1; }
    wineserver -w
    rm -f "$log" "$reg"
    echo "$want" >"$PREFIX_STAMP"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    vantor_wineprefix_ensure
fi
