#!/usr/bin/env bash
# Takes a picture of the bars and 3-D controls: the demo program shows a
# frame with tool bar and status line, and a window of 3-D controls made from
# a dialog template.
#
#   tools/screenshot-controls3d.sh [output.png]   (default build/controls3d.png)
set -euo pipefail
exec bash "$(dirname "$0")/screenshot.sh" controls3d_demo tests/framework/controls3d/controls3d_demo.exe "${1:-build/controls3d.png}" 1024x700 73
