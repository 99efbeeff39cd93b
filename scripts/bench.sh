#!/usr/bin/env bash
# The benchmark command: set up the machine, build, make the data folders (once; they are kept
# under $VANTOR_BENCH_DATA, default ${TMPDIR:-/tmp}/vantor-bench, where the benchmark also keeps its
# settings file and its copy of the program, and where no test looks) and run it under Wine.
# An argument keeps only the figures whose name contains it, e.g. scripts/bench.sh "sort type".
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vantor_setup
vantor_build

DATA="${VANTOR_BENCH_DATA:-${TMPDIR:-/tmp}/vantor-bench}"

# make_folder NAME COUNT FOLDER_EVERY: COUNT entries named e0000000..., with the extensions .txt,
# .dat, .log and .cpp in turn; with FOLDER_EVERY > 0 every such entry is a folder instead.
make_folder() {
    local name="$1" count="$2" every="$3" dir="$DATA/$1"
    [ -f "$DATA/$name.done" ] && return 0
    rm -rf "$dir"
    mkdir -p "$dir"
    echo "making $dir ($count entries)" >&2
    awk -v n="$count" -v every="$every" 'BEGIN {
        split(".txt .dat .log .cpp", ext, " ")
        for (i = 0; i < n; i++)
            if (every > 0 && i % every == 0) printf "D e%07d\n", i
            else printf "F e%07d%s\n", i, ext[i % 4 + 1]
    }' >"$DATA/$name.list"
    (cd "$dir" && awk '$1 == "D" { print $2 }' "$DATA/$name.list" | xargs -r mkdir)
    (cd "$dir" && awk '$1 == "F" { print $2 }' "$DATA/$name.list" | xargs -r touch)
    rm -f "$DATA/$name.list"
    touch "$DATA/$name.done"
}

# make_copy_folder NAME COUNT MEGABYTES: COUNT files of MEGABYTES each, written out (not sparse).
make_copy_folder() {
    local name="$1" count="$2" size="$3" dir="$DATA/$1" i
    [ -f "$DATA/$name.done" ] && return 0
    rm -rf "$dir"
    mkdir -p "$dir"
    echo "making $dir ($count files of $size MB)" >&2
    for i in $(seq 1 "$count"); do
        dd if=/dev/zero of="$dir/file$i.bin" bs=1M count="$size" status=none
    done
    touch "$DATA/$name.done"
}

# make_tree NAME: 100 folders of 99 folders each (10,000 folders) with 9 files in every folder
# (90,000 files): 100,000 entries in all.
make_tree() {
    local name="$1" dir="$DATA/$1"
    [ -f "$DATA/$name.done" ] && return 0
    rm -rf "$dir"
    mkdir -p "$dir"
    echo "making $dir (100000 entries in 10000 folders)" >&2
    (cd "$dir" && awk 'BEGIN { for (i = 0; i < 100; i++) { printf "d%02d\n", i
        for (j = 0; j < 99; j++) printf "d%02d/s%02d\n", i, j } }' | xargs mkdir)
    (cd "$dir" && find . -type d | awk '{ for (k = 0; k < 9; k++) printf "%s/f%d.txt\n", $0, k }' |
        head -n 90000 | xargs touch)
    touch "$DATA/$name.done"
}

# make_text_folder NAME: 1,000 files of 1 MB of text, the word looked for at the end of one of them.
make_text_folder() {
    local name="$1" dir="$DATA/$1" i
    [ -f "$DATA/$name.done" ] && return 0
    rm -rf "$dir"
    mkdir -p "$dir"
    echo "making $dir (1000 files of 1 MB of text)" >&2
    head -c 786432 /dev/urandom | base64 -w 100 | head -c 1048000 >"$DATA/$name.text"
    for i in $(seq 1 1000); do cp "$DATA/$name.text" "$dir/file$i.txt"; done
    printf '見つけた語' >>"$dir/file777.txt"
    rm -f "$DATA/$name.text"
    touch "$DATA/$name.done"
}

mkdir -p "$DATA"
make_folder empty 0 0
make_folder files1000 1000 0
make_folder files10000 10000 0
make_folder files100000 100000 0
make_folder mixed100000 100000 10
make_folder files1000000 1000000 0
make_copy_folder copy1000 1000 1
make_copy_folder copy1g 1 1024
# The other side of the compare by content: the same files with the same times.
if [ ! -f "$DATA/copy1000b.done" ]; then
    rm -rf "$DATA/copy1000b"
    cp -a "$DATA/copy1000" "$DATA/copy1000b"
    touch "$DATA/copy1000b.done"
fi
make_tree tree100000
make_text_folder grep1000

trap vantor_cleanup EXIT
display_usable || start_xvfb
start_wineserver

windows_path() { echo "Z:${1//\//\\}"; }
"$REPO/scripts/wine-run" "$BUILD/bench/vantor_bench.exe" \
    "$(windows_path "$DATA")" "$(windows_path "$BUILD/Vantor.exe")" "$@"
