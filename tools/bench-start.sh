#!/usr/bin/env bash
# Start-up of the optimised program under Wine, against a minimal Win32
# program built by the same toolchain: both are started in turn in one run
# (KEL_BENCH_RUNS each, default 15, with one wineserver kept alive) and the
# time from launch until the main window exists is printed, with the
# medians and their ratio. Built in the Release tree build/bench-win.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tree=build/bench-win
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S . -B "$tree" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$tree" -j "${KEL_JOBS:-$(nproc)}" --target kelvora minimal_window start_timer kel_fixtures wineprefix >/dev/null
. tools/services.sh
export WINEPREFIX=$root/$tree/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The program in a folder of its own with the sample event.
mkdir -p "$work/kelvora/treiber" "$work/minimal"
cp "$tree/app/kelvora.exe" "$work/kelvora/"
cp "$tree/fixtures/A/treiber/KREIS2010.JTFO" "$work/kelvora/treiber/"
cp "$tree/benchmarks/startup/minimal_window.exe" "$work/minimal/"
wineserver -p
win() { echo "Z:$(echo "$1" | tr '/' '\\')"; }
wine "$tree/benchmarks/startup/start_timer.exe" "${KEL_BENCH_RUNS:-15}" \
  VUZ50MDIframeCL "$(win "$work/kelvora/kelvora.exe")" \
  MinimalWindowCL "$(win "$work/minimal/minimal_window.exe")" | tr -d '\r'
