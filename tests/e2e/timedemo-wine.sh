#!/usr/bin/env bash
# The timedemo of the Windows build under Wine: WinMain reads the same command
# line (quoted arguments split the Windows way), the timedemo prints its line
# and saves its picture, and a bad argument gets the usage text and exit 2.
# Shares the cross-build and the Wine prefix of scripts/windows-smoke.sh.
#
#   timedemo-wine.sh [work directory]   (default: build/windows-smoke)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/build/windows-smoke}
build="$work/build"
run="$work/timedemo-run"
. "$root/tests/support/run-helpers.sh"

fail() { fail_windows_run "$run" "$@"; }

windows_ready "$root" "$work" quorvel-demo demo/quorvel-demo.exe identify || fail "$windows_failure"
exe="$build/demo/quorvel-demo.exe"
trap 'wineserver -k 2>/dev/null || true' EXIT

new_run_dir "$run"
mkdir -p "shot dir"
cp -r "$root/data" data
printf '[GraphicSystem]\r\nwidth=1024\r\nheight=768\r\nbpp=32\r\nvsync=on\r\n' > quorvel.conf
cp "$exe" .

# A bad argument: usage on stderr, exit 2.
status=0
timeout 120 wine ./quorvel-demo.exe --timedemo abc >bad-out.txt 2>bad-err.txt || status=$?
[ $status -eq 2 ] || fail "--timedemo abc: exit $status, expected 2"
grep -q "^usage: quorvel-demo" bad-err.txt || fail "--timedemo abc: no usage text: $(head -c 300 bad-err.txt)"

# A timedemo with its picture in a folder whose name has a space.
status=0
timeout 300 wine ./quorvel-demo.exe --timedemo 60 --shot "shot dir\\last.png" >out.txt 2>err.txt || status=$?
[ $status -eq 0 ] || fail "timedemo: exit $status: $(head -c 300 err.txt)"
line=$(tr -d '\r' <out.txt | head -n1)
[[ $line =~ ^timedemo:\ 60\ frames\ in\ [0-9]+\.[0-9]{2}\ s,\ [0-9]+\.[0-9]\ fps,\ frame\ ms\ min\ [0-9.]+\ median\ [0-9.]+\ p99\ [0-9.]+\ max\ [0-9.]+$ ]] ||
    fail "unexpected output: $(head -c 300 out.txt)"
grep -qF "$line"$'\r' quorvel.log || fail "the result line is not in the log (with a Windows line end)"
[ "$(identify -format '%w x %h' "shot dir/last.png")" = "1024 x 768" ] || fail "no 1024 x 768 picture"
echo "Windows timedemo under Wine: $line"
