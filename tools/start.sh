#!/usr/bin/env bash
# Sets everything up, builds the program and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KEL_SKIP_INSTALL:-0}" = 1 ] || bash tools/install-deps.sh
bash tools/build.sh
# The program's event folder (the default TreiberDir "treiber" beside the
# program) gets the sample event of the fixtures.
mkdir -p build/win/app/treiber
cp -f build/win/fixtures/A/treiber/KREIS2010.JTFO build/win/app/treiber/
if [ ! -f build/win/app/kelvora.exe ]; then
  echo "Alles ist gebaut. Das Programm hat noch kein Fenster und kann noch nicht starten."
  echo "(Everything is built; the program has no window yet and cannot start.)"
  exit 0
fi
