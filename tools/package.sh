#!/usr/bin/env bash
# Builds the optimised program (build/win-release) and writes
# dist/kelvora-<version>.zip: a folder "kelvora" with the program, its
# settings file, the sample event in "treiber" and an empty "veranst" for
# the entries, ready to unpack on a Windows PC. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=build/win-release
jobs=${KEL_JOBS:-$(nproc)}
[ -f "$tree/CMakeCache.txt" ] || bash tools/release-tree.sh
cmake --build "$tree" -j "$jobs" --target kelvora kel_fixtures >/dev/null
version=$(sed -n 's/^KEL_VERSION:STRING=//p' "$tree/CMakeCache.txt")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dir=$stage/kelvora
mkdir -p "$dir/treiber" "$dir/veranst"
x86_64-w64-mingw32-strip -o "$dir/kelvora.exe" "$tree/app/kelvora.exe"
cp resources/program/kelvora.ini "$dir/"
cp "$tree/fixtures/A/treiber/KREIS2010.JTFO" "$dir/treiber/"
mkdir -p dist
zip=dist/kelvora-$version.zip
python3 - "$stage" "$zip" <<'PY'
import os, sys, zipfile
stage, out = sys.argv[1], sys.argv[2]
tmp = out + ".tmp"
with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as z:
    for root, dirs, files in os.walk(stage):
        dirs.sort()
        rel = os.path.relpath(root, stage)
        if rel != ".":
            z.write(root, rel + "/")
        for f in sorted(files):
            z.write(os.path.join(root, f), os.path.join(rel, f))
os.replace(tmp, out)
PY
echo "$zip"
