#!/usr/bin/env bash
# Takes a picture of the five pages of the entry-file wizard, filled with
# example data.
#
#   tools/screenshot-entry-wizard.sh [output.png]   (default build/entry-wizard.png)
set -euo pipefail
exec bash "$(dirname "$0")/screenshot.sh" entry_wizard_demo tests/app/forms/entry_wizard_demo.exe "${1:-build/entry-wizard.png}" 1600x850 76
