# Sourced by the install scripts: apt_get runs apt-get (through sudo when not
# root). While another package manager holds apt's lock it says so once and
# waits, at most KEL_APT_WAIT seconds (default 600), instead of failing at once.
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

apt_get() {
  local wait=${KEL_APT_WAIT:-600} err status locked said=""
  local deadline=$((SECONDS + wait))
  err=$(mktemp)
  while :; do
    # English messages, so that the lock failure can be recognised.
    $SUDO env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get "$@" 2>"$err" && status=0 || status=$?
    locked=0
    [ "$status" -eq 0 ] || ! grep -qiE 'could not get lock|unable to acquire|unable to lock' "$err" || locked=1
    if [ "$locked" = 1 ] && [ "$SECONDS" -lt "$deadline" ]; then
      [ -n "$said" ] || echo "Eine andere Paketverwaltung (apt) arbeitet gerade; es wird bis zu $(((wait + 59) / 60)) Minuten gewartet, bis sie fertig ist."
      said=1
      sleep 5
      continue
    fi
    cat "$err" >&2
    rm -f "$err"
    [ "$locked" = 0 ] || echo "apt ist noch immer belegt; bitte später noch einmal starten." >&2
    return "$status"
  done
}
