#!/usr/bin/env bash
# Takes a picture of the table and rich controls: the demo program shows a
# table of pupils, a value set, a tree, a progress bar and a tab control.
#
#   tools/screenshot-tables.sh [output.png]   (default build/tables.png)
set -euo pipefail
exec bash "$(dirname "$0")/screenshot.sh" tables_demo tests/framework/tables/tables_demo.exe "${1:-build/tables.png}" 1024x700 76
