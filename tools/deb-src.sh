#!/usr/bin/env bash
# Makes Debian's source packages reachable for `apt-get source`: adds a
# deb-src entry with the same address, suite and keyring as the machine's own
# main entry, when there is none yet. Used for the libraries the Windows build
# cross-compiles from Debian's sources (libjpeg-turbo, Google Benchmark).
set -euo pipefail
. "$(dirname "$0")/apt.sh"
target=/etc/apt/sources.list.d/debian-src.sources
[ -f "$target" ] && exit 0
main=/etc/apt/sources.list.d/debian.sources
if [ -f "$main" ]; then
  # The first stanza of the deb822 file is the main archive.
  awk 'BEGIN { RS = ""; ORS = "\n" } NR == 1 { sub(/Types: deb/, "Types: deb-src"); print; exit }' "$main" |
    $SUDO tee "$target" >/dev/null
else
  # One-line format: turn the first "deb" line into a "deb-src" line.
  grep -m1 '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
    $SUDO tee /etc/apt/sources.list.d/debian-src.list >/dev/null
fi
apt_get update -q
