#!/usr/bin/env bash
# Sets everything up, builds the program and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KEL_SKIP_INSTALL:-0}" = 1 ] || bash tools/install-deps.sh
bash tools/build.sh
if [ ! -f build/win/app/kelvora.exe ]; then
  echo "Alles ist gebaut. Das Programm hat noch kein Fenster und kann noch nicht starten."
  echo "(Everything is built; the program has no window yet and cannot start.)"
  exit 0
fi
