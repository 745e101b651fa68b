#!/usr/bin/env bash
# Configures and builds both trees: build/native (portable code, sanitizers)
# and build/win (the Windows program and its tests, MinGW-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KEL_JOBS:-$(nproc)}
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)

cmake -S . -B build/native "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"

cmake -S . -B build/win "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win -j "$jobs"
