#!/usr/bin/env bash
# tools/start.sh as a newcomer meets it: a fresh clone of the repository's
# committed state, no display, a home folder of its own, and an apt-get that
# fails when called (the test command has installed everything).
# - The first start builds, fills the data folder from the shipped settings
#   and the sample event, runs the program there and leaves a screenshot.
# - The Wine prefix the build makes is German and knows CUPS's default printer.
# - The second start calls no apt, ends within a minute, refreshes the program
#   and leaves the data alone; deleting build/ leaves the data folder as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
src=$work/src
prefix=$src/build/win-release/wineprefix
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FEHLER: $*" >&2
  exit 1
}

git clone -q "$PWD" "$src"
home=$work/home data=$work/home/Kelvora
mkdir -p "$home" "$work/bin"
printf '#!/bin/sh\necho "apt-get $*" >>"%s"\nexit 1\n' "$work/apt-calls" >"$work/bin/apt-get"
chmod +x "$work/bin/apt-get"
# The compiler cache stays the caller's: the clone builds from what the test
# command's Release tree put there.
if command -v ccache >/dev/null; then
  export CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
fi

start() {
  local log=$work/start$1.log
  if ! env -u DISPLAY -u KEL_DATA -u KEL_SKIP_INSTALL HOME="$home" PATH="$work/bin:$PATH" \
      bash "$src/tools/start.sh" >"$log" 2>&1; then
    cat "$log"
    fail "start $1 of tools/start.sh failed"
  fi
  [ ! -e "$work/apt-calls" ] || fail "start $1 called apt: $(cat "$work/apt-calls")"
  [ -s "$src/build/start-screenshot.png" ] || fail "start $1 left no screenshot"
  grep -q 'Dialog "Meldung öffnen"' "$log" || { cat "$log"; fail "start $1 did not reach the class chooser"; }
}

t0=$SECONDS
start 1
echo "first start (build included): $((SECONDS - t0)) s"
[ -f "$data/kelvora.exe" ] || fail "no program in the data folder"
grep -q '^\[Listen\]' "$data/kelvora.ini" || fail "kelvora.ini is not the shipped settings file"
grep -q '^VID=[^[:space:]]' "$data/kelvora.ini" || fail "the program did not write its id into the data folder's kelvora.ini"
[ -f "$data/treiber/KREIS2010.JTFO" ] || fail "no sample event in the data folder"
for ext in SDA MDA STF; do
  ls "$data/veranst/"*".$ext" >/dev/null 2>&1 || fail "no .$ext data file in the data folder"
done
[ ! -e "$src/build/win-release/app/veranst" ] || fail "the program wrote data into the build tree"

# The teacher's data: a changed setting and a file of their own, and an
# outdated program that the next start replaces.
sed -i 's/^Copyright=3/Copyright=5/' "$data/kelvora.ini"
echo "eigene Notiz" >"$data/veranst/notiz.txt"
echo "alt" >"$data/kelvora.exe"
vid=$(grep '^VID=' "$data/kelvora.ini")
rm -f "$src/build/start-screenshot.png"

t0=$SECONDS
start 2
took=$((SECONDS - t0))
echo "second start: $took s"
[ "$took" -lt 60 ] || fail "the second start took $took s"
grep -q '^Copyright=5' "$data/kelvora.ini" || fail "the second start overwrote kelvora.ini"
[ "$(grep '^VID=' "$data/kelvora.ini")" = "$vid" ] || fail "the second start changed the installation id"
[ "$(cat "$data/veranst/notiz.txt")" = "eigene Notiz" ] || fail "the second start changed veranst"
cmp -s "$data/kelvora.exe" "$src/build/win-release/app/kelvora.exe" || fail "the program was not refreshed"

# The prefix as the build makes it, made again from a shell without the
# German locale: a program run would update the locale and printer entries.
# This comes after the second start, which thus meets the prefix a teacher's
# earlier start left (a prefix made anew is updated by Wine on its first run,
# which can take longer than the minute the start allows).
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
rm -rf "$prefix"
env -u LC_ALL LANG=C.UTF-8 cmake --build "$src/build/win-release" --target wineprefix >/dev/null
reg=$prefix/user.reg
grep -q '^"Locale"="00000407"' "$reg" || fail "the prefix's locale is not German"
grep -q '^"sShortDate"="d.M.yyyy"' "$reg" || fail "the prefix's short date is not d.M.yyyy"
printer=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
if [ -n "$printer" ]; then
  sed -n '/^\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Windows\]/,/^$/p' "$reg" |
    grep -qi "^\"device\"=\"$printer,wineps.drv," ||
    fail "the prefix does not know the default printer $printer"
else
  echo "note: CUPS has no default printer; the prefix's printer entry was not checked"
fi

sums() { (cd "$data" && find . -type f -exec sha1sum {} + | sort); }
before=$(sums)
rm -rf "$src/build"
[ "$(sums)" = "$before" ] || fail "removing build/ changed the data folder"
echo "start script: passed"
