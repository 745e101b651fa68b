#!/usr/bin/env bash
# Fuzzes the XML library with libFuzzer (clang).
#   tools/fuzz.sh [seconds] [target]   default 300 seconds, target "parser"
# Targets: "parser" (documents through the parser into the object model;
# seeds: the W3C conformance suite in build/native/xmlconf, fetched by the
# native build's configure step) and "incharfilter" (the input filter's
# decoding; seeds in tests/xml/dom/fuzz/corpus). Builds into build/fuzz; the
# working corpus stays in build/fuzz/<target>-corpus. Findings land in
# build/fuzz/ as crash-* files. Not part of the ctest run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
target=${2:-parser}
out=build/fuzz
corpus=$out/$target-corpus
mkdir -p "$corpus"

if [ "$target" = parser ]; then
  suite=build/native/xmlconf/package/xmlconf
  [ -d "$suite" ] || bash tools/fetch-xmlconf.sh build/native/xmlconf
  # Seeds: every document of the suite up to 64 KiB, named by content.
  find "$suite" -name '*.xml' -size -64k -print0 |
    xargs -0 -I{} sh -c 'cp -n "{}" "'"$corpus"'/$(sha1sum "{}" | cut -c1-40)"'
  sources=(tests/xml/parser/fuzz/XpParser_fuzz.cpp xml/dom/*.cpp xml/parser/*.cpp
           classlib/AnsiString.cpp classlib/Format.cpp classlib/Persistent.cpp classlib/Stream.cpp
           classlib/StringList.cpp classlib/Component.cpp)
  maxlen=65536
else
  cp -n tests/xml/dom/fuzz/corpus/* "$corpus/" 2>/dev/null || true
  sources=(
    tests/xml/dom/fuzz/InCharFilter_fuzz.cpp
    classlib/AnsiString.cpp classlib/Format.cpp classlib/Persistent.cpp classlib/Stream.cpp
    xml/dom/XpBaseCharFilter.cpp xml/dom/XpInCharFilter.cpp xml/dom/XpOutCharFilter.cpp
    xml/dom/XpCharEncoding.cpp xml/dom/XpCharClasses.cpp xml/dom/XpMessages.cpp
  )
  maxlen=4096
fi
# clang has no Windows-1252 execution character set; the few German
# message texts stay UTF-8 here, which does not matter for fuzzing.
clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "${sources[@]}" -o "$out/${target}_fuzz"

cd "$out"
"./${target}_fuzz" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 -jobs=1 \
  -print_final_stats=1 "$target-corpus"
