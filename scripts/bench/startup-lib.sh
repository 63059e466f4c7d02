# Sourced by the start-up benchmarks (scripts/bench-startup.sh,
# scripts/bench-pictures.sh): builds the 64-bit player and quizmaker, makes
# the 90-question quizzes, builds quizzes under Wine and times their start
# with the probe of scripts/bench/startprobe.c.
#
# Sets ROOT, BUILD (build/win64 unless given), WINE_RUN and QUIZMAKER; the
# caller's working folder is where quizzes, pictures and the probe go.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${BUILD:-build/win64}
WINE_RUN=$ROOT/cmake/wine-run.sh
QUIZMAKER=$ROOT/$BUILD/tools/quizmaker/quizmaker.exe

# Builds the player, quizmaker and the probe; copies the player here.
bench_tools() {
    [ -f "$ROOT/$BUILD/build.ninja" ] || (cd "$ROOT" && cmake --preset win64 -B "$BUILD" >/dev/null)
    cmake --build "$ROOT/$BUILD" -j2 --target quizplayer quizmaker >/dev/null
    cp "$ROOT/$BUILD/src/app/quizplayer.exe" player.exe
    local cxx=x86_64-w64-mingw32-g++-posix
    command -v $cxx >/dev/null || cxx=x86_64-w64-mingw32-g++
    $cxx -O2 -static -o startprobe.exe "$ROOT/scripts/bench/startprobe.c"
}

# The 90 question and 90 answer pictures of the start-up quiz: photo-like
# 800 x 600 JPEGs (fractal noise), made once and kept.
bench_startup_pictures() {
    mkdir -p pictures
    local i
    for i in $(seq 1 90); do
        [ -f "pictures/q$i.jpg" ] || convert -seed "$i" -size 800x600 plasma:fractal -quality 85 "pictures/q$i.jpg"
        [ -f "pictures/a$i.jpg" ] || convert -seed "$((i + 1000))" -size 800x600 plasma:fractal -quality 85 "pictures/a$i.jpg"
    done
}

# pictures.json: 90 questions with those pictures; nopictures.json: the same
# 90 questions without them; text.json: two text questions.
bench_startup_manifests() {
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
}

# bench_build MANIFEST QUIZ.exe [quizmaker build options...]
bench_build() {
    local manifest="$1" quiz="$2"
    shift 2
    rm -f "$quiz"
    "$WINE_RUN" "$QUIZMAKER" build "$manifest" -o "$quiz" --player player.exe "$@" >/dev/null 2>&1
    [ -f "$quiz" ] || { echo "quizmaker could not build $quiz" >&2; exit 1; }
}

# bench_probe RUNS LABEL_ID QUIZ.exe [LABEL_ID QUIZ.exe ...]: every quiz
# timed in the same run of the probe, so the same machine state weighs on
# all; prints the probe's lines.
bench_probe() {
    "$WINE_RUN" startprobe.exe "$@" 2>/dev/null | tr -d '\r'
}

# bench_report REFERENCE.exe < probe lines: each quiz's median start to
# board built, and its ratio to REFERENCE.exe, of the medians and within
# each round (whose starts came close together).
bench_report() {
    awk -v reference="$1" '
        $1 == "run" { round[$3, $2] = $4; rounds = $2 + 1; next }
        { median[$1] = $2; order[++quizzes] = $1
          printf "%-16s start to board built: median %7.1f ms (min %.1f, max %.1f); frame seen at %.1f, first cell at %.1f\n", $1, $2, $3, $4, $5, $6 }
        END {
            for (q = 1; q <= quizzes; ++q) {
                name = order[q]
                if (name == reference || median[reference] <= 0) continue
                n = 0
                for (r = 0; r < rounds; ++r)
                    if (round[reference, r] > 0) ratio[++n] = round[name, r] / round[reference, r]
                for (i = 2; i <= n; ++i)
                    for (j = i; j > 1 && ratio[j - 1] > ratio[j]; --j) { t = ratio[j]; ratio[j] = ratio[j - 1]; ratio[j - 1] = t }
                printf "ratio %s / %s: %.2f of the medians; within a round median %.2f (from %.2f to %.2f over %d rounds)\n",
                    name, reference, median[name] / median[reference],
                    (n % 2 ? ratio[(n + 1) / 2] : (ratio[n / 2] + ratio[n / 2 + 1]) / 2), ratio[1], ratio[n], n
            }
        }'
}
