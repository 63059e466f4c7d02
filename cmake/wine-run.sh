#!/bin/sh
# Runs one Windows program under Wine (i686 or x86_64) for CTest and the scripts.
#   wine-run.sh PROGRAM.exe ARGS...   run it (own Xvfb when there is no display)
#   wine-run.sh --prepare             only make the prefix ready
set -e
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-quizplayer}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w || true
fi
# A 64-bit prefix made before 32-bit Wine was installed has an empty
# syswow64: no i686 program starts in it, and neither does any other once
# Debian's 'wine' goes through the 32-bit loader. Updating it from the 64-bit
# loader in Wine's bootstrap mode (which lets the 32-bit set-up start before
# the files it writes exist) adds the missing half and keeps the rest.
if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] &&
    [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] &&
    grep -q '^#arch=win64' "$WINEPREFIX/system.reg" 2>/dev/null; then
    echo "Adding 32-bit Wine to the prefix $WINEPREFIX" >&2
    WINEBOOTSTRAPMODE=1 /usr/lib/wine/wine64 wineboot -u </dev/null >/dev/null 2>&1 || true
    wineserver -w || true
fi
# Without a window manager, Wine waits for one each time a managed window is
# hidden or destroyed; unmanaged windows close at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
    wineserver -w || true
fi
# Wine's background services live as long as the wineserver. Started by the
# first program of a persistent server they would inherit its output pipes,
# and a test runner waiting for the end of that output would wait for as
# long; test.sh therefore starts them here, with no output attached and the
# display already set.
if [ "${1:-}" = "--prepare" ]; then
    wineboot </dev/null >/dev/null 2>&1 || true
    exit 0
fi

# Without a display the program gets a private X server; the Wine processes
# must end before it does, or the next program finds a desktop bound to a
# display that is gone.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine "$@"; status=$?; timeout 30 wineserver -w; exit $status' wine-run "$@"
fi
exec wine "$@"
