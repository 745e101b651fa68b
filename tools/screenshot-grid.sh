#!/usr/bin/env bash
# Takes a picture of the entry grid: builds the demo program (a frame with
# a tool bar of hint buttons, the athlete grid of one team and the school
# tabs), runs it under Wine on a virtual display of its own and saves the
# screen as PNG.
#
#   tools/screenshot-grid.sh [output.png]   (default build/entry-grid.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/entry-grid.png}
build=build/win

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$build" -j4 --target entry_grid_demo wineprefix >/dev/null

export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
# A display of its own, so that no other window shows in the picture.
display=:${KEL_SHOT_DISPLAY:-74}
Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
demo=
cleanup() {
  [ -n "$demo" ] && kill "$demo" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

wine "$build/tests/app/windows/entry_grid_demo.exe" 30 >/dev/null 2>&1 &
demo=$!
sleep "${KEL_SHOT_WAIT:-6}"
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "$out"
