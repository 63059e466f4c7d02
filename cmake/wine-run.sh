#!/bin/sh
# Runs one Windows program under Wine (64-bit) for CTest and the scripts.
# The prefix is made on first use; without a display the program gets its
# own Xvfb server.
set -e
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-quizplayer}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
