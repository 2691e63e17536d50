#!/usr/bin/env bash
# The Windows installation and archive, built and run under Wine. Uses the
# MinGW-w64 build tree and the Wine prefix of the Windows smoke run
# (scripts/windows-smoke.sh), making either when it is not there yet:
#   1. builds every Windows program (Release, warnings are errors) and
#      installs into a prefix: programs, data/, quorvel.conf and the documents
#      at its top, the library, headers, CMake package and quorvel.pc below;
#      no installed file names the source or the build directory;
#   2. builds the starter project against that prefix with find_package and
#      runs it under Wine: square and crosshair drawn, the space bar changes
#      the square's colour, exit code 0 on a close request;
#   3. makes the archive with `cpack -G ZIP`, checks that it holds the
#      programs, data/, quorvel.conf and the documents and that the programs
#      need no DLL beyond the system's, unpacks it into an empty directory and
#      runs the demonstration from there; run from another, empty directory
#      it uses the content beside it.
# DISPLAY must be set (a 1024x768x24 screen).
#
#   windows-package.sh [work directory]   (default: build/windows-smoke)
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd -P)
work=${1:-$root/build/windows-smoke}
mkdir -p "$work"
work=$(cd "$work" && pwd -P)
build="$work/build"
package="$work/package"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
. "$root/tests/support/run-helpers.sh"
. "$root/tests/install/install-helpers.sh"

current_log=""
fail() {
    echo "FAIL: $*" >&2
    if [ -n "$current_log" ] && [ -f "$current_log" ]; then echo "log:" >&2; cat -A "$current_log" >&2; fi
    exit 1
}
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY"
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump wine xte xdotool xwd convert unzip cpack; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# --- 1. Build and install. ----------------------------------------------------
windows_build "$root" "$build" || fail "the Windows build failed"
rm -rf "$package"
mkdir -p "$package"
prefix="$package/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
# The programs: the demonstration and every tool built, no other.
programs=$(installed_programs "$root" "$build" .exe)
diff <(echo "$programs") <(cd "$prefix" && ls -1 -- *.exe | sort) >&2 ||
    fail "the installed programs (right) are not the demonstration and the tools built (left)"
for file in quorvel.conf data/floor.glt data/default.glf README.md LICENSE lib/libquorvel.a lib/pkgconfig/quorvel.pc \
    lib/cmake/Quorvel/QuorvelConfig.cmake include/quorvel/core/Application.h include/quorvel/platform/win32/Win32Application.h; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ ! -e "$prefix/include/quorvel/platform/winapi" ] || fail "the Windows installation holds the Windows-API layer for other systems"
hits=$(grep -rl -a -e "$root" -e "$work" "$prefix" || true)
[ -z "$hits" ] || fail "installed files of the Release build name the source or build directory: $hits"

# A private Wine prefix, shared with the smoke run. Unmanaged windows avoid a
# stall of the window manager handshake on a display without one.
wine_prefix "$work" || fail "wineboot failed"
trap 'wineserver -k 2>/dev/null || true' EXIT

# start_program DIR EXE: runs EXE under Wine with DIR as working directory
# and waits for its main loop; sets pid.
start_program() {
    local dir=$1 exe=$2
    current_log="$dir/quorvel.log"
    (cd "$dir" && exec wine "$exe" >"$dir/wine.txt" 2>&1) &
    pid=$!
    wait_for_line "$dir/quorvel.log" "Running main loop..." $pid 300
    grep -q "Running main loop..." "$dir/quorvel.log" 2>/dev/null || {
        wine taskkill /F /IM "$(basename "$exe")" >/dev/null 2>&1
        fail "$(basename "$exe") did not reach its main loop"
    }
    sleep 1.5
}

# stop_program EXE: a close request (WM_CLOSE, as taskkill without /F sends
# it, once the program shows its window and taskkill finds it), then exit
# code 0 and "Application terminated" at the end of the main loop.
stop_program() {
    local name status=0
    name=$(basename "$1")
    wine_close $pid "$name" || fail "$wine_close_failure"
    wait_for_exit $pid
    kill -0 $pid 2>/dev/null && { wine taskkill /F /IM "$name" >/dev/null 2>&1; fail "$name did not end after the close request"; }
    wait $pid || status=$?
    [ $status -eq 0 ] || fail "$name: exit code $status after the close request, expected 0"
    grep -qx $'Application terminated\r' "$current_log" || fail "$name: no \"Application terminated\" line"
}

# --- 2. The starter project against the Windows installation. ---------------
starter="$package/starter"
cp -r "$root/examples/starter" "$starter"
cmake -S "$starter" -B "$starter/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DQuorvel_DIR="$prefix/lib/cmake/Quorvel" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" \
    >"$package/starter-configure.txt" 2>&1 || { cat "$package/starter-configure.txt" >&2; fail "the starter does not configure against the Windows installation"; }
cmake --build "$starter/build" >"$package/starter-build.txt" 2>&1 ||
    { cat "$package/starter-build.txt" >&2; fail "the starter does not build against the Windows installation"; }
run="$starter/build"
start_program "$run" ./quorvel-starter.exe
screenshot "$run/red.png"
has_colour "$run/red.png" 100 100 8 8 255 0 0 || fail "the starter's square is not red"
has_colour "$run/red.png" 502 383 8 3 255 255 255 || fail "the starter draws no crosshair"
xte 'key space'
sleep 1
screenshot "$run/green.png"
has_colour "$run/green.png" 100 100 8 8 0 255 0 || fail "the space bar did not turn the starter's square green"
stop_program ./quorvel-starter.exe
grep -qx $'Starter: colour changed\r' "$run/quorvel.log" || fail "the starter did not log the key"

# --- 3. The archive, unpacked into an empty directory. ----------------------
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$package/zip" >"$package/cpack.txt" 2>&1 ||
    { cat "$package/cpack.txt" >&2; fail "cpack -G ZIP failed"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
archive="$package/zip/quorvel-$version-win64.zip"
[ -f "$archive" ] || fail "no archive quorvel-$version-win64.zip: $(ls "$package/zip")"
unpacked="$package/unpacked"
mkdir -p "$unpacked"
unzip -q "$archive" -d "$unpacked" || fail "the archive does not unpack"
folder="$unpacked/quorvel-$version-win64"
diff <(echo "$programs") <(cd "$folder" && ls -1 -- *.exe | sort) >&2 ||
    fail "the archive's programs (right) are not the demonstration and the tools built (left)"
for file in quorvel.conf README.md LICENSE; do
    [ -f "$folder/$file" ] || fail "the archive lacks $file"
done
diff -r "$root/data" "$folder/data" >&2 || fail "the archive's data differ from data/"
[ ! -e "$folder/lib" ] && [ ! -e "$folder/include" ] || fail "the archive holds development files"
[ -z "$(find "$folder" -iname '*.dll')" ] || fail "the archive holds DLLs"
# The programs import only the system's own DLLs.
system_dlls='^(kernel32|user32|gdi32|opengl32|glu32|winmm|msvcrt|advapi32|shell32|ole32)\.dll$'
for exe in "$folder"/*.exe; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls" || fail "$(basename "$exe") needs $dll"
    done
done
hits=$(grep -rl -a -e "$root" -e "$work" "$folder" || true)
[ -z "$hits" ] || fail "files in the archive name the source or build directory: $hits"

# The demonstration in the unpacked folder, as a player starts it there.
start_program "$folder" ./quorvel-demo.exe
screenshot "$folder/shot.png"
has_colour "$folder/shot.png" 879 2 6 6 128 128 128 || fail "the demonstration draws no minimap"
has_colour "$folder/shot.png" 896 76 8 8 178 102 0 || fail "no solid cell on the minimap"
has_colour "$folder/shot.png" 480 750 64 18 255 255 255 || fail "no frames-per-second counter (font not loaded)"
has_colour "$folder/shot.png" 502 383 8 3 255 255 255 || fail "no crosshair"
stop_program ./quorvel-demo.exe
! grep -q "load failed\|installed content" "$folder/quorvel.log" || fail "the demonstration did not use the content beside it"
[ "$(tail -n 1 "$folder/quorvel.log")" = $'Application exited successfully.\r' ] || fail "the demonstration's log does not end as it should"

# From another, empty directory it finds the same content beside its program.
elsewhere="$package/elsewhere"
mkdir -p "$elsewhere"
start_program "$elsewhere" "$folder/quorvel-demo.exe"
stop_program "$folder/quorvel-demo.exe"
head -n 1 "$elsewhere/quorvel.log" | grep -q "^Using the installed content in .*quorvel-$version-win64.$(printf '\r')\$" ||
    fail "run elsewhere, the demonstration did not use the content beside it"
! grep -q "load failed" "$elsewhere/quorvel.log" || fail "run elsewhere, the demonstration did not find all its content"

rm -rf "$package"
echo "Windows installation: Release install free of build paths; the starter builds against it and runs;" \
    "the archive runs from an empty directory under Wine"
