#!/bin/sh
# Runs one Windows program under Wine (i686 or x86_64) for CTest and the scripts.
#   wine-run.sh PROGRAM.exe ARGS...   run it (own Xvfb when there is no display)
#   wine-run.sh --prepare             only make the prefix ready
#   wine-run.sh --runs-32bit          exit 0 when this machine runs 32-bit
#                                     Wine, else say why on stderr and exit 1
#
# Debian's 'wine' always goes through the 32-bit loader once wine32 is
# installed, and some machines cannot execute 32-bit programs at all. So a
# 64-bit program is started by the 64-bit loader itself, and the 32-bit
# loader is used only for i686 programs, once it has been seen to run.
# QUIZ_NO_32BIT=1 makes this script (and scripts/setup.sh) behave as on a
# machine without 32-bit support.
set -e
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-quizplayer}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE32="${QUIZ_WINE32_LOADER:-/usr/lib/wine/wine}"
WINE64="${QUIZ_WINE64_LOADER:-/usr/lib/wine/wine64}"

# Whether 32-bit Wine runs here; on failure, why, on stderr.
runs_32bit() {
    if [ -n "${QUIZ_NO_32BIT:-}" ] && [ "${QUIZ_NO_32BIT}" != 0 ]; then
        echo "QUIZ_NO_32BIT is set" >&2
        return 1
    fi
    if [ ! -x "$WINE32" ]; then
        echo "$WINE32 is not installed" >&2
        return 1
    fi
    # The exec of a shell, not a program's own fallback, so that a loader the
    # kernel refuses is reported as such and never read as a script.
    version=$(timeout 30 sh -c 'exec "$0" --version' "$WINE32" 2>&1) || true
    case "$version" in
    wine-*) return 0 ;;
    esac
    echo "$WINE32: ${version##*: }" >&2
    return 1
}

# Runs one Wine step, with no input or output attached, within a time
# limit; a step that overruns is named, and fails the script instead of
# hanging it. QUIZ_WINE_STEP_LIMIT lowers every limit (to test them).
bounded() {
    seconds=$1 step=$2
    shift 2
    if [ -n "${QUIZ_WINE_STEP_LIMIT:-}" ] && [ "$QUIZ_WINE_STEP_LIMIT" -lt "$seconds" ]; then
        seconds=$QUIZ_WINE_STEP_LIMIT
    fi
    status=0
    timeout -k 10 "$seconds" "$@" </dev/null >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "error: Wine step '$step' did not finish within $seconds s" >&2
        exit 1
    fi
    return "$status"
}

# Waits for the programs of the prefix to end.
settle() {
    bounded 60 "$1 (waiting for its programs to end)" wineserver -w || true
}

# The processor a Windows program is built for: 014c i686, 8664 x86_64.
machine_of() {
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 0
    od -An -tx2 -j"$((offset + 4))" -N2 "$1" 2>/dev/null | tr -d ' '
}

# Wine's own programs (wineboot, reg) go through the 64-bit loader.
prepare() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        bounded 300 "creating the prefix $WINEPREFIX" env WINELOADER="$WINE64" "$WINE64" wineboot -i || true
        settle "creating the prefix"
    fi
    # A 64-bit prefix made without 32-bit Wine has an empty syswow64: no
    # i686 program starts in it. Once the 32-bit loader runs here, updating
    # the prefix in Wine's bootstrap mode (which lets the 32-bit set-up
    # start before the files it writes exist) adds the missing half and
    # keeps the rest. Where it cannot run, the prefix stays 64-bit only.
    if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] &&
        grep -q '^#arch=win64' "$WINEPREFIX/system.reg" 2>/dev/null &&
        runs_32bit 2>/dev/null; then
        echo "Adding 32-bit Wine to the prefix $WINEPREFIX" >&2
        export WINEBOOTSTRAPMODE=1
        bounded 300 "adding 32-bit Wine to the prefix" env WINELOADER="$WINE64" "$WINE64" wineboot -u || true
        unset WINEBOOTSTRAPMODE
        settle "adding 32-bit Wine to the prefix"
    fi
    # Without a window manager, Wine waits for one each time a managed
    # window is hidden or destroyed; unmanaged windows close at once.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        bounded 120 "unmanaged windows setting" \
            env WINELOADER="$WINE64" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f || true
        settle "unmanaged windows setting"
    fi
    # Wine's background services live as long as the wineserver. Started by
    # the first program of a persistent server they would inherit its output
    # pipes, and a test runner waiting for the end of that output would wait
    # for as long; test.sh therefore starts them here, with no output
    # attached and the display already set.
    bounded 120 "starting Wine's services" env WINELOADER="$WINE64" "$WINE64" wineboot || true
}

case "${1:-}" in
--prepare)
    prepare
    exit 0
    ;;
--runs-32bit)
    runs_32bit
    exit
    ;;
esac

[ ! -f "$WINEPREFIX/system.reg" ] && prepare
loader=$WINE64
if [ "$(machine_of "$1")" = 014c ]; then
    if ! reason=$(runs_32bit 2>&1); then
        echo "error: cannot run the 32-bit program $1: $reason" >&2
        exit 1
    fi
    loader=$WINE32
fi
# A program the loader starts in turn finds its loader here (Wine picks the
# other one itself for a program of the other kind).
export WINELOADER="$loader"

# Without a display the program gets a private X server; the Wine processes
# must end before it does, or the next program finds a desktop bound to a
# display that is gone.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
        '"$0" "$@"; status=$?; timeout 30 wineserver -w; exit $status' "$loader" "$@"
fi
exec "$loader" "$@"
