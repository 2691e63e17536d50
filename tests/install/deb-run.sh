#!/usr/bin/env bash
# The Debian packages: `cpack -G DEB` from the test build, then
#   - quorvel (programs, content, documents) and quorvel-dev (library,
#     headers, CMake and pkg-config files), each with only its own files;
#   - quorvel depends on the package of every library its programs link,
#     and on libgl1, which SDL opens itself; quorvel-dev on the development
#     packages whose pkg-config files quorvel.pc requires;
#   - nothing in them names the source or the build directory;
#   - unpacked into a temporary root (dpkg -x), the demonstration runs from an
#     empty directory with the content under <root>/usr/share/quorvel.
# Needs DISPLAY (the test command's 1024x768 Xvfb screen).
#
#   deb-run.sh BUILD-DIR SOURCE-DIR CLOSE-WINDOW-TOOL VERSION
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
build=$(cd "$1" && pwd -P)
source_dir=$(cd "$2" && pwd -P)
close=$3
version=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/run-helpers.sh"
. "$here/install-helpers.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: this test runs under the test command's Xvfb"
for tool in cpack dpkg-deb dpkg-shlibdeps readelf; do
    command -v $tool >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d /tmp/quorvel-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.txt" 2>&1 ||
    { cat "$work/cpack.txt" >&2; fail "cpack -G DEB failed"; }
arch=$(dpkg --print-architecture)
runtime="$work/packages/quorvel_${version}_${arch}.deb"
dev="$work/packages/quorvel-dev_${version}_${arch}.deb"
[ -f "$runtime" ] && [ -f "$dev" ] || fail "packages missing: $(ls "$work/packages")"

# --- Control data. ------------------------------------------------------------
for deb in "$runtime" "$dev"; do
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "$(basename "$deb"): version is not $version"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "$(basename "$deb"): architecture is not $arch"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "$(basename "$deb"): no maintainer"
done
[ "$(dpkg-deb -f "$runtime" Package)" = quorvel ] || fail "the runtime package is not called quorvel"
[ "$(dpkg-deb -f "$dev" Package)" = quorvel-dev ] || fail "the development package is not called quorvel-dev"

# The package names of a Depends field, one a line, without versions.
depends() { dpkg-deb -f "$1" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$'; }
# The Debian package that holds a file, under the name given, its /usr
# twin (/lib is /usr/lib on this system) or its real path; empty for none.
owner() {
    local path
    [ -n "$1" ] || return 0
    for path in "$1" "/usr$1" "$(readlink -f "$1")"; do
        # Every reader takes all its input: no writer is cut short (pipefail).
        dpkg -S "$path" 2>/dev/null | sed -n '1s/:.*//p' | grep . && return 0
    done
    return 0
}

# --- Contents: each package only its own part. ------------------------------
dpkg-deb -c "$runtime" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/runtime.txt"
dpkg-deb -c "$dev" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/dev.txt"
for file in /usr/bin/quorvel-demo /usr/share/quorvel/quorvel.conf /usr/share/quorvel/data/floor.glt \
    /usr/share/quorvel/data/default.glf /usr/share/doc/quorvel/README.md /usr/share/doc/quorvel/LICENSE; do
    grep -qxF "$file" "$work/runtime.txt" || fail "quorvel lacks $file"
done
for file in /usr/lib/libquorvel.a /usr/include/quorvel/core/Application.h \
    /usr/include/quorvel/platform/winapi/include/windows.h /usr/lib/cmake/Quorvel/QuorvelConfig.cmake \
    /usr/lib/cmake/Quorvel/QuorvelConfigVersion.cmake /usr/lib/pkgconfig/quorvel.pc; do
    grep -qxF "$file" "$work/dev.txt" || fail "quorvel-dev lacks $file"
done
! grep -q '^/usr/include\|^/usr/lib' "$work/runtime.txt" || fail "quorvel holds development files"
! grep -q '^/usr/bin/\|^/usr/share/quorvel' "$work/dev.txt" || fail "quorvel-dev holds programs or content"
both=$(grep -v '/$' "$work/runtime.txt" | grep -xF -f - "$work/dev.txt" || true)
[ -z "$both" ] || fail "files in both packages: $both"

root="$work/root"
dpkg-deb -x "$runtime" "$root"
dpkg-deb -x "$dev" "$root"
diff -r "$source_dir/data" "$root/usr/share/quorvel/data" >&2 || fail "the packaged data differ from data/"

# --- Dependencies. --------------------------------------------------------------
depends "$runtime" >"$work/runtime-depends.txt"
depends "$dev" >"$work/dev-depends.txt"
grep -qxF libgl1 "$work/runtime-depends.txt" || fail "quorvel does not depend on libgl1"
for program in "$root"/usr/bin/*; do
    for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        library=$(/sbin/ldconfig -p | awk -v name="$soname" '$1 == name && /x86-64/ && !path { path = $NF } END { print path }')
        [ -n "$library" ] || fail "$(basename "$program") needs $soname, which this system does not have"
        package=$(owner "$library")
        [ -n "$package" ] || fail "no package holds $library"
        grep -qxF "$package" "$work/runtime-depends.txt" ||
            fail "$(basename "$program") needs $soname from $package, which quorvel does not depend on"
    done
done
for required in $(sed -n 's/^Requires:[[:space:]]*//p' "$root/usr/lib/pkgconfig/quorvel.pc"); do
    pc=$(pkg-config --variable=pcfiledir "$required")/$required.pc
    package=$(owner "$pc")
    grep -qxF "$package" "$work/dev-depends.txt" ||
        fail "quorvel.pc requires $required from $package, which quorvel-dev does not depend on"
done
# QuorvelConfig.cmake looks SDL2 up again through SDL2's own CMake package.
sdl_config=$(find /usr/lib /usr/share \( -name SDL2Config.cmake -o -name sdl2-config.cmake \) -print -quit)
[ -n "$sdl_config" ] || fail "SDL2's CMake package is not installed"
package=$(owner "$sdl_config")
grep -qxF "$package" "$work/dev-depends.txt" || fail "$sdl_config is in $package, not a dependency of quorvel-dev"

# --- No build paths, even in the library. ---------------------------------------
hits=$(grep -rl -a -e "$source_dir" -e "$build" "$root" || true)
[ -z "$hits" ] || fail "packaged files name the source or build directory: $hits"

# --- The unpacked demonstration. ---------------------------------------------
check_installed_demo "$root/usr/bin/quorvel-demo" "$root/usr/share/quorvel" "$close" "$work/run"

echo "deb: quorvel and quorvel-dev with their own files and dependencies; the unpacked demonstration runs"
