#!/bin/sh
# A tour of the launcher: pack a launcher file with vdpack, run it, and look
# at what it did.  First the Windows build under Wine, then the native one,
# last the Windows launcher without "-console" with its progress dialog.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$top/build/wineprefix" WINEDEBUG=-all
demo="$top/build/demo"
rm -rf "$demo"
mkdir -p "$demo"

cat >"$demo/instructions.tag" <<'SCRIPT'
INSTRUCTIONS:
  INITIALIZE_UI
  INSTALL_JVM 1
  JMP0 @N1@ NO_JVM
  SET S3 = "the JVM was installed"
  GOTO DONE
  :NO_JVM
  SET S3 = "no JVM: the installer left no jvm file"
  SET N9 = 1
  :DONE
/:
SCRIPT
# A launch script: loading it sets the window title.
printf 'COMMAND: ""@JVM_HOME@\\@JVM_EXE@""\n' >"$demo/launch.tag"

step() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

step "The instruction script both launchers carry"
tr -d '\r' <"$demo/instructions.tag" | sed 's/^/    /'
cat <<'NOTE'
setup-good carries a stand-in JVM installer that leaves a tiny JVM and its
"jvm" file in the workspace: INSTALL_JVM 1 sets N1 to 1 and JMP0 goes on.
setup-broken carries one that leaves nothing: N1 stays 0, JMP0 jumps to
NO_JVM, and the script ends there on purpose with an error (there is no N9),
which the launcher reports with its line number and exit code -1.  Either
way the workspace with the installed JVM is gone when the launcher ends.
NOTE

# run_demo NAME RUNNER LAUNCHER VDPACK INSTALLER EMPTY_INSTALLER EXE PATHS
run_demo() {
    name=$1 runner=$2 stub=$3 vdpack=$4 installer=$5 empty=$6 exe=$7 paths=$8
    dir="$demo/$name"
    mkdir -p "$dir/temp"
    path() { if [ "$paths" = windows ]; then printf 'Z:%s' "$1" | tr / '\\'; else printf '%s' "$1"; fi; }
    for variant in good broken; do
        program=$installer
        [ "$variant" = broken ] && program=$empty
        $runner "$vdpack" build --stub "$(path "$stub")" --output "$(path "$dir/setup-$variant$exe")" \
            --file "$(path "$demo/instructions.tag")" --type INSTRUCTIONS --id 1 \
            --file "$(path "$demo/launch.tag")" --type LAUNCHSCRIPT --id 2 \
            --file "$(path "$program")" --type JVM_INSTALLER --id 3 --name "jvm_installer$exe" >/dev/null
    done
    step "$name: the launcher file made by vdpack"
    $runner "$vdpack" list "$(path "$dir/setup-good$exe")"

    for variant in good broken; do
        step "$name: setup-$variant$exe -console -vd:log $variant.log -vd:tempdir temp"
        set +e
        (cd "$dir" && $runner "$dir/setup-$variant$exe" -console -vd:log "$(path "$dir/$variant.log")" \
            -vd:tempdir "$(path "$dir/temp")")
        code=$?
        set -e
        echo "exit code: $code"
        echo "--- its log:"
        tr -d '\r' <"$dir/$variant.log" | grep -v '^  ' | sed 's/^/    /'
        echo "--- left in its temp directory: $(ls -A "$dir/temp" | wc -l) entries"
    done
}


run_demo "Windows launcher under Wine" "$top/scripts/wine-run" "$top/build/windows/src/launcher.exe" \
    "$top/build/windows/tools/vdpack.exe" "$top/build/windows/tests/programs/test_jvm_installer.exe" \
    "$top/build/windows/tests/programs/test_empty_jvm_installer.exe" .exe windows
run_demo "Native launcher" "" "$top/build/native/src/launcher" "$top/build/native/tools/vdpack" \
    "$top/build/native/tests/programs/test_jvm_installer" \
    "$top/build/native/tests/programs/test_empty_jvm_installer" "" native

# The windowed front end: the Windows launcher without "-console" on an X
# server of the demo's own, its JVM installer padded so that the extraction
# takes long enough to be seen.
windows="$demo/Windows launcher under Wine"
build="$top/build/windows"
step "Windows launcher without -console: setup-window.exe -vd:tempdir temp"
cp "$build/tests/programs/test_jvm_installer.exe" "$demo/big_installer.exe"
truncate -s +400M "$demo/big_installer.exe"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
"$top/scripts/wine-run" "$build/tools/vdpack.exe" build --stub "$(winpath "$build/src/launcher.exe")" \
    --output "$(winpath "$windows/setup-window.exe")" \
    --file "$(winpath "$demo/instructions.tag")" --type INSTRUCTIONS --id 1 \
    --file "$(winpath "$demo/launch.tag")" --type LAUNCHSCRIPT --id 2 \
    --file "$(winpath "$demo/big_installer.exe")" --type JVM_INSTALLER --id 3 \
    --name jvm_installer.exe >/dev/null
rm -f "$demo/big_installer.exe"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$demo/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
while [ ! -s "$demo/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$demo/display")"
# No window manager runs there: Wine draws the window frames itself.
"$top/scripts/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# The driver waits for the dialog before the launcher starts, so as not to miss it.
"$top/scripts/wine-run" "$build/tests/programs/window_driver.exe" dialog 1001 \
    wait-text 1000 "Preparing Java(tm) Virtual Machine..." sleep 500 rect >"$demo/rect" 2>&1 &
driver=$!
(cd "$windows" && "$top/scripts/wine-run" "$windows/setup-window.exe" \
    -vd:tempdir "$(winpath "$windows/temp")\\") &
launcher=$!
screenshot="$windows/progress-dialog.png"
if wait $driver; then
    set -- $(tr -d '\r' <"$demo/rect")
    import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" "$screenshot"
fi
set +e
wait $launcher
code=$?
set -e
echo "exit code: $code (as with -console; no message box, since the run succeeded)"
echo "--- left in its temp directory: $(ls -A "$windows/temp" | wc -l) entries"
if [ -f "$screenshot" ]; then
    echo "--- a screenshot of its progress dialog: $screenshot"
else
    echo "--- the run was over before its dialog could be photographed"
fi
