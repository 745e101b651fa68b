#!/usr/bin/env bash
# Creates the Wine prefix named by WINEPREFIX afresh, as a German Windows PC:
# German locale (dates "11.12.2026", code page 1252), CUPS's default printer
# registered from the start, no window-manager decorations under Xvfb, the
# marlett font for caption glyphs, quiet output.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=de_DE.UTF-8
# Wine registers the CUPS queues while it makes the prefix, when CUPS runs.
bash "$(dirname "$0")/cups.sh"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || wineboot -i
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# Unmanaged windows: with no window manager under Xvfb, Wine otherwise waits
# about two seconds for every window it hides.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
[ -f /usr/share/wine/fonts/marlett.ttf ] && cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/"
wineserver -w
touch "$WINEPREFIX/.kel-ready"
