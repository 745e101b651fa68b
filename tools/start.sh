#!/usr/bin/env bash
# Installs what is missing, builds the optimised program (build/win-release)
# and starts it under Wine from the data folder (KEL_DATA, default ~/Kelvora).
#
# The data folder is laid out like the unpacked zip on a Windows PC: the
# program (kelvora.exe, refreshed from the build on every start), its
# settings file kelvora.ini, the events in treiber, the data files and the
# log in veranst, the entry files in meldung. The first start puts the shipped
# settings file and the sample event there; nothing of the data is ever
# overwritten, and deleting build/ leaves it alone.
#
# With a display ($DISPLAY) the program runs there until the user ends it;
# without one it runs on a virtual display of a free number, a screenshot is
# taken once it is up (build/start-screenshot.png) and the program is ended.
set -euo pipefail
data=$(realpath -m "${KEL_DATA:-$HOME/Kelvora}")
cd "$(dirname "$0")/.."
src=$PWD
tree=build/win-release

[ "${KEL_SKIP_INSTALL:-0}" = 1 ] || bash tools/install-deps.sh

if [ ! -f "$tree/CMakeCache.txt" ]; then
  echo "Build einrichten ($tree) ..."
  bash tools/release-tree.sh
fi
echo "Programm bauen ($tree) ..."
cmake --build "$tree" -j "${KEL_JOBS:-$(nproc)}" --target kelvora kel_fixtures wineprefix

mkdir -p "$data"
if [ ! -e "$data/kelvora.ini" ]; then
  old=$tree/app
  if [ -e "$old/kelvora.ini" ]; then
    # Earlier versions of this script ran the program inside the build tree:
    # its data comes along once, copied, never moved.
    for item in kelvora.ini veranst treiber meldung; do
      [ ! -e "$old/$item" ] || cp -a -n "$old/$item" "$data/"
    done
    echo "Die Daten aus $old wurden nach $data kopiert."
  else
    cp resources/program/kelvora.ini "$data/"
    echo "Neuer Datenordner $data mit den mitgelieferten Einstellungen."
  fi
fi
mkdir -p "$data/treiber" "$data/veranst"
if ! ls "$data/treiber"/*.[Jj][Tt][Ff][Oo] >/dev/null 2>&1; then
  cp -n "$tree/fixtures/A/treiber/KREIS2010.JTFO" "$data/treiber/"
  echo "Beispielwettbewerb KREIS2010.JTFO nach $data/treiber gelegt."
fi
# The program itself is always the one just built.
if ! cmp -s "$tree/app/kelvora.exe" "$data/kelvora.exe"; then
  cp "$tree/app/kelvora.exe" "$data/.kelvora.exe.new"
  mv -f "$data/.kelvora.exe.new" "$data/kelvora.exe"
fi

bash tools/cups.sh
export WINEPREFIX=$src/$tree/wineprefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8
cd "$data"
if [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  echo "Kelvora läuft auf der Anzeige $DISPLAY; die Daten liegen in $data."
  exec wine kelvora.exe
fi

# No display: a virtual one of a free number, a picture once the program
# shows its first dialog, then the end.
[ -z "${DISPLAY:-}" ] || echo "Die Anzeige $DISPLAY ist nicht erreichbar; es wird eine virtuelle benutzt."
shot=$src/build/start-screenshot.png
work=$(mktemp -d)
xvfb= app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Xvfb chooses a free number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb ist nicht gestartet." >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
echo "Kelvora startet auf der virtuellen Anzeige $DISPLAY; die Daten liegen in $data."
wine kelvora.exe >/dev/null 2>&1 &
app=$!
# The first dialog: the class chooser, the event chooser when there are
# several events, or a message box.
dialog=
for _ in $(seq 600); do
  dialog=$(xwininfo -root -tree 2>/dev/null |
    grep -oE '"(Meldung öffnen|Wettbewerb wählen|Schwerer Fehler!|Fehler)"' | head -n1 || true)
  [ -z "$dialog" ] || break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
if [ -n "$dialog" ]; then
  echo "Das Programm zeigt den Dialog $dialog."
else
  echo "Das Programm zeigte nach einer Minute noch keinen Dialog." >&2
fi
sleep 1
import -window root "$shot"
echo "Bildschirmfoto nach dem Start: $shot"
[ -n "$dialog" ]
