#!/bin/bash
# quizmaker encode/decode from the shell: round trips, the documented stream
# of "ABAB", and failures that name the result code and leave no OUT file.
set -u
quizmaker="$1"
failures=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_failure CODE PATTERN COMMAND IN OUT...: the exit code, the message on
# stderr, and no OUT afterwards.
expect_failure() {
    local code="$1" pattern="$2" status
    shift 2
    "$quizmaker" "$@" 2>"$work/err"
    status=$?
    if [ "$status" -ne "$code" ]; then fail "$* exited $status, expected $code"; fi
    if ! grep -q -- "$pattern" "$work/err"; then fail "$* stderr lacks '$pattern': $(cat "$work/err")"; fi
    if [ "$#" -ge 3 ] && [ -e "$3" ]; then fail "$* left $3 behind"; fi
}

# ABAB encodes to the codes 65, 66, 259, 256: bytes 20 90 A0 70 00.
printf 'ABAB' >"$work/abab"
"$quizmaker" encode "$work/abab" "$work/abab.lzw" || fail "encode ABAB exited $?"
if [ "$(od -An -tx1 "$work/abab.lzw" | tr -d ' \n')" != "2090a07000" ]; then
    fail "ABAB encoded to $(od -An -tx1 "$work/abab.lzw")"
fi

# Quiz-like content with accents and every byte value, both ways.
{
    printf '\000\002\003\001Le grand quizz|Moi|Trouvez les réponses|Prénom|Nom|'
    for i in $(seq 1 300); do printf 'réponse %d|légende %d|' "$i" "$i"; done
    for i in $(seq 0 255); do printf "\\$(printf %03o "$i")"; done
} >"$work/plain"
"$quizmaker" encode "$work/plain" "$work/stream" || fail "encode exited $?"
"$quizmaker" decode "$work/stream" "$work/back" || fail "decode exited $?"
cmp -s "$work/plain" "$work/back" || fail "decode did not give back the encoded bytes"
if [ "$(stat -c %s "$work/stream")" -ge "$(stat -c %s "$work/plain")" ]; then
    fail "the stream is no shorter than repetitive text"
fi

# Failures: empty input (-5), a stream cut before its end code (-7), a source
# of 65536 bytes (-5), an unreadable input.
: >"$work/empty"
expect_failure 1 'result -5' encode "$work/empty" "$work/out1"
expect_failure 1 'result -5' decode "$work/empty" "$work/out2"
head -c 2 "$work/abab.lzw" >"$work/cut"
expect_failure 1 'result -7 (the code stream is malformed' decode "$work/cut" "$work/out3"
head -c 65536 /dev/zero >"$work/big"
expect_failure 1 'result -5' encode "$work/big" "$work/out4"
expect_failure 1 'quizmaker: error: cannot open' decode "$work/missing" "$work/out5"

# A failed run leaves an existing OUT as it was.
printf 'keep' >"$work/kept"
"$quizmaker" decode "$work/cut" "$work/kept" 2>/dev/null
[ "$(cat "$work/kept")" = "keep" ] || fail "a failed decode changed an existing OUT"

# Usage errors.
expect_failure 2 'usage: quizmaker encode IN OUT' encode "$work/abab"
expect_failure 2 'usage: quizmaker decode IN OUT' decode "$work/abab" "$work/x" "$work/y"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "codec.sh: all passed"
