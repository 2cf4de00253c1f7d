#!/bin/sh
# Screenshots of the progress dialog in both layouts (launcher kind 0: the tall
# one; any other kind: the short one) in several languages, and in English at
# 144 dpi: the Windows launcher under Wine on an X server of its own.  Writes
# build/screenshots/<layout>-<locale>.png.  Needs the windows build.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/windows"
out="$top/build/screenshots"
run="$top/scripts/wine-run"
driver="$build/tests/programs/window_driver.exe"
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
# A prefix of its own, where Wine draws the window frames itself (no window
# manager runs on the X server) and the screen resolution can change.
export WINEPREFIX="$top/build/wineprefix-screenshots" WINEDEBUG=-all
locales="en_US de_DE fr_FR pl_PL ru_RU el_GR he_IL ar_SA ja_JP ko_KR zh_CN zh_TW"

work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
while [ ! -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

[ -f "$WINEPREFIX/system.reg" ] || "$run" wineboot --init >/dev/null 2>&1
"$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
# The script shows the dialog and waits; closing it ends the run.
printf 'INSTRUCTIONS:\n  INITIALIZE_UI\n  // waits\n  :AGAIN\n  GOTO AGAIN\n/:\n' >"$work/instructions.tag"
printf 'COMMAND: java\n' >"$work/launch.tag"
for kind in 0 1; do
    "$run" "$build/tools/vdpack.exe" build --stub "$(winpath "$build/src/launcher.exe")" \
        --output "$(winpath "$work/setup$kind.exe")" --kind $kind \
        --file "$(winpath "$work/instructions.tag")" --type INSTRUCTIONS --id 1 \
        --file "$(winpath "$work/launch.tag")" --type LAUNCHSCRIPT --id 2 >/dev/null
done

# shoot NAME KIND LOCALE: the dialog's rectangle of the screen into NAME.png.
shoot() {
    LANG="$3.UTF-8" LC_ALL="" "$run" "$work/setup$2.exe" -vd:tempdir "$(winpath "$work")\\" &
    launcher=$!
    set -- "$1" $("$run" "$driver" dialog 1001 sleep 300 rect | tr -d "\r")
    import -window root -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" "$out/$1.png"
    "$run" "$driver" dialog 1001 close -- dialog 65535 click 1
    wait "$launcher" || true
    echo "$out/$1.png"
}

rm -rf "$out"
mkdir -p "$out"
for locale in $locales; do
    shoot "tall-$locale" 0 "$locale"
    shoot "short-$locale" 1 "$locale"
done
"$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
"$wineserver" -k 2>/dev/null || true
shoot "tall-en_US-144dpi" 0 en_US
shoot "short-en_US-144dpi" 1 en_US
"$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
