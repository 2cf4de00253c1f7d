#!/bin/sh
# Builds the "fuzz" preset (clang, libFuzzer, sanitizers) and runs every fuzz
# target for a bounded time, one after the other.
#   scripts/run-fuzzers.sh [seconds per target, default 20]
# A target <name>_fuzz starts from the seeds in fuzz/corpus/<name>/ and uses
# the dictionary fuzz/<name>.dict when they exist.  The corpus it grows, its
# output and any crashing input stay under build/fuzz/.  Exits non-zero when a
# target crashed or none was built.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
cd "$top"

cmake --preset fuzz >/dev/null
cmake --build build/fuzz --target fuzzers

status=0
count=0
for target in build/fuzz/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    count=$((count + 1))
    name=$(basename "$target" _fuzz)
    corpus="build/fuzz/corpus/$name"
    artifacts="build/fuzz/artifacts/$name"
    log="build/fuzz/$name.log"
    mkdir -p "$corpus" "$artifacts"
    dict=""
    [ -f "fuzz/$name.dict" ] && dict="-dict=fuzz/$name.dict"
    seeds=""
    [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
    # shellcheck disable=SC2086
    if "$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" $dict "$corpus" $seeds >"$log" 2>&1; then
        result="no crash"
    else
        result="CRASH (input in $artifacts/)"
        status=1
        tail -n 40 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    coverage=$(sed -n 's/.*DONE *cov: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    echo "$name: $result; ${runs:-?} runs (limit ${seconds} s), coverage ${coverage:-?}," \
        "corpus $(find "$corpus" -type f | wc -l) inputs"
done
if [ "$count" -eq 0 ]; then
    echo "no fuzz targets were built" >&2
    exit 1
fi
exit "$status"
