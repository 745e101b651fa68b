#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO dpkg --add-architecture i386 >/dev/null 2>&1 || true
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  build-essential cmake ninja-build python3 git ca-certificates \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-tools \
  wine wine64 xvfb xauth fonts-wine fonts-liberation x11-utils imagemagick \
  cups printer-driver-cups-pdf ghostscript poppler-utils \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  libjpeg62-turbo-dev libxml2-dev libxml2-utils libpugixml-dev clang libclang-rt-14-dev locales \
  python3-pyftpdlib
# npm fetches the XML conformance suite. A machine whose Node.js already
# brings npm keeps it (Debian's npm package conflicts with such a Node.js).
command -v npm >/dev/null || $SUDO apt-get install -y -q --no-install-recommends npm

# The German locale the program and the Windows tests run under; without it
# being generated Wine cannot map non-ASCII file names to the host.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi

# Source of libjpeg-turbo, which the Windows build cross-compiles for the
# picture of the about box (Debian has no MinGW build of it). The build
# unpacks the .orig tarball from here (classlib/CMakeLists.txt).
jpeg_src=/usr/local/src/kel-libjpeg
if ! ls "$jpeg_src"/libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1; then
  bash "$(dirname "$0")/deb-src.sh"
  $SUDO mkdir -p "$jpeg_src"
  (cd "$jpeg_src" && $SUDO apt-get source --download-only -q libjpeg-turbo)
fi
