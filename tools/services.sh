#!/usr/bin/env bash
# Starts what the program and the Windows tests need, when it is not running:
# a virtual display (DISPLAY, default :99) and CUPS with a PDF queue as the
# default printer. Source it: it exports DISPLAY.
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:99
fi
if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
fi
if command -v cupsd >/dev/null; then
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cupsd >/dev/null 2>&1 || true
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 || true
    lpadmin -d PDF >/dev/null 2>&1 || true
  fi
fi
