#!/bin/sh
# A short tour of the launcher: the Windows build under Wine, then the native one.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$top/build/wineprefix" WINEDEBUG=-all
echo "== Windows launcher under Wine: launcher.exe -console -vd:version"
"$top/scripts/wine-run" "$top/build/windows/src/launcher.exe" -console -vd:version
echo "== Native launcher: launcher -console -vd:version"
"$top/build/native/src/launcher" -console -vd:version
