#!/usr/bin/env bash
# Sets everything up, builds the trees and runs every check: the include
# direction of the layers, the native tests under the sanitizers, the Windows
# tests under Wine, tools/start.sh in a fresh clone (tools/test-start.sh) and
# a short pass of every fuzz target (KEL_FUZZ_SECONDS, default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KEL_SKIP_INSTALL:-0}" = 1 ] || bash tools/install-deps.sh
bash tools/build.sh
python3 tools/check-layers.py build/native
. tools/services.sh

export WINEPREFIX=$PWD/build/win/wineprefix WINEDEBUG=-all
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
# Start Wine's own background processes now, detached from ctest's output
# pipes: started by the first test they would keep its pipe open until the
# time-out.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

status=0
echo "== native tests (AddressSanitizer, UBSan)"
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
echo "== Windows tests (Wine)"
ctest --test-dir build/win --output-on-failure -j "$(nproc)" || status=1
echo "== start script (fresh clone, no display)"
bash tools/test-start.sh || status=1
echo "== fuzz pass"
bash tools/fuzz.sh "${KEL_FUZZ_SECONDS:-30}" || status=1
exit $status
