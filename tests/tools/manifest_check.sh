#!/bin/bash
# quizmaker check and try from the shell: problems named by manifest path and
# JSON path, media files read and pictures decoded, nothing written; the
# Windows-only commands refused clearly by the native build.
set -u
quizmaker="$1"
here="$(cd "$(dirname "$0")" && pwd)"
failures=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run ARGS...: sets status, out and err.
run() {
    "$quizmaker" "$@" >"$work/out" 2>"$work/err"
    status=$?
    out="$(cat "$work/out")"
    err="$(cat "$work/err")"
}

# expect_check_error MANIFEST LINE-PATTERN: exit 1 and a stderr line matching.
expect_check_error() {
    run check "$1"
    if [ "$status" -ne 1 ]; then fail "check $1 exited $status, expected 1; stderr: $err"; fi
    if ! grep -q -- "$2" "$work/err"; then fail "check $1: no stderr line matching '$2'; got: $err"; fi
}

mkdir -p "$work/quiz/img"
convert -size 64x48 gradient:red-blue "$work/quiz/img/red.jpg"
convert -size 30x20 xc:blue "$work/quiz/img/blue.png"
head -c 400 "$work/quiz/img/red.jpg" >"$work/quiz/img/cut.jpg"
: >"$work/quiz/img/empty.jpg"
printf 'ID3 not really a sound' >"$work/quiz/img/sound.mp3"

# A picture quiz whose media are fine: no problem, exit 0, nothing written.
cat >"$work/quiz/good.json" <<'EOF'
{ "style": 1, "answerMode": 3,
  "questions": [ { "answer": "rouge", "media": "img/red.jpg", "answerPicture": "img/red.jpg" } ] }
EOF
before="$(ls -laR "$work/quiz")"
run check "$work/quiz/good.json"
if [ "$status" -ne 0 ] || [ -n "$err" ]; then fail "check of a good picture quiz exited $status: $err"; fi
if grep -q -- "media\|answerPicture" "$work/err"; then fail "check complained about good pictures: $err"; fi
if [ "$before" != "$(ls -laR "$work/quiz")" ]; then fail "check wrote into the quiz folder"; fi

# Each media problem names the manifest and the key's JSON path.
cat >"$work/quiz/media.json" <<'EOF'
{ "style": 1, "answerMode": 1,
  "questions": [
    { "answer": "a", "media": "img/missing.jpg" },
    { "answer": "b", "media": "img/blue.png" },
    { "answer": "c", "media": "img/cut.jpg" },
    { "answer": "d", "media": "img/empty.jpg" },
    { "answer": "e", "media": "img/red.jpg", "answerPicture": "img/sound.mp3" } ] }
EOF
m="$work/quiz/media.json"
expect_check_error "$m" "^$m: questions\[0\]\.media: error: .*img/missing.jpg"
expect_check_error "$m" "^$m: questions\[1\]\.media: error: 'img/blue.png' is not a JPEG picture"
expect_check_error "$m" "^$m: questions\[2\]\.media: error: 'img/cut.jpg' is not a JPEG picture"
expect_check_error "$m" "^$m: questions\[3\]\.media: error: 'img/empty.jpg' is empty"
expect_check_error "$m" "^$m: questions\[4\]\.answerPicture: error: 'img/sound.mp3' is not a JPEG picture"
if [ "$(grep -c ': error: ' "$work/err")" -ne 5 ]; then fail "expected all five media errors, got: $err"; fi

# Sounds are stored as they are: no picture check, but they must exist.
cat >"$work/quiz/sounds.json" <<'EOF'
{ "style": 2, "questions": [ { "answer": "a", "media": "img/sound.mp3" }, { "answer": "b", "media": "nothing.mp3" } ] }
EOF
expect_check_error "$work/quiz/sounds.json" "questions\[1\]\.media: error: .*nothing.mp3"
if grep -q "questions\[0\]" "$work/err"; then fail "a sound file was judged as a picture: $err"; fi

# Errors found without files, reported together with the manifest's path.
cat >"$work/quiz/texts.json" <<'EOF'
{ "style": 7, "questionFormat": 2, "answerMode": 300, "backColour": "orange", "title": "a|b",
  "questions": [ { "answer": "\u2192", "secondAnswer": "x" } ],
  "codes": [ "A\nB", "too many" ] }
EOF
t="$work/quiz/texts.json"
for line in "^$t: style: error: " "^$t: answerMode: error: " "^$t: backColour: error: " "^$t: title: error: .*|" \
    "^$t: questions\[0\]\.answer: error: .*U+2192" "^$t: codes\[0\]: error: .*line break" "^$t: codes: error: 2 codes for 1"; do
    expect_check_error "$t" "$line"
done

# Texts that no longer fit the coder's limit once composed.
python3 - "$work/quiz/huge.json" <<'EOF'
import json, sys
text = "x" * 259
questions = [{"answer": text, "caption": text, "reveal": text} for _ in range(90)]
json.dump({"questions": questions}, open(sys.argv[1], "w"))
EOF
expect_check_error "$work/quiz/huge.json" "huge.json: error: the quiz's texts come to [0-9]* bytes; at most 65535"

# Broken JSON and a missing file are whole-file errors.
printf '{"questions": [' >"$work/quiz/broken.json"
expect_check_error "$work/quiz/broken.json" "broken.json: error: is not valid JSON"
expect_check_error "$work/quiz/nothing.json" "nothing.json: error: cannot open"

# Warnings alone do not fail the check.
cat >"$work/quiz/warn.json" <<'EOF'
{ "questions": [ { "answer": "l\u2019\u00c9cole " } ] }
EOF
run check "$work/quiz/warn.json"
if [ "$(grep -c "questions\[0\]\.answer: warning: " "$work/err")" -lt 3 ]; then
    fail "expected warnings for the curly apostrophe, the capital and the space: $err"
fi
if [ "$status" -ne 0 ] || grep -q ": error: " "$work/err"; then fail "warnings became errors: $err"; fi

# try: the stored answer is right, its variants get the player's verdicts.
cat >"$work/quiz/try.json" <<'EOF'
{ "questionFormat": 2, "questions": [
  { "answer": "Ath\u00e8nes", "secondAnswer": "Gr\u00e8ce" }, { "answer": "Le Caire", "secondAnswer": "\u00c9gypte" } ] }
EOF
run try "$work/quiz/try.json" 1
if [ "$status" -ne 0 ]; then fail "try exited $status: $err"; fi
for line in 'Question 1, first answer: Athènes' '"Athènes" *BRAVO$' '"athènes" *BRAVO$' '"Athenes" *Quasiment$' \
    'Question 1, second answer: Grèce' '"la Grèce" *Trop long$'; do
    if ! grep -q -- "$line" "$work/out"; then fail "try output lacks '$line':"$'\n'"$out"; fi
done
if grep -q "Question 2" "$work/out"; then fail "try 1 showed question 2"; fi
run try "$work/quiz/try.json"
if ! grep -q '"Caire Le" *Anagramme$' "$work/out"; then fail "try without a number lacks question 2's word order:"$'\n'"$out"; fi
if [ "$(grep -c '^ *right ' "$work/out")" -ne 4 ]; then fail "try should show four answers:"$'\n'"$out"; fi
run try "$work/quiz/try.json" 3
if [ "$status" -ne 1 ] || ! grep -q "QUESTION must be a number from 1 to 2" "$work/err"; then fail "try 3 of 2: $status $err"; fi

# The samples check cleanly, their pictures drawn first where they have some.
for sample in "$here"/../../examples/*/; do
    name="$(basename "$sample")"
    cp -r "$sample" "$work/$name"
    rm -rf "$work/$name/img" "$work/$name/answers"
    if [ -f "$sample/make-pictures.sh" ]; then bash "$sample/make-pictures.sh" "$work/$name"; fi
    run check "$work/$name/quiz.json"
    if [ "$status" -ne 0 ] || grep -q ": error: " "$work/err"; then fail "sample $name: $err"; fi
done

# build and unpack edit executables: only the Windows build can.
for command in build unpack; do
    run "$command" "$work/quiz/good.json" -o "$work/quiz.exe"
    if [ "$status" -ne 1 ]; then fail "native $command exited $status"; fi
    if ! grep -q "error: '$command' needs the Windows build of quizmaker (run it under Wine on Linux)" "$work/err"; then
        fail "native $command message: $err"
    fi
done
if [ -e "$work/quiz.exe" ]; then fail "native build left a file"; fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "manifest check and try: all passed"
