#!/usr/bin/env bash
# Pictures of the optimised program in the user scenarios, on a virtual
# display of its own: the team dialog, the folder button's hint, the folder
# browser over the wizard and the wizard after it, the wizard's team list,
# the error window and the entry window after it was closed by Ctrl+F4, and
# the print choice of the whole job. The test (app_user_scenarios_test)
# leaves "<name>.ready" at each picture and waits for "<name>.png".
#
#   tools/screenshot-scenarios.sh [output folder (build/win/screens)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win
release=build/win-release
out=$(realpath -m "${1:-$build/screens}")
cmake --build "$release" -j "${KEL_JOBS:-4}" --target kelvora >/dev/null
cmake --build "$build" -j "${KEL_JOBS:-4}" --target app_user_scenarios_test kel_fixtures wineprefix >/dev/null
mkdir -p "$out"
rm -f "$out"/*.ready "$out"/*.png

num=80
while [ -e /tmp/.X$num-lock ]; do num=$((num + 1)); done
Xvfb :$num -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
test=
cleanup() {
  [ -n "$test" ] && kill "$test" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo -display :$num >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=:$num WINEDEBUG=-all LC_ALL=de_DE.UTF-8 WINEPREFIX=$PWD/$build/wineprefix \
  KEL_FIXTURES=$PWD/$build/fixtures KEL_BUILD_DIR=$PWD/$build \
  KEL_RELEASE_PROGRAM="Z:$PWD/$release/app/kelvora.exe"
. tools/services.sh  # the CUPS PDF queue the whole job prints on
KEL_SHOT_DIR="Z:${out//\//\\}" bash tests/app/windows/user-scenarios.sh \
  "$build/tests/app/windows/app_user_scenarios_test.exe" >"$out/run.log" 2>&1 &
test=$!
# Each mark is answered with a picture until the test ends.
while kill -0 "$test" 2>/dev/null; do
  for mark in "$out"/*.ready; do
    [ -e "$mark" ] || continue
    shot=$(basename "$mark" .ready)
    [ -e "$out/$shot.png" ] && continue
    sleep 0.4  # the last paint reaches the display
    import -display :$num -window root "png:$out/$shot.png.tmp"
    mv "$out/$shot.png.tmp" "$out/$shot.png"
    echo "$out/$shot.png"
  done
  sleep 0.1
done
wait "$test" || { cat "$out/run.log" >&2; exit 1; }
test=
