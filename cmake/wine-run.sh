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
# Without a window manager, Wine waits for one each time a managed window is
# hidden or destroyed; unmanaged windows close at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
