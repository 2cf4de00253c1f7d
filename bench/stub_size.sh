#!/bin/sh
# The size of each shipped program, and the start of the Windows launcher
# under Wine (`launcher.exe -console -vd:version`) against a plain C "hello"
# built with the same compiler, flags and linker, best of several runs each,
# in one run.
# Usage: bench/stub_size.sh [Windows release build, default build/windows-release]
#                           [native release build, default build/bench]
#   RUNS        starts of each program (default 20)
#   WINEPREFIX  the Wine prefix (default: the tests' build/wineprefix)
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-$repo/build/windows-release}
native=${2:-$repo/build/bench}
runs=${RUNS:-20}
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"

cmake --preset windows-release -S "$repo" -B "$release" >/dev/null
cmake --build "$release" --target launcher launcher-admin vdpack startup_hello >/dev/null
cmake --preset native -S "$repo" -B "$native" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_TESTS=OFF >/dev/null
cmake --build "$native" --target vdpack >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/launcher-stub.XXXXXX")
trap 'rm -rf "$work"' EXIT

size() { wc -c <"$1" | tr -d ' '; }
report_size() {
    printf '%-20s %8d bytes  %4d KiB\n' "$1" "$2" $(($2 / 1024))
}
stripped_vdpack="$work/vdpack"
strip -o "$stripped_vdpack" "$native/tools/vdpack"
report_size launcher.exe "$(size "$release/src/launcher.exe")"
report_size launcher-admin.exe "$(size "$release/src/launcher-admin.exe")"
report_size vdpack.exe "$(size "$release/tools/vdpack.exe")"
report_size "vdpack (stripped)" "$(size "$stripped_vdpack")"
report_size startup_hello.exe "$(size "$release/bench/startup_hello.exe")"
limit=327680
launcher=$(size "$release/src/launcher.exe")
printf 'launcher.exe against the aim of 320 KiB (%d bytes): %+d bytes\n' $limit $((launcher - limit))

now() { date +%s.%N; }
best() { sort -g | head -n 1; }
calc() { awk "BEGIN { print $1 }"; }
# Starts a program $runs times, each time waiting for its end, and writes the
# seconds of each start to the file named first.
time_starts() {
    times=$1
    shift
    : >"$times"
    i=0
    while [ $i -lt "$runs" ]; do
        start=$(now)
        "$repo/scripts/wine-run" "$@" >/dev/null
        end=$(now)
        calc "$end - $start" >>"$times"
        i=$((i + 1))
    done
}

# One untimed start first, so that the Wine prefix is made and the Wine
# server is up; it stays up while the starts follow one another.
"$repo/scripts/wine-run" "$release/bench/startup_hello.exe" >/dev/null
time_starts "$work/hello.times" "$release/bench/startup_hello.exe"
time_starts "$work/launcher.times" "$release/src/launcher.exe" -console -vd:version
hello=$(best <"$work/hello.times")
launcher=$(best <"$work/launcher.times")
printf 'start under Wine, best of %d: launcher.exe -console -vd:version %.3f s; hello %.3f s; launcher/hello %.2f\n' \
    "$runs" "$launcher" "$hello" "$(calc "$launcher / $hello")"
