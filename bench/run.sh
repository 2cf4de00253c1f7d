#!/bin/sh
# Benchmarks the extraction against cp and the drive scan against find, on
# this machine, in one run, from a release build.
# Usage: bench/run.sh [build directory, default build/bench]
#   BENCH_DATA_DIR  where the 256 MiB test file goes (default: the temp dir)
#   BENCH_TREE      the tree to scan (default: /usr)
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build/bench}
tree=${BENCH_TREE:-/usr}
runs=5

cmake --preset native -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_TESTS=OFF >/dev/null
cmake --build "$build" --target extraction_bench walk_bench >/dev/null

data=$(mktemp -d "${BENCH_DATA_DIR:-${TMPDIR:-/tmp}}/launcher-bench.XXXXXX")
trap 'rm -rf "$data"' EXIT
mkdir "$data/out"

now() { date +%s.%N; }
best() { sort -g | head -n 1; }
# Arithmetic on decimal fractions: calc 'expression' with awk's syntax.
calc() { awk "BEGIN { print $1 }"; }

# A launcher file: a 4 KiB stub, then one 256 MiB entry; the same bytes alone
# for cp.
length=268435456
head -c 4096 /dev/urandom >"$data/launcher"
head -c $length /dev/urandom >"$data/entry"
cat "$data/entry" >>"$data/launcher"

: >"$data/extract.times"
: >"$data/cp.times"
i=0
while [ $i -lt $runs ]; do
    rm -f "$data/out/extracted.bin" "$data/copy"
    "$build/bench/extraction_bench" "$data/launcher" 4096 $length "$data/out" >>"$data/extract.times"
    start=$(now)
    cp "$data/entry" "$data/copy"
    end=$(now)
    calc "$end - $start" >>"$data/cp.times"
    i=$((i + 1))
done
cmp "$data/entry" "$data/out/extracted.bin"
extract=$(best <"$data/extract.times")
copy=$(best <"$data/cp.times")
mib=$((length / 1048576))
printf 'extraction %d MiB: %.3f s, %.0f MiB/s; cp: %.3f s, %.0f MiB/s; extraction/cp %.0f %%\n' \
    $mib "$extract" "$(calc "$mib / $extract")" "$copy" "$(calc "$mib / $copy")" \
    "$(calc "100 * $copy / $extract")"

files=$(find "$tree" -not -type d 2>/dev/null | wc -l)
: >"$data/walk.times"
: >"$data/find.times"
i=0
while [ $i -lt $runs ]; do
    "$build/bench/walk_bench" "$tree" | cut -d' ' -f1 >>"$data/walk.times"
    start=$(now)
    find "$tree" >/dev/null 2>&1 || true
    end=$(now)
    calc "$end - $start" >>"$data/find.times"
    i=$((i + 1))
done
walk=$(best <"$data/walk.times")
found=$(best <"$data/find.times")
printf 'scan of %s, %d files: %.3f s, %.0f files/s; find: %.3f s, %.0f files/s; scan/find %.0f %%\n' \
    "$tree" "$files" "$walk" "$(calc "$files / $walk")" "$found" \
    "$(calc "$files / $found")" "$(calc "100 * $found / $walk")"
