#!/usr/bin/env bash
# Shows an MDI frame with two drawing panes (the framework_core_mdi_pane_test
# program) on a private virtual display, takes a screenshot of the whole
# display and checks that the panes' red lines and blue frames are in it.
#
#   tools/screenshot-mdi.sh [build dir (build/win)] [output png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win}
out=${2:-$build/mdi-screenshot.png}
exe=$build/tests/framework/core/framework_core_mdi_pane_test.exe
[ -f "$exe" ] || { echo "missing $exe (build the Windows tree first)" >&2; exit 2; }

# A display of our own, so no other window covers the frame.
num=60
while [ -e /tmp/.X$num-lock ]; do num=$((num + 1)); done
Xvfb :$num -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
ready=$(mktemp -u /tmp/kel-mdi-ready.XXXXXX)
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -f "$ready"; }
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo -display :$num >/dev/null 2>&1 && break; sleep 0.1; done

export DISPLAY=:$num WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$PWD/$build/wineprefix}
LC_ALL=de_DE.UTF-8 KEL_HOLD_MS=6000 KEL_READY_FILE="Z:${ready//\//\\}" wine "$exe" --gtest_brief=1 &
prog=$!
for _ in $(seq 300); do [ -e "$ready" ] && break; sleep 0.1; done
[ -e "$ready" ] || { echo "the program did not show its windows" >&2; kill "$prog" 2>/dev/null; exit 1; }
sleep 0.5
import -display :$num -window root "$out"
wait "$prog"

# Count the pure red and pure blue pixels of the picture.
count() {
    convert "$out" -fill black +opaque "$1" -fill white -opaque "$1" -format "%[fx:round(mean*w*h)]" info:
}
red=$(count "rgb(255,0,0)")
blue=$(count "rgb(0,0,255)")
echo "screenshot $out: $red red and $blue blue pixels"
[ "$red" -gt 1000 ] && [ "$blue" -gt 1000 ] || { echo "the panes are missing from the screenshot" >&2; exit 1; }
