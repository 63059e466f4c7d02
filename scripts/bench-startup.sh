#!/bin/bash
# Start-up time of a picture quiz against a text quiz, under Wine.
#
# Builds the 64-bit player and quizmaker, makes a quiz of 90 questions with
# 800 x 600 JPEG pictures and answer pictures and a quiz of two text
# questions, and times each from process start until its board has built
# its last cell (the probe in scripts/bench/startprobe.c). Prints both
# medians and their ratio, then where one picture's time goes
# (scripts/bench/picture-phases.cpp). The same 90 questions without any
# picture are timed too, to tell the pictures' share from the board's own.
#
#   scripts/bench-startup.sh [RUNS]       BUILD=folder (build/win64 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
RUNS=${1:-5}
BUILD=${BUILD:-build/win64}
WORK=$ROOT/$BUILD/bench-startup
WINE_RUN=$ROOT/cmake/wine-run.sh

[ -f "$BUILD/build.ninja" ] || cmake --preset win64 -B "$BUILD" >/dev/null
cmake --build "$BUILD" -j2 --target quizplayer quizmaker quizwin >/dev/null

mkdir -p "$WORK/pictures"
cd "$WORK"

# Photo-like pictures (fractal noise) so the JPEGs have a realistic size;
# made once and kept.
for i in $(seq 1 90); do
    [ -f "pictures/q$i.jpg" ] || convert -seed "$i" -size 800x600 plasma:fractal -quality 85 "pictures/q$i.jpg"
    [ -f "pictures/a$i.jpg" ] || convert -seed "$((i + 1000))" -size 800x600 plasma:fractal -quality 85 "pictures/a$i.jpg"
done

python3 - <<'PY'
import json
def quiz(style, count, media):
    questions = []
    for i in range(1, count + 1):
        q = {"answer": "REPONSE%d" % i, "caption": "Question %d" % i, "reveal": "Revele %d" % i}
        if media:
            q["media"] = "pictures/q%d.jpg" % i
            q["answerPicture"] = "pictures/a%d.jpg" % i
        questions.append(q)
    return {"title": "Banc d'essai", "creator": "Banc", "explanation": "Temps de demarrage",
            "style": style, "questionFormat": 1, "answerMode": 3 if media else 2,
            "questions": questions, "codes": ["C%d" % i for i in range(1, count + 1)]}
json.dump(quiz(1, 90, True), open("pictures.json", "w"))
json.dump(quiz(1, 90, False), open("nopictures.json", "w"))
json.dump(quiz(0, 2, False), open("text.json", "w"))
PY

cp "$ROOT/$BUILD/src/app/quizplayer.exe" player.exe
for name in pictures nopictures text; do
    rm -f "$name.exe" "$name.txt"
    "$WINE_RUN" "$ROOT/$BUILD/tools/quizmaker/quizmaker.exe" build "$name.json" -o "$name.exe" --player player.exe >/dev/null 2>&1
    [ -f "$name.exe" ] || { echo "quizmaker could not build $name.exe" >&2; exit 1; }
done

CXX=x86_64-w64-mingw32-g++-posix
command -v $CXX >/dev/null || CXX=x86_64-w64-mingw32-g++
$CXX -O2 -static -o startprobe.exe "$ROOT/scripts/bench/startprobe.c"
$CXX -O2 -static -fexec-charset=CP1252 -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT=0x0601 \
    -I"$ROOT/src" -o picture-phases.exe "$ROOT/scripts/bench/picture-phases.cpp" \
    "$ROOT/$BUILD/src/libquizwin.a" "$ROOT/$BUILD/src/libquizcore.a" \
    -lole32 -loleaut32 -luuid -lwindowscodecs -lgdi32 -luser32

echo "Pictures: $(du -ch pictures/q*.jpg | tail -1 | cut -f1) of question pictures, $(du -h pictures.exe | cut -f1) quiz"
# Both quizzes in one run of the probe: same machine state for both.
result=$("$WINE_RUN" startprobe.exe "$RUNS" 5090 pictures.exe 5002 text.exe 5090 nopictures.exe 2>/dev/null | tr -d '\r')
echo "$result" | awk '
    $1 == "run" { round[$3, $2] = $4; rounds = $2 + 1; next }
    { median[$1] = $2
      printf "%-16s start to board built: median %7.1f ms (min %.1f, max %.1f); frame seen at %.1f, first cell at %.1f\n", $1, $2, $3, $4, $5, $6 }
    END {
        if (median["text.exe"] > 0)
            printf "ratio pictures / text: %.2f of the medians (target: at most 4)\n", median["pictures.exe"] / median["text.exe"]
        # The same ratio within each round, whose two starts came close together.
        n = 0
        for (r = 0; r < rounds; ++r)
            if (round["text.exe", r] > 0) ratio[++n] = round["pictures.exe", r] / round["text.exe", r]
        for (i = 2; i <= n; ++i)
            for (j = i; j > 1 && ratio[j - 1] > ratio[j]; --j) { t = ratio[j]; ratio[j] = ratio[j - 1]; ratio[j - 1] = t }
        if (n > 0)
            printf "ratio pictures / text within a round: median %.2f (from %.2f to %.2f over %d rounds)\n",
                (n % 2 ? ratio[(n + 1) / 2] : (ratio[n / 2] + ratio[n / 2 + 1]) / 2), ratio[1], ratio[n], n
        if (median["nopictures.exe"] > 0)
            printf "90 pictures add %.0f ms (%.1f ms a picture) to the board of the same questions without them\n",
                median["pictures.exe"] - median["nopictures.exe"], (median["pictures.exe"] - median["nopictures.exe"]) / 90
    }'
echo
echo "One picture, step by step (90 pictures of pictures.exe):"
"$WINE_RUN" picture-phases.exe pictures.exe 90 2>/dev/null | tr -d '\r'
