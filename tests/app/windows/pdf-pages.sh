# Sourced by the scripts that read printed pages back from the CUPS PDF queue.
#   pdf_expect FILE LINE...  the PDF has one page and its text holds each
#                            line (extended regular expressions, matched with
#                            leading and trailing blanks of the text cut);
#                            a miss is reported and sets pdf_status to 1
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
