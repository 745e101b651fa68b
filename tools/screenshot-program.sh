#!/usr/bin/env bash
# Pictures of the real program under Wine on a virtual display of its own:
# the frame with the entry window of a class (fixture event A, one athlete
# with a birth year the class does not allow) and the error window of its
# check. The test ProgramScreens.* drives the program and says when to
# take each picture.
#
#   tools/screenshot-program.sh [output folder (build/win/screens)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win
out=$(realpath -m "${1:-$build/screens}")
cmake --build "$build" -j "${KEL_JOBS:-4}" --target app_start_test kelvora kel_fixtures wineprefix >/dev/null
mkdir -p "$out"
rm -f "$out"/*.ready "$out"/*.png

num=80
while [ -e /tmp/.X$num-lock ]; do num=$((num + 1)); done
Xvfb :$num -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
test=
cleanup() {
  [ -n "$test" ] && kill "$test" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo -display :$num >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=:$num WINEDEBUG=-all LC_ALL=de_DE.UTF-8 WINEPREFIX=$PWD/$build/wineprefix \
  KEL_FIXTURES=$PWD/$build/fixtures KEL_BUILD_DIR=$PWD/$build
KEL_SHOT_DIR="Z:${out//\//\\}" wine "$build/tests/app/windows/app_start_test.exe" \
  --gtest_filter='ProgramScreens.*' --gtest_brief=1 &
test=$!
for shot in entry-window error-window; do
  for _ in $(seq 600); do [ -e "$out/$shot.ready" ] && break; sleep 0.1; done
  [ -e "$out/$shot.ready" ] || { echo "the program did not reach $shot" >&2; exit 1; }
  sleep 0.5
  import -display :$num -window root "png:$out/$shot.png.tmp"
  mv "$out/$shot.png.tmp" "$out/$shot.png"
  echo "$out/$shot.png"
done
wait "$test"
test=
