#!/usr/bin/env bash
# Fuzzes with libFuzzer (clang), each target for the given time:
#   parser        documents through the XML parser into the object model
#                 (seeds: the W3C conformance suite, fetched by the native
#                 build's configure step into build/native/xmlconf)
#   incharfilter  the XML input filter's decoding
#   treewriter    trees built from the input, saved in each encoding, every
#                 output checked with libxml2
#   eventfile     the event-definition loader (and the check and entry file
#                 of a loaded event)
#   datafiles     the data-file loader with its journal
#   tools/fuzz.sh [seconds] [target...]      default 300 s, every target
# Builds into build/fuzz; each target's working corpus stays in
# build/fuzz/<target>-corpus. Findings land in build/fuzz/ as crash-* files.
# Not part of the ctest run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(parser incharfilter treewriter eventfile datafiles)
out=build/fuzz
mkdir -p "$out"

classlib=(classlib/AnsiString.cpp classlib/Format.cpp classlib/Persistent.cpp classlib/Stream.cpp
          classlib/Component.cpp classlib/StringList.cpp)
appcore=(app/core/Platform.cpp app/core/PortablePlatform.cpp app/core/IniFile.cpp app/core/Records.cpp
         app/core/Settings.cpp app/core/EventTable.cpp app/core/FileSystem.cpp app/core/StoreJournal.cpp
         app/core/Memory.cpp app/core/BlankDataFiles.cpp app/core/Meldefehler.cpp app/core/EntryCheck.cpp
         app/core/EntryTexts.cpp app/core/EntryFileWriter.cpp)
# clang has no Windows-1252 execution character set; the few German
# message texts stay UTF-8 here, which does not matter for fuzzing.
flags=(-std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

build() {  # name, sources...
  local name=$1
  shift
  clang++ "${flags[@]}" "$@" -o "$out/${name}_fuzz"
}

for t in "${targets[@]}"; do
  corpus="$out/$t-corpus"
  mkdir -p "$corpus"
  case $t in
    parser)
      suite=build/native/xmlconf/package/xmlconf
      [ -d "$suite" ] || bash tools/fetch-xmlconf.sh build/native/xmlconf
      # Seeds: every document of the suite up to 64 KiB, named by content.
      find "$suite" -name '*.xml' -size -64k -print0 |
        xargs -0 -I{} sh -c 'cp -n "{}" "'"$corpus"'/$(sha1sum "{}" | cut -c1-40)"'
      build parser tests/xml/parser/fuzz/XpParser_fuzz.cpp xml/dom/*.cpp xml/parser/*.cpp "${classlib[@]}"
      max_len=65536 ;;
    incharfilter)
      cp -n tests/xml/dom/fuzz/corpus/incharfilter/* "$corpus/" 2>/dev/null || true
      build incharfilter tests/xml/dom/fuzz/InCharFilter_fuzz.cpp "${classlib[@]:0:4}" \
        xml/dom/XpBaseCharFilter.cpp xml/dom/XpInCharFilter.cpp xml/dom/XpOutCharFilter.cpp \
        xml/dom/XpCharEncoding.cpp xml/dom/XpCharClasses.cpp xml/dom/XpMessages.cpp
      max_len=4096 ;;
    treewriter)
      cp -n tests/xml/dom/fuzz/corpus/treewriter/* "$corpus/" 2>/dev/null || true
      build treewriter $(xml2-config --cflags) tests/xml/dom/fuzz/TreeWriter_fuzz.cpp "${classlib[@]}" \
        xml/dom/*.cpp $(xml2-config --libs)
      max_len=4096 ;;
    eventfile)
      # The generated event files (tools/make_fixtures.py) are the seeds.
      python3 tools/make_fixtures.py "$out/fixtures"
      find "$out/fixtures" -iname '*.JTFO' -exec cp -n {} "$corpus/" \;
      build eventfile tests/app/core/fuzz/EventFile_fuzz.cpp "${appcore[@]}" "${classlib[@]}" xml/dom/*.cpp
      max_len=8192 ;;
    datafiles)
      printf '\x00\x00\x00\x00\x00\x00' >"$corpus/seed-sda"
      printf '\x01\x01\x64\x00\x00\x00\x4e\x61\xbc\x00' >"$corpus/seed-mda-cut"
      printf '\x03\x00\x00\x00\x00\x00KJRN\x0c\x00\x00\x00\x01\x00\x00\x00' >"$corpus/seed-journal"
      build datafiles tests/app/core/fuzz/DataFiles_fuzz.cpp "${appcore[@]}" "${classlib[@]}" xml/dom/*.cpp
      max_len=4096 ;;
    *) echo "unknown target: $t" >&2; exit 2 ;;
  esac
  echo "== $t ($seconds s)"
  (cd "$out" && "./${t}_fuzz" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -jobs=1 \
     -print_final_stats=1 "$t-corpus")
done
