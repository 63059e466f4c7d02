#!/bin/bash
# quizmaker judge from the shell: UTF-8 arguments in, the verdict out in
# UTF-8, refusals and usage errors with their exit codes.
set -u
quizmaker="$1"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_verdict TYPED STORED VERDICT: exit 0, exactly "VERDICT\n" on stdout.
expect_verdict() {
    local out status
    out="$("$quizmaker" judge "$1" "$2"; printf x)"
    status=$?
    out="${out%x}"
    if [ "$out" != "$3"$'\n' ]; then fail "judge '$1' '$2' printed '$out', expected '$3'"; fi
    "$quizmaker" judge "$1" "$2" >/dev/null 2>&1
    status=$?
    if [ "$status" -ne 0 ]; then fail "judge '$1' '$2' exited $status"; fi
}

# expect_refusal CODE MESSAGE-PATTERN ARGS...: the exit code, nothing on
# stdout, and the message on stderr.
expect_refusal() {
    local code="$1" pattern="$2" out err status
    shift 2
    err="$(mktemp)"
    out="$("$quizmaker" judge "$@" 2>"$err")"
    status=$?
    if [ "$status" -ne "$code" ]; then fail "judge $* exited $status, expected $code"; fi
    if [ -n "$out" ]; then fail "judge $* printed '$out' on stdout"; fi
    if ! LC_ALL=C grep -a -q -- "$pattern" "$err"; then fail "judge $* stderr lacks '$pattern': $(cat "$err")"; fi
    rm -f "$err"
}

# Verdicts through the command line (the rules: core_judge), accents included.
expect_verdict '  chat  ' 'Chat' 'BRAVO'
expect_verdict 'éléphant' 'ÉLÉPHANT' 'Presque'
expect_verdict 'éléphant' 'éLéPHANT' 'BRAVO'
expect_verdict 'ABCDEFGHIJKLMXYZ' 'ABCDEFGHIJKLMNOP' 'yade lidée'
expect_verdict '   ' 'CHAT' '?'
# The euro sign and the curly quote are Windows-1252 characters (0x80, 0x92).
expect_verdict '€uro' '€URO' 'BRAVO'
expect_verdict 'l’île' 'L’ÎLE' 'Quasiment'

# The "é" of the verdict leaves as the two UTF-8 bytes C3 A9.
bytes="$("$quizmaker" judge 'ABCDEFGHIJKLMXYZ' 'ABCDEFGHIJKLMNOP' | od -An -tx1 | tr -d ' \n')"
if [ "$bytes" != "79616465206c6964c3a9650a" ]; then fail "verdict bytes were $bytes"; fi

# Characters the player cannot hold are refused, never replaced.
expect_refusal 1 'quizmaker: error: .*typed.*Windows-1252' 'coché ✓' 'COCHE'
expect_refusal 1 'quizmaker: error: .*stored.*Windows-1252' 'Erdos' 'Erdős'
expect_refusal 1 'quizmaker: error: .*Windows-1252' $'\xff\xfe' 'X'

# Texts longer than a 259-character field are refused with their length.
long259="$(printf 'A%.0s' $(seq 259))"
expect_verdict "$long259" "$long259" 'BRAVO'
expect_refusal 1 'quizmaker: error: .*260 characters.*259' "${long259}B" 'A'
expect_refusal 1 'quizmaker: error: .*stored.*260 characters' 'A' "${long259}é"

# Usage errors.
expect_refusal 2 'usage: quizmaker judge TYPED STORED'
expect_refusal 2 'usage: quizmaker judge TYPED STORED' 'only'
expect_refusal 2 'usage: quizmaker judge TYPED STORED' 'a' 'b' 'c'
help="$("$quizmaker" judge --help)"
status=$?
if [ "$status" -ne 0 ] || [[ "$help" != usage:* ]]; then fail "judge --help exited $status with '$help'"; fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "judge: all checks passed"
