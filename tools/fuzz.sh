#!/usr/bin/env bash
# Fuzzes the XML input filter's decoding with libFuzzer (clang).
#   tools/fuzz.sh [seconds]      default 300
# Builds into build/fuzz; the working corpus starts from the seeds in
# tests/xml/dom/fuzz/corpus and stays in build/fuzz/corpus. Findings land in
# build/fuzz/ as crash-* files. Not part of the ctest run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
out=build/fuzz
mkdir -p "$out/corpus"
cp -n tests/xml/dom/fuzz/corpus/* "$out/corpus/" 2>/dev/null || true

sources=(
  tests/xml/dom/fuzz/InCharFilter_fuzz.cpp
  classlib/AnsiString.cpp classlib/Format.cpp classlib/Persistent.cpp classlib/Stream.cpp
  xml/dom/XpBaseCharFilter.cpp xml/dom/XpInCharFilter.cpp xml/dom/XpOutCharFilter.cpp
  xml/dom/XpCharEncoding.cpp xml/dom/XpCharClasses.cpp xml/dom/XpMessages.cpp
)
# clang has no Windows-1252 execution character set; the few German
# message texts stay UTF-8 here, which does not matter for fuzzing.
clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "${sources[@]}" -o "$out/incharfilter_fuzz"

cd "$out"
./incharfilter_fuzz -max_total_time="$seconds" -max_len=4096 -jobs=1 -print_final_stats=1 corpus
