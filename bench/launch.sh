#!/bin/sh
# Benchmarks a whole launch with the real JDK: a launcher file whose script
# finds a JVM through one path hint (one verification) and launches a Java
# program that returns at once, against the same two java commands run
# directly.  The launcher waits a fixed settle pause after each child; the
# overhead is what remains of its time after both pauses and both java runs.
# Usage: bench/launch.sh [build directory, default build/native] [JVM home]
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build/native}
home=${2:-/usr/lib/jvm/java-17-openjdk-amd64}
runs=7
settle=0.5  # seconds, the process runner's pause after each child

verify_jar="$build/java/Verify.jar"
program_jar="$build/tests/programs/TestInstaller.jar"
for file in "$build/src/launcher" "$build/tools/vdpack" "$verify_jar" "$program_jar" "$home/bin/java"; do
    [ -e "$file" ] || { echo "missing: $file (build the native preset with its tests)" >&2; exit 1; }
done

data=$(mktemp -d "${TMPDIR:-/tmp}/launch-bench.XXXXXX")
trap 'rm -rf "$data"' EXIT
mkdir "$data/temp"
now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
calc() { awk "BEGIN { print $1 }"; }
# time_runs FILE COMMAND...: appends the seconds of each of $runs runs to FILE.
time_runs() {
    file=$1
    shift
    i=0
    while [ $i -lt $runs ]; do
        start=$(now)
        "$@" >/dev/null 2>&1 || true
        end=$(now)
        calc "$end - $start" >>"$file"
        i=$((i + 1))
    done
}

printf 'INSTRUCTIONS:\n  FIND_JVM 0 0\n  LAUNCH @S2@ 0\n/:\n' >"$data/instructions.tag"
cat >"$data/jdk.jvm" <<JVM
DESC: JDK
JVM_EXE: bin/java
JVM_PROPERTIES: file.separator=/
PATH_HINT: $home
CLASSPATH: "-cp "
CLASSPATH_SEPARATOR: :
JVM
printf 'COMMAND: """@JVM_HOME@/@JVM_EXE@"" %%CP%%() TestInstaller"\n' >"$data/launch.tag"
"$build/tools/vdpack" build --stub "$build/src/launcher" --output "$data/setup" \
    --file "$data/instructions.tag" --type INSTRUCTIONS --id 1 \
    --file "$data/jdk.jvm" --type JVM --id 2 \
    --file "$data/launch.tag" --type LAUNCHSCRIPT --id 3 \
    --file "$verify_jar" --type VERIFY_ARCHIVE --id 4 --name Verify.jar \
    --file "$program_jar" --type ARCHIVE --id 5 --name TestInstaller.jar >/dev/null

# Without "-console" the Java program's output is captured, as a windowed
# launcher does, so both runs end with the settle pause (the POSIX build's
# windowed front end is its console one).  Warm the file cache, then the
# same work three ways.
"$data/setup" -vd:tempdir "$data/temp/" >/dev/null 2>&1 || true
: >"$data/launcher.times"
: >"$data/verify.times"
: >"$data/program.times"
time_runs "$data/launcher.times" "$data/setup" -vd:tempdir "$data/temp/"
time_runs "$data/verify.times" "$home/bin/java" -cp "$verify_jar" Verify file.separator
time_runs "$data/program.times" "$home/bin/java" -cp ":$program_jar" TestInstaller
[ -z "$(ls -A "$data/temp")" ] || { echo "the launcher left files in its temp directory" >&2; exit 1; }

launcher=$(median <"$data/launcher.times")
verify=$(median <"$data/verify.times")
program=$(median <"$data/program.times")
overhead=$(calc "$launcher - 2 * $settle - $verify - $program")
printf 'launcher (FIND_JVM + LAUNCH): %.3f s; settle pauses: 2 x %.3f s; ' "$launcher" "$settle"
printf 'java Verify: %.3f s; java TestInstaller: %.3f s; launcher overhead: %.0f ms (median of %d)\n' \
    "$verify" "$program" "$(calc "1000 * $overhead")" $runs
