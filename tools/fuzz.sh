#!/usr/bin/env bash
# Fuzzes the XML library with libFuzzer (clang):
#   tools/fuzz.sh [seconds] [target]   default 300 seconds, every target
# Targets: incharfilter (the input filter's decoding) and treewriter (trees
# built from the input, saved in each encoding, every output checked with
# libxml2). Builds into build/fuzz; each target's working corpus starts
# from the seeds in tests/xml/dom/fuzz/corpus/<target> and stays in
# build/fuzz/corpus-<target>. Findings land in build/fuzz/ as crash-* files.
# Not part of the ctest run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
only=${2:-}
out=build/fuzz
mkdir -p "$out"

classlib=(classlib/AnsiString.cpp classlib/Format.cpp classlib/Persistent.cpp classlib/Stream.cpp)
# clang has no Windows-1252 execution character set; the few German
# message texts stay UTF-8 here, which does not matter for fuzzing.
flags=(-std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

build_incharfilter() {
  clang++ "${flags[@]}" tests/xml/dom/fuzz/InCharFilter_fuzz.cpp "${classlib[@]}" \
    xml/dom/XpBaseCharFilter.cpp xml/dom/XpInCharFilter.cpp xml/dom/XpOutCharFilter.cpp \
    xml/dom/XpCharEncoding.cpp xml/dom/XpCharClasses.cpp xml/dom/XpMessages.cpp \
    -o "$out/incharfilter_fuzz"
}

build_treewriter() {
  clang++ "${flags[@]}" $(xml2-config --cflags) tests/xml/dom/fuzz/TreeWriter_fuzz.cpp \
    "${classlib[@]}" classlib/Component.cpp classlib/StringList.cpp xml/dom/*.cpp \
    $(xml2-config --libs) -o "$out/treewriter_fuzz"
}

for target in incharfilter treewriter; do
  [ -n "$only" ] && [ "$only" != "$target" ] && continue
  "build_$target"
  mkdir -p "$out/corpus-$target"
  cp -n tests/xml/dom/fuzz/corpus/$target/* "$out/corpus-$target/" 2>/dev/null || true
  (cd "$out" && "./${target}_fuzz" -max_total_time="$seconds" -max_len=4096 -jobs=1 \
    -print_final_stats=1 "corpus-$target")
done
