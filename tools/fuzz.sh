#!/usr/bin/env bash
# Builds every fuzz target (libFuzzer, clang, AddressSanitizer and UBSan) in
# build/fuzz and gives each a pass of the given length.
#   tools/fuzz.sh [seconds]      default 300; the test command runs 30
# The targets run side by side, one per processor (KEL_JOBS).
# Each target's working corpus starts from its seeds in the source tree and
# grows in the build tree; findings land in build/fuzz as crash-* files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
jobs=${KEL_JOBS:-$(nproc)}
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)

CC=clang CXX=clang++ cmake -S . -B build/fuzz "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKEL_FUZZ=ON -DKEL_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzz_targets
cd build/fuzz
ctest -L fuzz --output-on-failure -j "$jobs"
