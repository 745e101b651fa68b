#!/usr/bin/env bash
# Takes a picture of one demo program of the Windows tree: builds it, runs it
# under Wine on a virtual display of its own (so that no other window shows)
# and saves the screen as PNG.
#
#   tools/screenshot.sh <target> <exe path in build/win> <output.png> [WxH] [display]
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1 exe=$2 out=$3 size=${4:-1024x700} num=${5:-74}
build=build/win

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$build" -j4 --target "$target" wineprefix >/dev/null

export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
display=:${KEL_SHOT_DISPLAY:-$num}
Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
demo=
cleanup() {
  [ -n "$demo" ] && kill "$demo" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

wine "$build/$exe" 30 >/dev/null 2>&1 &
demo=$!
sleep "${KEL_SHOT_WAIT:-6}"
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "$out"
