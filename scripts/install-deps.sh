#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that
# are missing, so a machine that has them pays nothing.  locales-all gives
# Wine the user languages the catalog tests switch between; clang and its
# runtime library bring libFuzzer.  The JDK compiles the Java classes and
# runs them in the native end-to-end tests.  The fonts give the progress
# dialog's Chinese, Japanese, Korean, Hebrew and Arabic texts their glyphs
# under Wine.  osslsigncode and openssl sign a launcher file with a throw-away
# certificate in the signing tests.
set -eu
# lld links the Windows release stubs, with clang as its driver.
packages="cmake ninja-build g++ python3 libgtest-dev libgmock-dev googletest lld
g++-mingw-w64-x86-64-posix wine64 xvfb imagemagick locales-all clang libclang-rt-14-dev
openjdk-17-jdk-headless fonts-wqy-microhei fonts-dejavu-core osslsigncode openssl"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install these packages):$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
