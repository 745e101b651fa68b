#!/usr/bin/env bash
# Sets everything up, builds the optimised program (build/win-release) and
# starts it under Wine.
# With a display ($DISPLAY) the program runs there until the user ends it;
# without one it runs on a virtual display, a screenshot is taken after
# start-up (build/start-screenshot.png) and the program is ended.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KEL_SKIP_INSTALL:-0}" = 1 ] || bash tools/install-deps.sh
tree=build/win-release
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake -S . -B "$tree" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DKEL_WERROR=ON -DKEL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$tree" -j "${KEL_JOBS:-$(nproc)}" --target kelvora kel_fixtures wineprefix >/dev/null
app=$tree/app
# The event-definition folder (the default TreiberDir "treiber" beside the
# program) gets the sample event of the fixtures when it has none.
mkdir -p "$app/treiber"
if ! ls "$app/treiber"/*.JTFO >/dev/null 2>&1; then
  cp "$tree/fixtures/A/treiber/KREIS2010.JTFO" "$app/treiber/"
fi
export WINEPREFIX=$PWD/$tree/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
if [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  exec wine "$app/kelvora.exe"
fi
# No display: a virtual one, a picture after start-up, then the end.
export DISPLAY=:${KEL_START_DISPLAY:-73}
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
wine "$app/kelvora.exe" &
pid=$!
sleep 8
shot=$PWD/build/start-screenshot.png
import -display "$DISPLAY" -window root "$shot"
kill "$pid" 2>/dev/null || true
wineserver -k 2>/dev/null || true
echo "Das Programm lief; Bildschirmfoto nach dem Start: $shot"
