#!/bin/bash
# quizmaker encode/decode from the shell: round trips, the documented stream
# of "ABAB", and failures that name the result code and leave no OUT file.
set -u
quizmaker_command=("$1")
. "$(dirname "$0")/lib/common.sh"
cd "$work" || exit 1

# ABAB encodes to the codes 65, 66, 259, 256: bytes 20 90 A0 70 00.
printf 'ABAB' >abab
run encode abab abab.lzw
expect 0 "encode ABAB"
[ "$(od -An -tx1 abab.lzw | tr -d ' \n')" = "2090a07000" ] || fail "ABAB encoded to $(od -An -tx1 abab.lzw)"

# Quiz-like content with accents and every byte value, both ways.
{ printf '\000\002\003\001Le grand quizz|Moi|Trouvez les réponses|Prénom|Nom|'
  for i in $(seq 1 300); do printf 'réponse %d|légende %d|' "$i" "$i"; done
  for i in $(seq 0 255); do printf "\\$(printf %03o "$i")"; done; } >plain
run encode plain stream
expect 0 "encode"
run decode stream back
expect 0 "decode"
cmp -s plain back || fail "decode did not give back the encoded bytes"
[ "$(stat -c %s stream)" -lt "$(stat -c %s plain)" ] || fail "the stream is no shorter than repetitive text"

# Failures name the result code and write no OUT: empty input (-5), a stream
# cut before its end code (-7), an unreadable input; usage errors exit 2.
: >empty
head -c 2 abab.lzw >cut
for case in "1|result -5|encode empty new" "1|result -7 (the code stream is malformed|decode cut new" \
    "1|quizmaker: error: cannot open|decode missing new" "2|usage: quizmaker encode IN OUT|encode abab" \
    "2|usage: quizmaker decode IN OUT|decode abab new extra"; do
    IFS='|' read -r code pattern arguments <<<"$case"
    run $arguments
    expect "$code" "$arguments" "$pattern"
    if [ -e new ]; then fail "$arguments left its OUT behind"; rm -f new; fi
done

# A failed run leaves an existing OUT as it was.
printf 'keep' >kept
run decode cut kept
[ "$(cat kept)" = "keep" ] || fail "a failed decode changed an existing OUT"

finish "codec.sh"
