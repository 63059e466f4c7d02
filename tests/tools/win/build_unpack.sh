#!/bin/bash
# quizmaker build and unpack under Wine: a manifest survives build, unpack and
# build again with identical resources; pictures are stored at the size the
# player shows, or as they are with --keep-pictures; texts arrive in
# Windows-1252; a rebuilt quiz keeps no earlier quiz resource; a failed build
# leaves nothing.
#   build_unpack.sh QUIZMAKER.exe QUIZPLAYER.exe   (WINE_RUN: cmake/wine-run.sh)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
quizmaker_command=("$wine_run" "$quizmaker")
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../lib/common.sh"
cd "$work" || exit 1
list_resources() { python3 "$here/resources.py" list "$1"; }

cp "$player" player.exe
mkdir -p pics
convert -size 120x80 gradient:red-blue pics/one.jpg
convert -size 80x120 gradient:green-yellow pics/two.jpg
convert -size 90x90 plasma:fractal -seed 3 pics/answer.jpg
printf 'not a program\r\n' >notpe.txt

# A picture quiz using every key: two answers, reveal and answer pictures,
# accented texts and codes.
cat >pictures.json <<'EOF'
{ "title": "\u00c9t\u00e9 \u00e0 Ath\u00e8nes", "creator": "Chlo\u00e9", "explanation": "Tapez \u00ab oui \u00bb",
  "firstRowCaption": "Ville", "secondRowCaption": "Pays", "style": 1, "questionFormat": 2, "answerMode": 3,
  "backColour": "#FF8000",
  "questions": [
    { "answer": "Ath\u00e8nes", "secondAnswer": "Gr\u00e8ce", "caption": "un", "reveal": "L'Acropole",
      "media": "pics/one.jpg", "answerPicture": "pics/answer.jpg" },
    { "answer": "Rome", "secondAnswer": "Italie", "media": "pics/two.jpg" } ],
  "codes": [ "\u20ac1" ] }
EOF

# Build, unpack, build the unpacked manifest, unpack again: whatever unpack
# lost or changed would change the resources of the second build.
run build pictures.json -o first.exe --player player.exe
expect 0 "build of the picture quiz" '^quizmaker: 1/3 pics/one.jpg: [0-9.]* [a-zA-Z]* -> [0-9.]* [a-zA-Z]*$' \
    '^quizmaker: 3/3 pics/two.jpg: ' \
    '^quizmaker: first.exe: [0-9.]* [KM]B with 3 pictures, 0 sounds and 0 videos (the original files would make it [0-9.]* [KM]B)$'
if [ "$(grep -c '^quizmaker: [0-9]/3 ' err)" -ne 3 ] || [ -s out ]; then
    fail "build should report one line per media file: $(cat err)"
fi
run unpack first.exe -o unpacked1
expect 0 "unpack"
run build unpacked1/quiz.json -o second.exe --player player.exe
expect 0 "build of the unpacked manifest"
run unpack second.exe -o unpacked2
if ! diff -r unpacked1 unpacked2 >diff.txt; then fail "the two unpacked quizzes differ: $(cat diff.txt)"; fi
if ! diff <(list_resources first.exe) <(list_resources second.exe) >diff.txt; then
    fail "rebuilding the unpacked manifest changed the resources: $(cat diff.txt)"
fi
# Stored at the size the player fits them to, as baseline JPEG.
for pair in "media/01-athenes.jpg 260x173" "media/02-rome.jpg 173x260" "answers/01-athenes.jpg 260x260"; do
    set -- $pair
    stored="$(identify -format '%wx%h %[interlace]' "unpacked1/$1")"
    if [ "$stored" != "$2 None" ]; then fail "$1 is stored as $stored, not as a baseline JPEG of $2"; fi
done
# Kept as they are, they come back byte for byte.
run build pictures.json -o kept.exe --player player.exe --keep-pictures
expect 0 "build keeping the pictures"
run unpack kept.exe -o unpacked4
for pair in "pics/one.jpg unpacked4/media/01-athenes.jpg" "pics/two.jpg unpacked4/media/02-rome.jpg" \
    "pics/answer.jpg unpacked4/answers/01-athenes.jpg"; do
    set -- $pair
    if ! cmp -s "$1" "$2"; then fail "$2 is not a copy of $1"; fi
done

# The stored texts are Windows-1252: the decoded content resource is header
# 00, style 2, 2 questions, format 2; the five texts; Athènes|Grèce|un and
# Rome|Italie|; mode 3 with the reveal and an empty second reveal field per
# question; colour FF 80 00. The codes resource is "€1" CR LF and an empty line.
python3 "$here/resources.py" dump first.exe PATCH 104 >content.bin
python3 "$here/resources.py" dump first.exe PATCH 105 >codes.bin
run decode content.bin content.txt
run decode codes.bin codes.txt
printf '\0\2\2\2\xc9t\xe9 \xe0 Ath\xe8nes|Chlo\xe9|Tapez \xab oui \xbb|Ville|Pays|Ath\xe8nes|Gr\xe8ce|un|Rome|Italie||\3L\x27Acropole||||\xff\x80\0' |
    cmp -s - content.txt || fail "content not stored as Windows-1252: $(od -c content.txt)"
printf '\x801\r\n\r\n' | cmp -s - codes.txt || fail "codes not stored as Windows-1252: $(od -c codes.txt)"

# A sound quiz keeps its clips byte for byte, named by what they are: an ID3
# tag of no bytes and an MPEG-1 layer III frame header, and a WAV clip.
printf 'ID3\3\0\0\0\0\0\0\377\373\220\144' >pics/clip.mp3
cp "$here/../../win/media/sound-a.wav" pics/clip.wav
cat >sounds.json <<'EOF'
{ "style": 2, "answerMode": 1,
  "questions": [ { "answer": "chat", "media": "pics/clip.mp3" }, { "answer": "chien", "media": "pics/clip.wav" } ] }
EOF
run build sounds.json -o sounds.exe --player player.exe
expect 0 "build of the sound quiz" '^quizmaker: sounds.exe: .* with 0 pictures, 2 sounds and 0 videos'
run unpack sounds.exe -o unpacked3
if ! cmp -s pics/clip.mp3 unpacked3/media/01-chat.mp3; then fail "the MP3 clip did not come back as media/01-chat.mp3"; fi
if ! cmp -s pics/clip.wav unpacked3/media/02-chien.wav; then fail "the WAV clip did not come back as media/02-chien.wav"; fi

# A text quiz built over the picture quiz keeps none of its pictures, and
# says nothing on success.
cat >text.json <<'EOF'
{ "questions": [ { "answer": "Paris", "caption": "Capitale ?" } ] }
EOF
run build text.json -o text.exe --player first.exe
expect 0 "text build"
if [ -s err ] || [ -s out ]; then fail "text build said: $(cat err out)"; fi
if list_resources text.exe | grep -q '^IMG/'; then fail "a stale picture survived the rebuild: $(list_resources text.exe)"; fi
if ! diff <(list_resources player.exe) <(list_resources text.exe | grep -v '^PATCH/') >diff.txt; then
    fail "the player's own resources changed: $(cat diff.txt)"
fi

# Failed builds leave neither the quiz nor a temporary file behind, and a
# failed rebuild leaves the existing quiz as it was.
cat >broken.json <<'EOF'
{ "style": 1, "questions": [ { "answer": "x", "media": "pics/none.jpg" } ] }
EOF
cp text.exe keep.exe
for case in "a player that is not a program|text.json -o bad.exe --player notpe.txt|" \
    "a missing player|text.json -o bad.exe --player missing.exe|" \
    "an output folder that does not exist|text.json -o nowhere/bad.exe --player player.exe|" \
    "a manifest that fails the check|broken.json -o bad.exe --player player.exe|broken.json: questions\[0\]\.media: error: " \
    "a failed rebuild|text.json -o keep.exe --player notpe.txt|"; do
    IFS='|' read -r what arguments message <<<"$case"
    run build $arguments
    expect 1 "$what" "${message:-error: }"
    if ls | grep -q 'quizmaker-tmp'; then fail "$what: a temporary file was left: $(ls)"; fi
    if [ -e bad.exe ] || [ -e nowhere ]; then fail "$what: left $(ls -d bad.exe nowhere 2>/dev/null)"; fi
done
if ! cmp -s text.exe keep.exe; then fail "a failed rebuild changed the existing quiz"; fi

# Without --player the player beside quizmaker is used.
mkdir -p tools
cp "$quizmaker" tools/quizmaker.exe
cp player.exe tools/quizplayer.exe
quizmaker_command=("$wine_run" tools/quizmaker.exe)
run build text.json -o default.exe
expect 0 "build with the default player"
list_resources default.exe | grep -q '^PATCH/104/' || fail "the default player's build holds no quiz"
quizmaker_command=("$wine_run" "$quizmaker")

# unpack needs a quiz.
run unpack player.exe -o nothing
expect 1 "unpack of the bare player" "holds no quiz"
run unpack notpe.txt -o nothing
expect 1 "unpack of a text file"
if [ -e nothing ]; then fail "a failed unpack created its folder"; fi

finish "build and unpack"
