#!/bin/bash
# quizmaker web under Wine: the page holds the very picture bytes build
# stores (unpacked from the built quiz), the same streams, and a built quiz
# (QUIZ.exe) gives the page of what it stores; a video quiz program, which
# keeps no video for browsers, is refused.
#   web.sh QUIZMAKER.exe QUIZPLAYER.exe   (WINE_RUN: cmake/wine-run.sh)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
quizmaker_command=("$wine_run" "$quizmaker")
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../lib/common.sh"
cd "$work" || exit 1

# The page's media and stored streams, decoded into FOLDER: media-N,
# answers-N, content, codes.
page_parts() {
    python3 - "$1" "$2" <<'PY'
import base64, json, os, re, sys
page = open(sys.argv[1], encoding="utf-8").read()
os.makedirs(sys.argv[2], exist_ok=True)
def block(name):
    return json.loads(re.search(r'<script type="application/json" id="%s">(.*?)</script>' % name, page, re.S).group(1))
data = block("quiz-data")
for name in ("content", "codes"):
    open(os.path.join(sys.argv[2], name), "wb").write(base64.b64decode(data[name]))
media = block("quiz-media")
for kind in ("media", "answers"):
    for i, item in enumerate(media[kind]):
        if item:
            open(os.path.join(sys.argv[2], "%s-%d" % (kind, i + 1)), "wb").write(base64.b64decode(item["data"]))
PY
}

cp "$player" player.exe
mkdir -p pics
convert -size 1200x900 plasma:fractal -seed 5 pics/one.jpg
convert -size 300x500 gradient:green-yellow pics/two.png
cat >pictures.json <<'EOF2'
{ "title": "\u00c9t\u00e9", "style": 1, "answerMode": 3,
  "questions": [ { "answer": "un", "media": "pics/one.jpg", "answerPicture": "pics/two.png" },
                 { "answer": "deux", "media": "pics/two.png" } ],
  "codes": [ "A", "B" ] }
EOF2
run build pictures.json -o pictures.exe --player player.exe
expect 0 "build"
run unpack pictures.exe -o unpacked
expect 0 "unpack"
run web pictures.json
expect 0 "web of the manifest" "^quizmaker: pictures.html: [0-9.]* KB with 3 pictures, 0 sounds and 0 videos$"
page_parts pictures.html from-manifest
for pair in media-1:unpacked/media/01-un.jpg answers-1:unpacked/answers/01-un.jpg media-2:unpacked/media/02-deux.jpg; do
    cmp -s "from-manifest/${pair%%:*}" "${pair#*:}" || fail "the page's ${pair%%:*} differs from what build stored (${pair#*:})"
done

# The built quiz's page: its streams and pictures exactly as stored.
run web pictures.exe -o from-program.html
expect 0 "web of a quiz program" "^quizmaker: from-program.html: [0-9.]* KB with 3 pictures"
page_parts from-program.html from-program
for part in content codes media-1 answers-1 media-2; do
    cmp -s "from-manifest/$part" "from-program/$part" || fail "the program's page differs from the manifest's in $part"
done
python3 "$here/resources.py" get pictures.exe PATCH 104 >stored-content || fail "the program has no content"
cmp -s stored-content from-program/content || fail "the page's content is not the program's stored content"
run web pictures.exe --scorm
expect 0 "web --scorm of a quiz program"
[ -f pictures.zip ] || fail "no pictures.zip beside the quiz program"
run web pictures.exe -o pictures.exe
expect 1 "web over the quiz program" "is a file the quiz is made from"
[ "$(head -c 2 pictures.exe)" = "MZ" ] || fail "the quiz program was overwritten"

# A video quiz program keeps only the player's AVI.
cp "$here/../../win/media/clip32x24.avi" clip.avi
cat >videos.json <<'EOF2'
{ "style": 3, "questions": [ { "answer": "un", "media": "clip.avi" } ] }
EOF2
run build videos.json -o videos.exe --player player.exe
expect 0 "build of a video quiz"
run web videos.exe
expect 1 "web of a video quiz program" "^quizmaker: error: browsers do not play the quiz's videos (AVI), and a quiz program keeps no webVideo"
[ -e videos.html ] && fail "a page was written for a video quiz program"
finish web
