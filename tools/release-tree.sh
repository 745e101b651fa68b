#!/usr/bin/env bash
# Configures build/win-release, the optimised program's tree (Release,
# MinGW-w64, warnings are errors, no tests). With ccache installed the
# compilers run through it with paths taken relative to the source folder, so
# that a second clone of the repository builds from the same cache.
set -euo pipefail
cd "$(dirname "$0")/.."
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
launcher=()
if command -v ccache >/dev/null; then
  l="env;CCACHE_BASEDIR=$PWD;ccache"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER="$l" -DCMAKE_CXX_COMPILER_LAUNCHER="$l")
fi
cmake -S . -B build/win-release "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DKEL_WERROR=ON -DKEL_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "${launcher[@]}" >/dev/null
