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
bash "$(dirname "${BASH_SOURCE[0]}")/cups.sh"
