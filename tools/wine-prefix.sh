#!/usr/bin/env bash
# Creates and prepares the Wine prefix named by WINEPREFIX: no window-manager
# decorations under Xvfb, the marlett font for caption glyphs, quiet output.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
rm -f "$WINEPREFIX/.kel-ready"
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
