#!/usr/bin/env bash
# Builds the benchmarks in a Release tree without sanitizers and runs them.
# Arguments are passed to every benchmark program (e.g. --benchmark_filter=...).
set -euo pipefail
cd "$(dirname "$0")/.."
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S . -B build/bench "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DKEL_SANITIZE=OFF >/dev/null
cmake --build build/bench -j "${KEL_JOBS:-$(nproc)}"
for b in $(find build/bench/benchmarks -type f -executable -name '*_bench' | sort); do
  echo "== $b"
  (cd "$(dirname "$b")" && "./$(basename "$b")" "$@")
done
