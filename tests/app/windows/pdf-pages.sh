# Sourced by the scripts that read printed pages back from the CUPS PDF queue.
#   pdf_expect FILE LINE...  the PDF has one page and its text holds each
#                            line (extended regular expressions, matched with
#                            leading and trailing blanks of the text cut);
#                            a miss is reported and sets pdf_status to 1
#   expect_job_pages FILE... the entry form and the pupil list of the
#                            teacher's job of the end-to-end tests
#   pdf_done FILE...         copies the files into $KEL_KEEP_PDF when that
#                            names a folder, then removes them
pdf_status=0
pdf_expect() {
  local file=$1 text line
  shift
  text=$(pdftotext -layout "$file" - 2>/dev/null | sed "s/^ *//; s/ *$//")
  [ "$(pdfinfo "$file" | awk '/^Pages:/ {print $2}')" = 1 ] || { echo "$file: not one page" >&2; pdf_status=1; }
  for line in "$@"; do
    grep -qE -- "$line" <<<"$text" || { echo "$file: missing '$line'" >&2; pdf_status=1; }
  done
}
pdf_done() {
  if [ -n "${KEL_KEEP_PDF:-}" ]; then
    cp "$@" "$KEL_KEEP_PDF"/
  fi
  rm -f "$@"
}
expect_job_pages() {
  local f
  for f in "$@"; do
    case "$f" in
      *Meldebogen*)
        pdf_expect "$f" "^Bundeswettbewerb der Schulen" "^Stadtentscheid" "^Konstanz +Leichtathletik" \
          "Wettkampfklasse: II Jungen" "^GOETHE.GYMNASIUM" "^Hauptstraße 1" "^78462 Konstanz" "^Frau Müller" \
          "^Tel. dienstlich: 07531 1234" "^Tel. privat: 07531 5678" "^E.Mail: sport@goethe.example" \
          "^Meldebogen" "^Nr Name, Vorname +JG 100m +1000m +4x100m +Hoch +Weit +Kugel +Speer" \
          "^1 Meier, Anna +96 00,00$" "^2 Groß, Jörg +97 00,00 +0,00$" "^3 Weiß, Tim +96 +0,00$" "^12 ..$" \
          "^Staffel I: +00,00" "^Mannschaftsbetreuer" ;;
      *)
        pdf_expect "$f" "^Bundeswettbewerb der Schulen +Konstanz" "^Stadtentscheid +Leichtathletik" \
          "Wettkampfklasse: II Jungen" \
          "^GOETHE.GYMNASIUM" "^Hauptstraße 1" "^Frau Müller" "^Schülerliste" \
          "^Nr +Name des Teilnehmers +JG +Klasse" "^1 +Meier, Anna +96 +7a$" "^2 +Groß, Jörg +97 +8b$" \
          "^3 +Weiß, Tim +96 +7c$" "Wettkampfbüro abzugeben." "Schulleiter +Schulstempel +Mannschaftsbetreuer" ;;
    esac
  done
}
