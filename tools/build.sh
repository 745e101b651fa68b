#!/usr/bin/env bash
# Configures and builds the trees of the test command: build/native
# (portable code, sanitizers), build/win (the Windows program and its tests,
# MinGW-w64) and build/win-release (the program's libraries optimised, where
# optimiser-only warnings show). Warnings are errors in all three.
# The Release tree stays in the test command: the packaging check and
# tools/test-start.sh need its program, about nine tenths of its compile
# work; the rest (the XML parser, XPath, the installer helpers) is where the
# optimiser's warnings in the libraries the program does not link show.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KEL_JOBS:-$(nproc)}
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
win=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)

cmake -S . -B build/native "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug -DKEL_WERROR=ON >/dev/null
cmake --build build/native -j "$jobs"

cmake -S . -B build/win "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug -DKEL_WERROR=ON "${win[@]}" >/dev/null
cmake --build build/win -j "$jobs"

bash tools/release-tree.sh
cmake --build build/win-release -j "$jobs"
