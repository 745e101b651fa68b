#!/usr/bin/env bash
# Takes a picture of the edit controls: the mask edit, enhanced edits with
# their labels, flat and soft borders, the hint text of an empty edit, the
# error wave and the wallpaper panel.
#
#   tools/screenshot-edits.sh [output.png]   (default build/edits.png)
set -euo pipefail
exec bash "$(dirname "$0")/screenshot.sh" edits_demo tests/components/edits/edits_demo.exe "${1:-build/edits.png}" 640x300 76
