#!/bin/bash
# quizmaker web from the shell: the page holds the quiz's stored streams and
# its pictures as check prepares them for build; a package lists its page
# and manifest; a manifest with problems is refused as check refuses it; a
# video quiz needs its webVideo; nothing is written over the quiz's files.
set -u
quizmaker_command=("$1")
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib/common.sh"
q="$work/quiz"
mkdir -p "$q/img"
convert -size 640x480 gradient:red-blue "$q/img/red.jpg"
cp "$here/../win/media/clip32x24.avi" "$q/clip.avi"
cp "$here/../web/media/clip.webm" "$q/clip.webm"

# The media of a page, decoded: one file per picture, named by its place.
page_media() {
    python3 - "$1" "$2" <<'PY'
import base64, json, re, sys
page = open(sys.argv[1], encoding="utf-8").read()
media = json.loads(re.search(r'<script type="application/json" id="quiz-media">(.*?)</script>', page, re.S).group(1))
for kind in ("media", "answers"):
    for i, item in enumerate(media[kind]):
        if item:
            open("%s/%s-%d" % (sys.argv[2], kind, i + 1), "wb").write(base64.b64decode(item["data"]))
PY
}

cat >"$q/pictures.json" <<'EOF2'
{ "title": "Rouge <b>vif</b>", "style": 1, "answerMode": 3,
  "questions": [ { "answer": "rouge", "media": "img/red.jpg", "answerPicture": "img/red.jpg" } ] }
EOF2
p="$q/pictures.json"
run web "$p"
expect 0 "web of a picture quiz" "^quizmaker: $q/pictures.html: [0-9.]* KB with 2 pictures, 0 sounds and 0 videos$"
[ -f "$q/pictures.html" ] || fail "web wrote no $q/pictures.html"
grep -q '<html lang="fr">' "$q/pictures.html" || fail "the page is not the quiz page"
grep -q 'vif' "$q/pictures.html" && fail "the title went into the page's markup"
mkdir -p "$work/media"
page_media "$q/pictures.html" "$work/media"
# The pictures as build stores them: 260 x 195 JPEGs, of the size check says.
stored=$(identify -format '%m %wx%h' "$work/media/media-1")
[ "$stored" = "JPEG 260x195" ] || fail "the page's picture is $stored, not what build stores (JPEG 260x195)"
cmp -s "$work/media/media-1" "$work/media/answers-1" || fail "the same file prepared twice differs"
run check "$p"
size=$(grep -o -- "-> 260 x 195, [0-9.]* KB" "$work/out" | head -1 | grep -o "[0-9.]* KB")
shown=$(awk -v b="$(stat -c %s "$work/media/media-1")" 'BEGIN { printf "%.1f KB", b / 1024 }')
[ "$size" = "$shown" ] || fail "check says build stores $size, the page holds $shown"

# With --scorm: the zip beside the manifest, holding the page and its manifest.
run web "$p" --scorm
expect 0 "web --scorm"
listing=$(unzip -Z1 "$q/pictures.zip" 2>&1 | sort | tr '\n' ' ')
[ "$listing" = "imsmanifest.xml index.html " ] || fail "the package holds: $listing"
run web "$p" -o "$work/elsewhere.zip" --scorm
expect 0 "web --scorm -o"
[ -f "$work/elsewhere.zip" ] || fail "-o was not followed"

# Problems: what check reports and its exit code, and nothing written.
cat >"$q/bad.json" <<'EOF2'
{ "style": 1, "questions": [ { "answer": "a|b", "media": "img/missing.jpg" } ] }
EOF2
run check "$q/bad.json"
check_status=$status
grep 'error:' "$work/err" >"$work/check-errors"
run web "$q/bad.json"
[ "$status" -eq "$check_status" ] || fail "web exited $status, check $check_status"
grep 'error:' "$work/err" | cmp -s - "$work/check-errors" || fail "web's errors differ from check's: $(cat "$work/err")"
[ -e "$q/bad.html" ] && fail "a page was written for a quiz with errors"
run web
expect 2 "web without a manifest" "^usage: quizmaker web"

# Never over the manifest or a medium.
before=$(md5sum "$p" "$q/img/red.jpg")
run web "$p" -o "$p"
expect 1 "web over its manifest" "^quizmaker: error: '$p' is a file the quiz is made from"
run web "$p" -o "$q/img/../img/red.jpg"
expect 1 "web over its picture" "is a file the quiz is made from"
[ "$before" = "$(md5sum "$p" "$q/img/red.jpg")" ] || fail "web changed the quiz's own files"

# A video quiz: refused without a webVideo for each question, then embedded.
cat >"$q/videos.json" <<'EOF2'
{ "style": 3, "questions": [ { "answer": "un", "media": "clip.avi", "webVideo": "clip.webm" },
                             { "answer": "deux", "media": "clip.avi" } ] }
EOF2
run web "$q/videos.json"
expect 1 "web of a video quiz lacking a webVideo" \
    "^quizmaker: error: browsers do not play the quiz's videos (AVI): question 2 names no webVideo; give each question an MP4 or WebM video as webVideo$"
[ -e "$q/videos.html" ] && fail "a page was written for a video quiz lacking a webVideo"
sed -i 's/"media": "clip.avi" }/"media": "clip.avi", "webVideo": "clip.webm" }/' "$q/videos.json"
run web "$q/videos.json"
expect 0 "web of a video quiz" "with 0 pictures, 0 sounds and 2 videos$"
mkdir -p "$work/videos"
page_media "$q/videos.html" "$work/videos"
cmp -s "$work/videos/media-2" "$q/clip.webm" || fail "the page's video is not the webVideo"
# check: a webVideo browsers do not play is an error, named by its key.
sed -i 's/"webVideo": "clip.webm" }]/"webVideo": "clip.avi" }]/; s/"webVideo": "clip.webm" },$/"webVideo": "clip.avi" },/' "$q/videos.json"
run check "$q/videos.json"
expect 1 "check of an AVI as webVideo" \
    "^$q/videos.json: questions\[0\]\.webVideo: error: 'clip.avi' is an AVI video, not a video browsers play: use an MP4 or WebM video$"

# A quiz program needs the Windows build.
: >"$q/quiz.exe"
run web "$q/quiz.exe"
expect 1 "web of a quiz program" "needs the Windows build of quizmaker"
finish web
