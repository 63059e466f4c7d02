#!/bin/bash
# quizmaker check and try from the shell: problems named by manifest path and
# JSON path, media files read, pictures prepared and reported, nothing
# written; the Windows-only commands refused clearly by the native build.
set -u
quizmaker_command=("$1")
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib/common.sh"
q="$work/quiz"

mkdir -p "$q/img"
convert -size 640x480 gradient:red-blue "$q/img/red.jpg"
printf '%%PDF-1.4\n' >"$q/img/paper.jpg"
head -c 400 "$q/img/red.jpg" >"$q/img/cut.jpg"
: >"$q/img/empty.jpg"
# An ID3 tag of no bytes, then an MPEG-1 layer III frame header.
printf 'ID3\3\0\0\0\0\0\0\377\373\220\144' >"$q/img/sound.mp3"

# A picture quiz whose media are fine: no problem, exit 0, nothing written,
# and for each picture what build stores of it.
cat >"$q/good.json" <<'EOF'
{ "style": 1, "answerMode": 3,
  "questions": [ { "answer": "rouge", "media": "img/red.jpg", "answerPicture": "img/red.jpg" } ] }
EOF
g="$q/good.json"
# The listing leaves out "..": the work folder's own time changes as the
# runs write their output there, and would differ across a minute's turn.
listing() { ls -laR "$q" | grep -v ' \.\.$'; }
before="$(listing)"
run check "$g"
expect 0 "check of a good picture quiz"
if [ -s "$work/err" ]; then fail "check of a good picture quiz said: $(cat "$work/err")"; fi
if [ "$before" != "$(listing)" ]; then fail "check wrote into the quiz folder"; fi
for line in "^$g: questions\[0\]\.media: 'img/red.jpg' JPEG 640 x 480, [0-9.]* KB -> 260 x 195, [0-9.]* KB$" \
    "^$g: questions\[0\]\.answerPicture: 'img/red.jpg' JPEG 640 x 480" \
    "^$g: ready to build, 1 question, 2 media files ([0-9.]* KB stored of [0-9.]* KB)$"; do
    grep -q -- "$line" "$work/out" || fail "check's report lacks '$line':"$'\n'"$(cat "$work/out")"
done
# Stored as they are, pictures keep their own size.
run check "$g" --keep-pictures
expect 0 "check with --keep-pictures"
grep -q "^$g: questions\[0\]\.media: 'img/red.jpg' JPEG 640 x 480, [0-9.]* KB, stored as it is$" "$work/out" ||
    fail "check --keep-pictures did not keep the picture: $(cat "$work/out")"

# Each media problem names the manifest and the key's JSON path, all reported.
cat >"$q/media.json" <<'EOF'
{ "style": 1, "answerMode": 1,
  "questions": [
    { "answer": "a", "media": "img/missing.jpg" },
    { "answer": "b", "media": "img/paper.jpg" },
    { "answer": "c", "media": "img/cut.jpg" },
    { "answer": "d", "media": "img/empty.jpg" },
    { "answer": "e", "media": "img/red.jpg", "answerPicture": "img/sound.mp3" } ] }
EOF
m="$q/media.json"
run check "$m"
expect 1 "check of bad media" "^$m: questions\[0\]\.media: error: .*img/missing.jpg" \
    "^$m: questions\[1\]\.media: error: 'img/paper.jpg' is a PDF document, not a picture: use a JPEG, PNG, BMP or GIF picture" \
    "^$m: questions\[2\]\.media: error: 'img/cut.jpg' is a damaged or unsupported JPEG picture" \
    "^$m: questions\[3\]\.media: error: 'img/empty.jpg' is empty" \
    "^$m: questions\[4\]\.answerPicture: error: 'img/sound.mp3' is an MP3 sound, not a picture"
if [ "$(grep -c ': error: ' "$work/err")" -ne 5 ]; then fail "expected exactly five media errors, got: $(cat "$work/err")"; fi

# Sounds are stored as they are: no picture check, but they must exist.
cat >"$q/sounds.json" <<'EOF'
{ "style": 2, "questions": [ { "answer": "a", "media": "img/sound.mp3" }, { "answer": "b", "media": "nothing.mp3" } ] }
EOF
run check "$q/sounds.json"
expect 1 "check of sounds" "questions\[1\]\.media: error: .*nothing.mp3"
if grep -q "questions\[0\]" "$work/err"; then fail "a sound file was judged as a picture: $(cat "$work/err")"; fi

# Errors found without files, reported together with the manifest's path.
cat >"$q/texts.json" <<'EOF'
{ "style": 7, "questionFormat": 2, "answerMode": 300, "backColour": "orange", "title": "a|b",
  "questions": [ { "answer": "\u2192", "secondAnswer": "x" } ],
  "codes": [ "A\nB", "too many" ] }
EOF
t="$q/texts.json"
run check "$t"
expect 1 "check of bad texts" "^$t: style: error: " "^$t: answerMode: error: " "^$t: backColour: error: " \
    "^$t: title: error: " "^$t: questions\[0\]\.answer: error: .*U+2192" "^$t: codes: error: 2 codes for 1 question: "

# Texts that no longer fit the coder's limit once composed; broken JSON and a
# missing file are whole-file errors.
x259="$(printf 'x%.0s' $(seq 259))"
question="{\"answer\": \"$x259\", \"caption\": \"$x259\", \"reveal\": \"$x259\"}"
{ printf '{"questions": [%s' "$question"; for _ in $(seq 89); do printf ', %s' "$question"; done; printf ']}'; } >"$q/huge.json"
printf '{"questions": [' >"$q/broken.json"
for case in "huge.json: error: the quiz's texts come to [0-9]* bytes; at most 65535" \
    "broken.json: error: is not valid JSON" "nothing.json: error: cannot open"; do
    run check "$q/${case%%:*}"
    expect 1 "check of ${case%%:*}" "$case"
done

# The count of errors closes the list, its noun agreeing; an empty answer is
# one, since no pupil could finish the quiz.
cat >"$q/empty.json" <<'EOF'
{ "questions": [ { "answer": "" } ] }
EOF
run check "$q/empty.json"
expect 1 "check of an empty answer" "^$q/empty.json: questions\[0\]\.answer: error: is empty: .* fill it in, or delete the question$" \
    "^$q/empty.json: 1 error: fix it before building$"
cat >"$q/two.json" <<'EOF'
{ "questionFormat": 2, "questions": [ { "answer": "a|b", "secondAnswer": "" }, { "answer": "\u00a0x", "secondAnswer": "y" } ] }
EOF
run check "$q/two.json"
expect 1 "check of two errors" "questions\[0\]\.secondAnswer: error: is empty in a two-answer quiz: .*--format 1)$" \
    "^$q/two.json: 2 errors, 1 warning: fix them before building$"

# Warnings alone do not fail the check.
cat >"$q/warn.json" <<'EOF'
{ "questions": [ { "answer": "l\u2019\u00c9cole " } ] }
EOF
run check "$q/warn.json"
expect 0 "check with warnings only" "questions\[0\]\.answer: warning: "
if grep -q ": error: " "$work/err"; then fail "warnings became errors: $(cat "$work/err")"; fi

# try: the stored answer is right, its variants get the player's verdicts.
cat >"$q/try.json" <<'EOF'
{ "questionFormat": 2, "questions": [
  { "answer": "Ath\u00e8nes", "secondAnswer": "Gr\u00e8ce" }, { "answer": "Le Caire", "secondAnswer": "\u00c9gypte" } ] }
EOF
run try "$q/try.json" 1
expect 0 "try 1"
for line in 'Question 1, first answer: Athènes' '"Athènes" *BRAVO$' '"athènes" *BRAVO$' '"Athenes" *Quasiment$' \
    'Question 1, second answer: Grèce' '"Grèces" *Quasiment$'; do
    grep -q -- "$line" "$work/out" || fail "try output lacks '$line':"$'\n'"$(cat "$work/out")"
done
if grep -q "Question 2" "$work/out"; then fail "try 1 showed question 2"; fi
run try "$q/try.json"
grep -q '"Caire Le" *Anagramme$' "$work/out" || fail "try without a number lacks question 2's word order"
if [ "$(grep -c '^ *right ' "$work/out")" -ne 4 ]; then fail "try should show four answers:"$'\n'"$(cat "$work/out")"; fi
run try "$q/try.json" 3
expect 1 "try 3 of 2" "QUESTION must be a number from 1 to 2"

# The samples check cleanly, their pictures drawn first where they have some.
for sample in "$here"/../../examples/*/; do
    name="$(basename "$sample")"
    cp -r "$sample" "$work/$name"
    rm -rf "$work/$name/img" "$work/$name/answers"
    if [ -f "$sample/make-pictures.sh" ]; then bash "$sample/make-pictures.sh" "$work/$name"; fi
    run check "$work/$name/quiz.json"
    expect 0 "sample $name"
    if grep -q ": error: " "$work/err"; then fail "sample $name: $(cat "$work/err")"; fi
done

# build and unpack edit executables: only the Windows build can.
for command in build unpack; do
    run "$command" "$q/good.json" -o "$work/quiz.exe"
    expect 1 "native $command" "error: '$command' needs the Windows build of quizmaker (run it under Wine on Linux)"
done
if [ -e "$work/quiz.exe" ]; then fail "native build left a file"; fi

finish "manifest check and try"
