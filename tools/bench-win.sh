#!/usr/bin/env bash
# Runs the benchmarks of the Windows tree under Wine (the entry grid's
# repaint and keystroke, the table control's repaint, the node tree and the
# entry file). Google Benchmark has no MinGW build in Debian: its
# source package is fetched once (a deb-src entry for bookworm main is added
# when missing) and cross-built into build/deps/benchmark-win. The programs
# are built in a Release tree, build/bench-win. Arguments go to every
# benchmark program (e.g. --benchmark_filter=...).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
deps=$root/build/deps
prefix=$deps/benchmark-win
jobs=${KEL_JOBS:-$(nproc)}
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)

if [ ! -f "$prefix/lib/cmake/benchmark/benchmarkConfig.cmake" ]; then
  mkdir -p "$deps"
  cd "$deps"
  if ! ls benchmark_*.orig.tar.gz >/dev/null 2>&1; then
    bash "$root/tools/deb-src.sh"
    apt-get source --download-only benchmark
  fi
  tar xzf benchmark_*.orig.tar.gz
  src=$(ls -d benchmark-*/ | head -1)
  cmake -S "$src" -B bm-build "${gen[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF >/dev/null
  cmake --build bm-build -j "$jobs"
  cmake --install bm-build >/dev/null
  cd "$root"
fi

cmake -S . -B build/bench-win "${gen[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKEL_WIN_BENCHMARK_PREFIX="$prefix" >/dev/null
cmake --build build/bench-win -j "$jobs" --target entry_grid_bench entry_window_bench table_bench xml_dom_tree_bench app_core_bench kel_fixtures wineprefix
. tools/services.sh
export WINEPREFIX=$root/build/bench-win/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
export KEL_FIXTURES=$root/build/bench-win/fixtures
for b in $(find build/bench-win/benchmarks -type f -name '*_bench.exe' | sort); do
  echo "== $b"
  wine "$b" "$@"
done
