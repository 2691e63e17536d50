#!/usr/bin/env bash
# The engine installed as another project uses it: `cmake --install` into a
# temporary prefix, then
#   - the prefix holds the library, the headers, the CMake package, quorvel.pc,
#     every program, the content and the documents, and names no source or
#     build directory;
#   - every installed header compiles on its own from the prefix alone;
#   - a program links with plain `pkg-config --cflags --libs quorvel`;
#   - the starter project, copied out of the tree, configures with
#     find_package(Quorvel), builds with warnings as errors, and runs: its
#     square and the crosshair are drawn, the space bar changes the square's
#     colour, and it ends with exit code 0 when its window is closed;
#   - the installed demonstration, started in an empty directory, uses the
#     installed content; the build tree's demonstration there still refuses to
#     start without quorvel.conf.
# Needs DISPLAY (the test command's 1024x768 Xvfb screen).
#
#   install-run.sh BUILD-DIR SOURCE-DIR CLOSE-WINDOW-TOOL
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
build=$(cd "$1" && pwd -P)
source_dir=$(cd "$2" && pwd -P)
close=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/run-helpers.sh"
. "$here/install-helpers.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: this test runs under the test command's Xvfb"

# Outside the source and build trees, so that a path found in the prefix
# can only have come from them.
work=$(mktemp -d /tmp/quorvel-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

# --- 1. Install and look at what is there. ----------------------------------
cmake --install "$build" --prefix "$prefix" >"$work/install.txt" || fail "cmake --install failed"

for file in lib/libquorvel.a lib/pkgconfig/quorvel.pc \
    lib/cmake/Quorvel/QuorvelConfig.cmake lib/cmake/Quorvel/QuorvelConfigVersion.cmake \
    lib/cmake/Quorvel/QuorvelTargets.cmake include/quorvel/core/Application.h \
    include/quorvel/platform/win32/Win32Application.h include/quorvel/platform/winapi/include/windows.h \
    share/quorvel/quorvel.conf share/doc/quorvel/README.md share/doc/quorvel/LICENSE bin/quorvel-demo; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# Every engine header, and nothing from the layer's own sources.
(cd "$source_dir" && { find core system input files widgets resources math scene platform/win32 -name '*.h'
    find platform -maxdepth 1 -name '*.h'; } | sort) >"$work/source-headers.txt"
(cd "$prefix/include/quorvel" && find . -path ./platform/winapi -prune -o -name '*.h' -print | sed 's|^\./||' | sort) >"$work/installed-headers.txt"
diff "$work/source-headers.txt" "$work/installed-headers.txt" >&2 || fail "the installed headers differ from the engine's headers"
# The demonstration and every program built under tools/ except the test
# helpers, no other program; and the content.
diff <(installed_programs "$source_dir" "$build") <(ls -1 "$prefix/bin" | sort) >&2 ||
    fail "the installed programs (right) are not the demonstration and the tools built (left)"
diff -r "$source_dir/data" "$prefix/share/quorvel/data" >&2 || fail "the installed data differ from data/"
cmp -s "$source_dir/quorvel.conf" "$prefix/share/quorvel/quorvel.conf" || fail "the installed quorvel.conf differs"

# No file names the source or the build directory. The test build carries
# debugging information, which names the sources by design: binaries are
# checked with it removed, as a Release build makes them.
text_hits=$(grep -rIl -e "$source_dir" -e "$build" "$prefix" || true)
[ -z "$text_hits" ] || fail "installed files name the source or build directory: $text_hits"
mkdir -p "$work/stripped"
for binary in "$prefix"/bin/* "$prefix"/lib/*.a; do
    copy="$work/stripped/$(basename "$binary")"
    objcopy --strip-debug "$binary" "$copy"
    ! grep -q -a -e "$source_dir" -e "$build" "$copy" || fail "$(basename "$binary") names the source or build directory"
done

# --- 2. Every installed header compiles on its own. -----------------------
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
cflags=$(pkg-config --cflags quorvel) || fail "pkg-config does not know quorvel"
mkdir -p "$work/headers"
(cd "$prefix/include" && find quorvel -name '*.h' | sort) |
    CXXFLAGS="$cflags" WORK="$work/headers" xargs -P "$(nproc)" -I{} sh -c '
        unit="$WORK/$(echo "{}" | tr / _).cpp"
        printf "#include <%s>\n" "{}" >"$unit"
        c++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only $CXXFLAGS "$unit" 2>"$unit.txt" ||
            { echo "FAIL: <{}> does not compile on its own:" >&2; head -5 "$unit.txt" >&2; exit 255; }' ||
    fail "an installed header does not compile on its own"

# --- 3. Plain pkg-config is enough to link. ---------------------------------
c++ -std=c++17 "$source_dir/examples/starter/main.cpp" $(pkg-config --cflags --libs quorvel) \
    -o "$work/starter-pkg-config" 2>"$work/pkg-config.txt" || { cat "$work/pkg-config.txt" >&2; fail "linking with pkg-config failed"; }

# --- 4. The starter project, copied out of the tree, built with CMake. ------
cp -r "$source_dir/examples/starter" "$work/starter"
cmake -S "$work/starter" -B "$work/starter/build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >"$work/starter-configure.txt" 2>&1 ||
    { cat "$work/starter-configure.txt" >&2; fail "the starter does not configure against the prefix"; }
cmake --build "$work/starter/build" >"$work/starter-build.txt" 2>&1 ||
    { cat "$work/starter-build.txt" >&2; fail "the starter does not build against the prefix"; }
grep -q "$source_dir" "$work/starter/build/CMakeCache.txt" && fail "the starter's build refers to the engine's source tree"

run="$work/starter/build"
# SDL's silent audio driver, so the sound system's lines are the same on every machine.
(cd "$run" && SDL_AUDIODRIVER=dummy exec ./quorvel-starter >stdout.txt 2>stderr.txt) &
pid=$!
wait_for_line "$run/quorvel.log" "Running main loop..." $pid 200
grep -q "Running main loop..." "$run/quorvel.log" 2>/dev/null ||
    { kill -KILL $pid 2>/dev/null; fail "the starter did not reach its main loop: $(cat "$run/quorvel.log" "$run/stderr.txt" 2>/dev/null)"; }
sleep 1
screenshot "$run/red.png"
has_colour "$run/red.png" 100 100 8 8 255 0 0 || fail "the starter's square is not red"
has_colour "$run/red.png" 502 383 8 3 255 255 255 || fail "the starter draws no crosshair"
has_colour "$run/red.png" 300 300 8 8 0 0 0 || fail "the starter's background is not black"
xdotool search --name "^Quorvel Application$" windowfocus 2>/dev/null || true
xdotool key space
sleep 1
screenshot "$run/green.png"
has_colour "$run/green.png" 100 100 8 8 0 255 0 || fail "the space bar did not turn the square green"
close_and_wait $pid "$close"
expected=$'Application initialising...\nSound: 44100 Hz stereo, 4 buffers of 1024 frames (93 ms)\nInitialisation successful\nRunning main loop...\nStarter: colour changed\nApplication terminated\nSound: stopped'
[ "$(cat "$run/quorvel.log")" = "$expected" ] || fail "the starter's log differs: $(cat "$run/quorvel.log")"

# --- 5. The installed demonstration from an empty directory. ---------------
check_installed_demo "$prefix/bin/quorvel-demo" "$prefix/share/quorvel" "$close" "$work/elsewhere"

# The build tree's demonstration has nothing installed beside it: without
# quorvel.conf it refuses to start, with its message (the box is closed here
# as a user would).
run="$work/build-tree"
mkdir -p "$run"
(cd "$run" && exec "$build/demo/quorvel-demo" >out.txt 2>&1 </dev/null) &
pid=$!
for _ in $(seq 1 100); do
    kill -0 $pid 2>/dev/null || break
    box=$(xwininfo -root -tree 2>/dev/null | awk '/"Error"/ && !box { box = $1 } END { print box }' || true)
    [ -n "$box" ] && xdotool key --window "$box" Return >/dev/null 2>&1
    sleep 0.2
done
kill -0 $pid 2>/dev/null && { kill $pid; fail "the build tree's demonstration did not end without quorvel.conf"; }
status=0
wait $pid || status=$?
[ $status -ne 0 ] || fail "the build tree's demonstration started without quorvel.conf"
grep -q "quorvel.conf" "$run/out.txt" || fail "no message about quorvel.conf: $(cat "$run/out.txt")"
! grep -q "installed content" "$run/quorvel.log" || fail "the build tree's demonstration used installed content"

echo "install: prefix complete and free of build paths; headers compile alone; pkg-config links;" \
    "the starter builds and runs; the installed demonstration runs from an empty directory"
