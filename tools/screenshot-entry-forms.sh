#!/usr/bin/env bash
# Takes a picture of the forms of the entry road: builds the demo program
# (team record dialog, print choice, class chooser and about box filled with
# example data), runs it under Wine on a virtual display of its own and
# saves the screen as PNG.
#
#   tools/screenshot-entry-forms.sh [output.png]   (default build/entry-forms.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/entry-forms.png}
build=build/win

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$build" -j4 --target entry_forms_demo wineprefix >/dev/null

export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
# A display of its own, so that no other window shows in the picture.
display=:${KEL_SHOT_DISPLAY:-74}
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
demo=
cleanup() {
  [ -n "$demo" ] && kill "$demo" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

wine "$build/tests/app/forms/entry_forms_demo.exe" 30 >/dev/null 2>&1 &
demo=$!
sleep "${KEL_SHOT_WAIT:-6}"
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "$out"
