#!/usr/bin/env bash
# Prints an entry form and a pupil list on the CUPS PDF queue (the default
# printer of the Wine prefix) and reads both back with pdftotext.
#   print-cups-pdf.sh <app_print_test.exe>
set -u
. "$(dirname "$0")/pdf-pages.sh"
exe=$1
token="Druck$$"
out="${HOME}/PDF"
if ! lpstat -p PDF >/dev/null 2>&1; then
  echo "no CUPS PDF queue: start tools/services.sh" >&2
  exit 1
fi
KEL_PRINT_TOKEN=$token wine "$exe" --gtest_filter='*OneOfEachOnTheDefaultPrinter*' --gtest_brief=1 || exit 1
files=()
for _ in $(seq 100); do
  mapfile -t files < <(find "$out" -maxdepth 1 -name "*${token}*.pdf" 2>/dev/null | sort)
  [ "${#files[@]}" -ge 2 ] && break
  sleep 0.3
done
if [ "${#files[@]}" -ne 2 ]; then
  echo "expected two PDF files for $token in $out, found ${#files[@]}" >&2
  exit 1
fi
sleep 0.5  # CUPS-PDF may still be closing the last file
for f in "${files[@]}"; do
  case "$f" in
    *Meldebogen*)
      pdf_expect "$f" "Bundeswettbewerb der Schulen" "JUGEND TRAINIERT FÜR OLYMPIA" "Leichtathletik" \
        "Wettkampfklasse: I Jungen" "Schule $token" "Hauptstraße 1" "78462 Konstanz" "Herr Groß" \
        "Meldebogen" "Name, Vorname" "100m" "Meier, Anna" "12,34" "Staffel I:" "Mannschaftsbetreuer" ;;
    *)
      pdf_expect "$f" "Bundeswettbewerb der Schulen" "Konstanz" "Leichtathletik" "Wettkampfklasse: I Jungen" \
        "Schülerliste" "Name des Teilnehmers" "Meier, Anna" "Wettkampfbüro abzugeben." "Schulleiter" ;;
  esac
done
pdf_done "${files[@]}"
exit $pdf_status
