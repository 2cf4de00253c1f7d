#!/bin/sh
# Builds the release archive OUTPUT_DIR/launcher-VERSION.tar.gz, and beside it
# its SHA-256 checksum (launcher-VERSION.tar.gz.sha256), from a Windows build
# and a native Linux build:
#   make-dist.sh WINDOWS_BUILD NATIVE_BUILD OUTPUT_DIR
# `make dist` gives it the release builds; the tests give it the builds they
# already have.  The archive holds one directory, launcher-VERSION/:
#   bin/        launcher.exe, launcher-admin.exe, vdpack.exe (Windows);
#               launcher, vdpack (Linux)
#   lib/        Verify.jar, the verification class
#   jvm/        the ready JVM files (jvm/linux/: their Linux counterparts)
#               and their README.md
#   examples/   complete examples, each with a build script
#   docs/       the authors' guide and the vdpack manual, and README.md
#   SHA256SUMS  the SHA-256 checksum of every other file, for `sha256sum -c`
set -eu
[ $# -eq 3 ] || { echo "usage: $0 WINDOWS_BUILD NATIVE_BUILD OUTPUT_DIR" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
windows=$1 native=$2 output=$3
version=$(sed -n 's/^project(launcher VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
name="launcher-$version"
stage="$output/$name"
rm -rf "$stage" "$output/$name.tar.gz" "$output/$name.tar.gz.sha256"
mkdir -p "$stage/bin" "$stage/lib" "$stage/jvm/linux" "$stage/docs" "$stage/examples"

# A shipped file must exist: a missing one stops the build of the archive.
ship() {
    [ -f "$1" ] || { echo "$0: missing $1" >&2; exit 1; }
    cp "$1" "$2"
}
ship "$windows/src/launcher.exe" "$stage/bin/"
ship "$windows/src/launcher-admin.exe" "$stage/bin/"
ship "$windows/tools/vdpack.exe" "$stage/bin/"
ship "$native/src/launcher" "$stage/bin/"
ship "$native/tools/vdpack" "$stage/bin/"
# The packers and the Linux launcher ship without their symbols; the Windows
# stubs ship as their release build makes them.
strip "$stage/bin/launcher" "$stage/bin/vdpack"
x86_64-w64-mingw32-strip "$stage/bin/vdpack.exe"
ship "$native/java/Verify.jar" "$stage/lib/"
for file in "$top"/resources/jvm/*.jvm "$top"/resources/jvm/README.md; do
    if [ -f "$file" ]; then cp "$file" "$stage/jvm/"; fi
done
for file in "$top"/resources/jvm/linux/*.jvm; do
    if [ -f "$file" ]; then cp "$file" "$stage/jvm/linux/"; fi
done
ship "$top/README.md" "$stage/"
ship "$top/docs/authoring.md" "$stage/docs/"
ship "$top/docs/vdpack.md" "$stage/docs/"
# The examples as written, without what their build scripts make (out/).
(cd "$top" && tar -cf - --exclude=out examples) | tar -xf - -C "$stage"

sums=$(cd "$stage" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | xargs -d '\n' sha256sum)
printf '%s\n' "$sums" >"$stage/SHA256SUMS"
tar -C "$output" --sort=name --owner=0 --group=0 --numeric-owner -czf "$output/$name.tar.gz" "$name"
(cd "$output" && sha256sum "$name.tar.gz" >"$name.tar.gz.sha256")
rm -rf "$stage"
echo "$output/$name.tar.gz"
