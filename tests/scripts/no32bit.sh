#!/usr/bin/env bash
# The Wine set-up on a machine that does not run 32-bit programs, tried on
# any machine: QUIZ_NO_32BIT makes the probes fail, and where 32-bit Wine is
# installed and unshare is allowed, a loader the kernel refuses is put over
# it in a private mount namespace. 64-bit programs must run either way, and
# no Wine step may wait for ever.
#   no32bit.sh PROGRAM64.exe   (a 64-bit program that exits 0 with no arguments
#                               or prints its usage with --help)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
wine_run="$root/cmake/wine-run.sh"
program="$(realpath "$1")"
source "$root/tests/tools/lib/common.sh"
export WINEDEBUG=-all

# Forced off: one warning line, nothing installed, no 32-bit loader asked.
QUIZ_NO_32BIT=1 QUIZ_WINE32_PACKAGE=quiz-no-such-package bash -c \
    "source '$root/scripts/setup.sh'; ensure_wine32" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -ne 0 ] || fail "ensure_wine32 succeeded with QUIZ_NO_32BIT set"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "ensure_wine32: expected one warning line, got: $(cat "$work/err")"
grep -q '^warning: this machine cannot run 32-bit programs (.*); the i686 Wine suites are skipped$' "$work/err" ||
    fail "ensure_wine32: unexpected warning: $(cat "$work/err")"
grep -q Installing "$work/out" && fail "ensure_wine32 tried to install with QUIZ_NO_32BIT set"

# A new prefix made without the 32-bit half, and a 64-bit program run in it
# through the 64-bit loader.
export WINEPREFIX="$work/prefix"
QUIZ_NO_32BIT=1 timeout 600 "$wine_run" --prepare 2>"$work/err" || fail "--prepare of a new prefix failed: $(cat "$work/err")"
[ -f "$WINEPREFIX/system.reg" ] || fail "--prepare made no prefix"
grep -q 'Adding 32-bit Wine' "$work/err" && fail "--prepare added the 32-bit half with QUIZ_NO_32BIT set"
# Where the 32-bit loader really runs, Wine's own prefix creation adds the
# 32-bit half by itself; only elsewhere must the new prefix lack it.
if ! "$wine_run" --runs-32bit 2>/dev/null; then
    [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] && fail "a prefix made without 32-bit Wine has a 32-bit half"
fi
QUIZ_NO_32BIT=1 timeout 120 "$wine_run" "$program" --help >"$work/out" 2>"$work/err" ||
    fail "the 64-bit program did not run: $(cat "$work/err")"
grep -q usage "$work/out" || fail "the 64-bit program printed no usage: $(cat "$work/out")"

# An i686 program is refused at once, saying why.
printf 'MZ' >"$work/i686.exe"
head -c 58 /dev/zero >>"$work/i686.exe"
printf '\100\0\0\0PE\0\0\114\001' >>"$work/i686.exe"
QUIZ_NO_32BIT=1 timeout 30 "$wine_run" "$work/i686.exe" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "an i686 program with QUIZ_NO_32BIT set: exited $status, expected 1"
grep -q 'cannot run the 32-bit program.*QUIZ_NO_32BIT' "$work/err" || fail "i686 refusal: $(cat "$work/err")"

# A Wine step that hangs is named and fails within its limit.
printf '#!/bin/sh\nexec sleep 600\n' >"$work/hanging-loader"
chmod +x "$work/hanging-loader"
WINEPREFIX="$work/hung" QUIZ_WINE64_LOADER="$work/hanging-loader" QUIZ_WINE_STEP_LIMIT=2 \
    timeout 60 "$wine_run" --prepare 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "a hanging Wine step: exited $status, expected 1 (124 means it hung)"
grep -q "error: Wine step 'creating the prefix .*' did not finish within 2 s" "$work/err" ||
    fail "a hanging Wine step was not named: $(cat "$work/err")"

# The real failure: the installed 32-bit loader refused by the kernel, as on
# a machine without 32-bit support. The 64-bit program still runs, in the
# prefix made above, in which the prefix's update is not tried again.
if [ -e /usr/lib/wine/wine ] && unshare --mount --propagation private true 2>/dev/null; then
    cp /bin/true "$work/foreign"
    printf '\267\0' | dd of="$work/foreign" bs=1 seek=18 conv=notrunc 2>/dev/null  # e_machine: AArch64
    unshare --mount --propagation private bash -c '
        mount --bind "$1" /usr/lib/wine/wine || exit 3
        "$2" --runs-32bit 2>"$3/reason" && exit 4
        timeout 300 "$2" --prepare || exit 5
        timeout 120 "$2" "$4" --help >"$3/out" 2>"$3/err" || exit 6
    ' refused "$work/foreign" "$wine_run" "$work" "$program"
    status=$?
    case $status in
    0) grep -q 'Exec format error' "$work/reason" || fail "the refused loader's reason: $(cat "$work/reason")" ;;
    4) fail "--runs-32bit took a loader the kernel refuses" ;;
    5) fail "--prepare failed with a refused 32-bit loader" ;;
    6) fail "the 64-bit program failed with a refused 32-bit loader: $(cat "$work/err")" ;;
    *) fail "the refused-loader namespace failed ($status)" ;;
    esac
else
    echo "note: no 32-bit Wine loader to refuse, or no private mount namespace; that part is skipped"
fi

timeout 30 env WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
finish no32bit
