#!/bin/bash
# quizmaker judge from the shell: UTF-8 arguments in, the verdict out in
# UTF-8, refusals and usage errors with their exit codes. The verdict rules
# themselves are tested natively (core_judge).
set -u
quizmaker_command=("$1" judge)
. "$(dirname "$0")/lib/common.sh"

# verdict TYPED STORED VERDICT: exit 0 and exactly the bytes "VERDICT\n" on stdout.
verdict() {
    run "$1" "$2"
    expect 0 "judge '$1' '$2'"
    [ "$(cat "$work/out"; printf x)" = "$3"$'\n'x ] || fail "judge '$1' '$2' printed '$(cat "$work/out")', expected '$3'"
}

# refused CODE PATTERN ARGS...: the exit code, nothing on stdout, the message on stderr.
refused() {
    local code="$1" pattern="$2"
    shift 2
    run "$@"
    expect "$code" "judge $*" "$pattern"
    if [ -s "$work/out" ]; then fail "judge $* printed '$(cat "$work/out")' on stdout"; fi
}

# Accents go through Windows-1252 and back; the "é" of the idea verdict
# leaves as the two UTF-8 bytes C3 A9.
verdict 'éléphant' 'ÉLÉPHANT' 'Presque'
verdict 'éléphant' 'éLéPHANT' 'BRAVO'
verdict 'ABCDEFGHIJKLMXYZ' 'ABCDEFGHIJKLMNOP' 'yade lidée'
# The euro sign and the curly quote are Windows-1252 characters (0x80, 0x92).
verdict '€uro' '€URO' 'BRAVO'
verdict 'l’île' 'L’ÎLE' 'Quasiment'

# Characters the player cannot hold are refused, never replaced.
refused 1 'quizmaker: error: .*typed.*Windows-1252' 'coché ✓' 'COCHE'
refused 1 'quizmaker: error: .*stored.*Windows-1252' 'Erdos' 'Erdős'
refused 1 'quizmaker: error: .*Windows-1252' $'\xff\xfe' 'X'

# Texts longer than a 259-character field are refused with their length.
long259="$(printf 'A%.0s' $(seq 259))"
verdict "$long259" "$long259" 'BRAVO'
refused 1 'quizmaker: error: .*260 characters.*259' "${long259}B" 'A'
refused 1 'quizmaker: error: .*stored.*260 characters' 'A' "${long259}é"

# Usage errors.
refused 2 'usage: quizmaker judge TYPED STORED' 'only'
refused 2 'usage: quizmaker judge TYPED STORED' 'a' 'b' 'c'
run --help
expect 0 "judge --help"
grep -q '^usage:' "$work/out" || fail "judge --help printed '$(cat "$work/out")'"

finish "judge"
