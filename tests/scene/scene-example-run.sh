#!/usr/bin/env bash
# End-to-end run of quorvel-scene-example on the display the test command
# started (a 1024x768 screen): it loads the crate model, draws the scene, saves
# a screenshot of a later frame, quits by itself with exit code 0, and the
# picture shows the turning crate on the left, the axis cross in the middle and
# the particle stream on the right.
#
#   scene-example-run.sh <quorvel-scene-example> <data directory> <work directory>
set -u
example=$1
data=$2
work=$3
. "$(dirname "$0")/../support/run-helpers.sh"

fail() { fail_with_log "$work/quorvel.log" "$@"; }

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: this test runs under the test command's Xvfb"
rm -rf "$work"
mkdir -p "$work"
cd "$work"
ln -s "$data" data
printf '[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32\nvsync=off\n' > quorvel.conf

status=0
timeout 60 "$example" --screenshot shot.ppm --frames 40 || status=$?
[ $status -eq 0 ] || fail "exit code $status, expected 0"
grep -q "^Screenshot shot.ppm written (1024x768, frame 40)$" quorvel.log || fail "no screenshot line in the log"
[ "$(tail -n 1 quorvel.log)" = "Application terminated" ] || fail "the log does not end with the shutdown line"

# Pixels that are not black in a region: x, y, width, height.
lit() { /usr/bin/convert shot.ppm -crop "$3x$4+$1+$2" +repage -fill white +opaque black -format '%[fx:mean*w*h]' info:; }
# Pixels of the crate's bone-coloured texture in a region.
bone() { /usr/bin/convert shot.ppm -crop "$3x$4+$1+$2" +repage -fuzz 12% -fill white -opaque 'rgb(225,215,190)' -fill black +opaque white -format '%[fx:mean*w*h]' info:; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

at_least "$(bone 230 250 200 200)" 5000 || fail "no textured crate on the left"
at_least "$(lit 640 0 200 480)" 2000 || fail "no particle stream on the right"
# The x axis leaves the origin (about row 406) to the right, shaded red.
red=$(/usr/bin/convert shot.ppm -crop 1x15+580+398 +repage -fx 'r > 0.4 && g < 0.1 && b < 0.1' -format '%[fx:maxima]' info:)
[ "$red" = 1 ] || fail "no red x axis"
[ "$(lit 0 600 1024 168)" = 0 ] || fail "the bottom of the screen is not empty"

echo "quorvel-scene-example: scene drawn, screenshot saved, exit 0"
