#!/usr/bin/env bash
# Takes a picture of the forms of the entry road: the demo program shows the
# team record dialog, print choice, class chooser and about box filled with
# example data.
#
#   tools/screenshot-entry-forms.sh [output.png]   (default build/entry-forms.png)
set -euo pipefail
exec bash "$(dirname "$0")/screenshot.sh" entry_forms_demo tests/app/forms/entry_forms_demo.exe "${1:-build/entry-forms.png}" 1280x800 75
