#!/usr/bin/env bash
# Runs the user scenarios on the optimised program (app_user_scenarios_test)
# with the CUPS PDF queue as the printer, then reads the two pages the whole
# job by keyboard printed back with pdftotext and compares them with the
# expected lines.
#   user-scenarios.sh <app_user_scenarios_test.exe> [gtest arguments]
set -u
. "$(dirname "$0")/pdf-pages.sh"
exe=$1
shift
out="${HOME}/PDF"
if ! lpstat -p PDF >/dev/null 2>&1; then
  echo "no CUPS PDF queue: start tools/services.sh" >&2
  exit 1
fi
mkdir -p "$out"
# The pages are found by their titles: one run at a time (end-to-end.sh
# prints the same team).
exec 9>"$out/.kelvora-end-to-end.lock"
flock -w 600 9 || { echo "end-to-end lock not taken" >&2; exit 1; }
pattern='*II_Jungen_Goethe_I*.pdf'
find "$out" -maxdepth 1 -name "$pattern" -delete
KEL_PDF_DIR="Z:$(echo "$out" | tr '/' '\\')" wine "$exe" --gtest_brief=1 "$@" || exit 1
mapfile -t files < <(find "$out" -maxdepth 1 -name "$pattern" | sort)
case " $* " in
  *--gtest_filter=*) [ "${#files[@]}" -eq 0 ] && exit 0 ;;  # a part without the job
esac
if [ "${#files[@]}" -ne 2 ]; then
  echo "expected two PDF files in $out, found ${#files[@]}" >&2
  exit 1
fi
sleep 0.5  # CUPS-PDF may still be closing the last file
expect_job_pages "${files[@]}"
pdf_done "${files[@]}"
exit $pdf_status
