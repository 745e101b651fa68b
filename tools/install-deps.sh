#!/usr/bin/env bash
# Installs what the build, the program and the tests need on Debian 12, and
# only what is missing: when everything is there, apt is not called at all.
set -euo pipefail
here=$(dirname "$0")
. "$here/apt.sh"
packages=(
  build-essential cmake ninja-build ccache python3 git ca-certificates
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xauth fonts-wine fonts-liberation x11-utils imagemagick
  cups printer-driver-cups-pdf ghostscript poppler-utils
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libxml2-dev libxml2-utils libpugixml-dev clang libclang-rt-14-dev locales
  python3-pyftpdlib
)
# npm fetches the XML conformance suite. A machine whose Node.js already
# brings npm keeps it (Debian's npm package conflicts with such a Node.js).
command -v npm >/dev/null || packages+=(npm)

installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null |
  awk '$1 == "ii" { print $2 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done
jpeg_src=/usr/local/src/kel-libjpeg
have_jpeg_src() { ls "$jpeg_src"/libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1; }
have_locale() { locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; }

if [ ${#missing[@]} -eq 0 ] && have_jpeg_src && have_locale; then
  echo "Pakete: alles installiert."
  exit 0
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Pakete: es fehlen ${missing[*]}; sie werden installiert."
  $SUDO dpkg --add-architecture i386 >/dev/null 2>&1 || true
  apt_get update -q
  apt_get install -y -q --no-install-recommends "${missing[@]}"
fi

# The German locale the program and the Windows tests run under; without it
# being generated Wine cannot map non-ASCII file names to the host.
if ! have_locale; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi

# Source of libjpeg-turbo, which the Windows build cross-compiles for the
# picture of the about box (Debian has no MinGW build of it). The build
# unpacks the .orig tarball from here (classlib/CMakeLists.txt).
if ! have_jpeg_src; then
  bash "$here/deb-src.sh"
  $SUDO mkdir -p "$jpeg_src"
  (cd "$jpeg_src" && apt_get source --download-only -q libjpeg-turbo)
fi
