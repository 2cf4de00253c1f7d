#!/bin/sh
# A tour of the launcher: pack a launcher file with vdpack, run it, and look
# at what it did: the native launcher finds, verifies and launches a JDK of
# this machine; the Windows launcher under Wine does the same with a stand-in
# java; last the Windows launcher without "-console" shows its progress dialog.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$top/build/wineprefix" WINEDEBUG=-all
demo="$top/build/demo"
rm -rf "$demo"
mkdir -p "$demo"

step() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

# The instruction script both launchers carry: find a JVM that the JVM file
# accepts, proven by the Verify class, and launch the Java program with it.
cat >"$demo/instructions.tag" <<'SCRIPT'
INSTRUCTIONS:
  FIND_JVM 0 0
  JMP0 @N1@ NO_JVM
  LAUNCH @S2@ 0
  GOTO DONE
  :NO_JVM
  SET S3 = "no JVM was found"
  SET X1 = 1
  :DONE
/:
SCRIPT
step "The instruction script"
tr -d '\r' <"$demo/instructions.tag" | sed 's/^/    /'

# run_demo NAME RUNNER STUB VDPACK JVM_FILE LAUNCH_SCRIPT EXE PATHS
run_demo() {
    name=$1 runner=$2 stub=$3 vdpack=$4 jvm=$5 launch=$6 exe=$7 paths=$8
    dir="$demo/$name"
    mkdir -p "$dir/temp"
    path() { if [ "$paths" = windows ]; then printf 'Z:%s' "$1" | tr / '\\'; else printf '%s' "$1"; fi; }
    $runner "$vdpack" build --stub "$(path "$stub")" --output "$(path "$dir/setup$exe")" \
        --file "$(path "$demo/instructions.tag")" --type INSTRUCTIONS --id 1 \
        --file "$(path "$jvm")" --type JVM --id 2 --name jdk.jvm \
        --file "$(path "$launch")" --type LAUNCHSCRIPT --id 3 --name launch.tag \
        --file "$(path "$verify_jar")" --type VERIFY_ARCHIVE --id 4 --name Verify.jar \
        --file "$(path "$installer_jar")" --type ARCHIVE --id 5 --name TestInstaller.jar >/dev/null
    step "$name: the launcher file made by vdpack"
    $runner "$vdpack" list "$(path "$dir/setup$exe")"
    step "$name: setup$exe -console -vd:log setup.log -vd:tempdir temp \"two words\" 'a \"quoted\" word'"
    set +e
    (cd "$dir" && $runner "$dir/setup$exe" -console -vd:log "$(path "$dir/setup.log")" \
        -vd:tempdir "$(path "$dir/temp")" "two words" 'a "quoted" word')
    code=$?
    set -e
    echo "exit code: $code (the Java program's own)"
    echo "--- its log: the search, the verification and the launch, with what java printed:"
    tr -d '\r' <"$dir/setup.log" |
        grep -vE "^(-+|file type: .*|  file (id|name): .*|  length: .*|  offset: .*)$" |
        sed 's/^/    /'
    echo "--- left in its temp directory: $(ls -A "$dir/temp" | wc -l) entries"
}

build="$top/build/native"
verify_jar="$build/java/Verify.jar"
installer_jar="$build/tests/programs/TestInstaller.jar"

# The native launcher finds a JDK of this machine through a path hint.
hints=""
for home in /usr/lib/jvm/*; do
    [ -x "$home/bin/java" ] && hints="$hints
  $home"
done
cat >"$demo/native.jvm" <<JVM
DESC: Any JDK of this machine
JVM_EXE: bin/java
JVM_PROPERTIES: file.separator=/
PATH_HINT:$hints
/:
CLASSPATH: "-cp "
CLASSPATH_SEPARATOR: :
JVM
cat >"$demo/native-launch.tag" <<'LAUNCH'
COMMAND: """@JVM_HOME@/@JVM_EXE@"" %CP%() TestInstaller --env=JAVA_HOME --exit=3"
LAUNCH
run_demo "Native launcher with this machine's JDK" "" "$build/src/launcher" "$build/tools/vdpack" \
    "$demo/native.jvm" "$demo/native-launch.tag" "" native

# Under Wine there is no Windows JVM: a stand-in java in a JVM home next to
# the launcher (a launcher-relative path hint) answers the verification and
# runs the "program".
build="$top/build/windows"
wine_dir="$demo/Windows launcher under Wine"
mkdir -p "$wine_dir/jre/bin"
cp "$build/tests/programs/java.exe" "$wine_dir/jre/bin/java.exe"
printf 'java.vendor=Stand-in\njava.version=17.0.2\nexit.code=3\n' >"$wine_dir/jre/bin/java.properties"
cat >"$demo/windows.jvm" <<'JVM'
DESC: Stand-in JVM
JVM_EXE: bin\java.exe
JVM_PROPERTIES:
  java.vendor=Stand-in
  java.version=17...
/:
PATH_HINT: jre
CLASSPATH: "-cp "
CLASSPATH_SEPARATOR: ;
JVM
cat >"$demo/windows-launch.tag" <<'LAUNCH'
COMMAND: """@JVM_HOME@\@JVM_EXE@"" %CP%() TestInstaller --property=java.vendor --property=env.JAVA_HOME"
LAUNCH
run_demo "Windows launcher under Wine" "$top/scripts/wine-run" "$build/src/launcher.exe" \
    "$build/tools/vdpack.exe" "$demo/windows.jvm" "$demo/windows-launch.tag" .exe windows

# The windowed front end: the Windows launcher without "-console" on an X
# server of the demo's own, its JVM installer padded so that the extraction
# takes long enough to be seen.
windows="$demo/Windows launcher under Wine"
build="$top/build/windows"
step "Windows launcher without -console: setup-window.exe -vd:tempdir temp"
printf 'INSTRUCTIONS:\n  INITIALIZE_UI\n  INSTALL_JVM 1\n/:\n' >"$demo/window.tag"
printf 'COMMAND: ""@JVM_HOME@\\@JVM_EXE@""\n' >"$demo/window-launch.tag"
cp "$build/tests/programs/test_jvm_installer.exe" "$demo/big_installer.exe"
truncate -s +400M "$demo/big_installer.exe"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
"$top/scripts/wine-run" "$build/tools/vdpack.exe" build --stub "$(winpath "$build/src/launcher.exe")" \
    --output "$(winpath "$windows/setup-window.exe")" \
    --file "$(winpath "$demo/window.tag")" --type INSTRUCTIONS --id 1 \
    --file "$(winpath "$demo/window-launch.tag")" --type LAUNCHSCRIPT --id 2 \
    --file "$(winpath "$demo/big_installer.exe")" --type JVM_INSTALLER --id 3 \
    --name jvm_installer.exe >/dev/null
rm -f "$demo/big_installer.exe"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$demo/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
while [ ! -s "$demo/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$demo/display")"
# A new Wine session, whose desktop shows on this display.
/usr/lib/wine/wineserver -k 2>/dev/null || true
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
