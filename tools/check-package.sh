#!/usr/bin/env bash
# Checks the package tools/package.sh writes: the program imports only
# libraries that come with Windows (its C and C++ runtimes are linked in),
# and the unpacked folder starts under a fresh Wine prefix.
#
#   tools/check-package.sh <app_start_test.exe>
set -euo pipefail
cd "$(dirname "$0")/.."
tester=$(realpath "$1")
zip=$(bash tools/package.sh)
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
python3 -m zipfile -e "$zip" "$work/unpacked"
exe=$work/unpacked/kelvora/kelvora.exe
system=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comdlg32.dll comctl32.dll ole32.dll
  oleaut32.dll winspool.drv version.dll msvcrt.dll shlwapi.dll imm32.dll uxtheme.dll ws2_32.dll
  msimg32.dll winmm.dll wininet.dll "
system=" $(echo $system) "
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "kelvora.exe imports:" $imports
[ -n "$imports" ] || { echo "no import table found"; exit 1; }
for dll in $imports; do
  case "$system" in
    *" $dll "*) ;;
    *) echo "FEHLER: kelvora.exe braucht $dll, das nicht zu Windows gehört"; exit 1 ;;
  esac
done
# Libraries bound at their first call (and the mail library and help viewer,
# loaded by name) do not show in the import table: their names lie in the
# program's data.
late=$(strings -a "$exe" | grep -iE '^[a-z0-9_]+\.(dll|drv|ocx)$' | tr 'A-Z' 'a-z' | sort -u)
echo "kelvora.exe loads by name:" $late
for dll in $late; do
  case "$system mapi32.dll hhctrl.ocx " in
    *" $dll "*) ;;
    *) echo "FEHLER: kelvora.exe lädt $dll, das nicht zu Windows gehört"; exit 1 ;;
  esac
done
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
folder="Z:$(echo "$work/unpacked/kelvora" | tr '/' '\\')"
KEL_PACKAGE_DIR=$folder wine "$tester" --gtest_brief=1 --gtest_filter='Package.*' 2>&1 |
  tr -d '\r' | tee "$work/log"
grep -q "SKIPPED\|FAILED" "$work/log" && exit 1
grep -q 'PASSED  ] 1 test' "$work/log"
