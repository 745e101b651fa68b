#!/usr/bin/env bash
# Builds the benchmark programs in a Release tree without sanitizers and
# runs them: every program the benchmark folders add with
# kel_add_benchmark(), or only those named in KEL_BENCH (blank-separated,
# e.g. KEL_BENCH=xml_parser_bench). Only the programs run are built.
# Arguments are passed to every benchmark program (e.g. --benchmark_filter=...).
set -euo pipefail
cd "$(dirname "$0")/.."
gen=(); command -v ninja >/dev/null && gen=(-G Ninja)
read -r -a programs <<< "${KEL_BENCH:-$(grep -rhoE 'kel_add_benchmark\([A-Za-z0-9_]+' benchmarks | sed 's/.*(//' | sort | tr '\n' ' ')}"
cmake -S . -B build/bench "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DKEL_SANITIZE=OFF >/dev/null
# A program whose comparison library is missing is not configured: build
# and run those that are.
targets=$(cmake --build build/bench --target help)
available=()
for p in "${programs[@]}"; do
  if grep -q "^$p: " <<< "$targets"; then
    available+=("$p")
  else
    echo "== $p: not configured (missing library), skipped"
  fi
done
[ ${#available[@]} -gt 0 ] || exit 0
cmake --build build/bench -j "${KEL_JOBS:-$(nproc)}" --target "${available[@]}"
for p in "${available[@]}"; do
  b=$(find build/bench/benchmarks -type f -executable -name "$p" | head -1)
  echo "== $b"
  (cd "$(dirname "$b")" && "./$(basename "$b")" "$@")
done
