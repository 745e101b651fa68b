#!/usr/bin/env bash
# Takes a picture of the entry grid: the demo program shows a frame with a
# tool bar of hint buttons, the athlete grid of one team and the school tabs.
#
#   tools/screenshot-grid.sh [output.png]   (default build/entry-grid.png)
set -euo pipefail
exec bash "$(dirname "$0")/screenshot.sh" entry_grid_demo tests/app/windows/entry_grid_demo.exe "${1:-build/entry-grid.png}" 1024x700 74
