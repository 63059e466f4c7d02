#!/bin/bash
# Start-up time of a picture quiz against a text quiz, under Wine, for one
# or more builds in the same run.
#
# For each build, builds its player and quizmaker, makes with them a quiz of
# 90 questions with 800 x 600 JPEG pictures and answer pictures and a quiz of
# two text questions, and times each from process start until its board has
# built its last cell (the probe in scripts/bench/startprobe.c). Prints both
# medians and their ratio, then where one picture's time goes
# (scripts/bench/picture-phases.cpp). The same 90 questions without any
# picture are timed too, to tell the pictures' share from the board's own.
# All builds' quizzes take turns in one run of the probe, so each build meets
# the same machine state; with more than one build, each later build's
# medians are also given as a ratio to the first build's.
#
#   scripts/bench-startup.sh [RUNS] [BUILD...]
#     BUILD: a build folder named after its preset, e.g. build/win64 (the
#     default, or $BUILD) or build/win32 (the i686 release); configured with
#     that preset when it is not yet.
#   scripts/bench-startup.sh 5 build/win64 build/win32
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
RUNS=${1:-5}
shift $(($# > 0 ? 1 : 0))
BUILDS=("$@")
[ ${#BUILDS[@]} -gt 0 ] || read -r -a BUILDS <<<"${BUILD:-build/win64}"
WORK=$ROOT/build/bench-startup
WINE_RUN=$ROOT/cmake/wine-run.sh

names=()
for i in "${!BUILDS[@]}"; do
    build=${BUILDS[$i]%/}
    [[ $build = /* ]] || build=$ROOT/$build
    BUILDS[$i]=$build
    name=$(basename "$build")
    case " ${names[*]} " in *" $name "*) echo "two builds named $name" >&2; exit 2 ;; esac
    names+=("$name")
    [ -f "$build/build.ninja" ] || cmake --preset "$name" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target quizplayer quizmaker quizmedia >/dev/null
done

mkdir -p "$WORK/pictures"
cd "$WORK"

# The 90-question quizzes and their photo-like pictures, as
# scripts/bench-pictures.sh makes them too.
. "$ROOT/scripts/bench/startup-lib.sh"
bench_startup_pictures
bench_startup_manifests

# Each build's quizzes and picture-phases program in a folder of its name,
# its quizzes made by its own quizmaker.
for i in "${!BUILDS[@]}"; do
    build=${BUILDS[$i]}
    name=${names[$i]}
    mkdir -p "$name"
    cp "$build/src/app/quizplayer.exe" "$name/player.exe"
    for quiz in pictures nopictures text; do
        rm -f "$name/$quiz.exe" "$name/$quiz.txt"
        "$WINE_RUN" "$build/tools/quizmaker/quizmaker.exe" build "$quiz.json" -o "$name/$quiz.exe" \
            --player "$name/player.exe" >/dev/null 2>&1
        [ -f "$name/$quiz.exe" ] || { echo "$name: quizmaker could not build $quiz.exe" >&2; exit 1; }
    done
    cxx=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake | head -1)
    $cxx -O2 -static -fexec-charset=CP1252 -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT=0x0601 \
        -I"$ROOT/src" -o "$name/picture-phases.exe" "$ROOT/scripts/bench/picture-phases.cpp" \
        "$build/src/libquizmedia.a" "$build/src/libquizsystem.a" "$build/src/libquizcontent.a" "$build/src/libquizformat.a" \
        -lole32 -loleaut32 -luuid -lwindowscodecs -lgdi32 -luser32
done

# The probe only starts and watches the quizzes; one program serves all.
CXX=x86_64-w64-mingw32-g++-posix
command -v $CXX >/dev/null || CXX=x86_64-w64-mingw32-g++
$CXX -O2 -static -o startprobe.exe "$ROOT/scripts/bench/startprobe.c"

echo "Pictures: $(du -ch pictures/q*.jpg | tail -1 | cut -f1) of question pictures, $(du -h "${names[0]}/pictures.exe" | cut -f1) quiz"
# Every build's three quizzes in one run of the probe: same machine state for all.
probe=()
for name in "${names[@]}"; do probe+=(5090 "$name/pictures.exe" 5002 "$name/text.exe" 5090 "$name/nopictures.exe"); done
result=$("$WINE_RUN" startprobe.exe "$RUNS" "${probe[@]}" 2>/dev/null | tr -d '\r')
echo "$result" | awk -v builds="${names[*]}" '
    function sorted_median(values, n,    i, j, t) {
        for (i = 2; i <= n; ++i)
            for (j = i; j > 1 && values[j - 1] > values[j]; --j) { t = values[j]; values[j] = values[j - 1]; values[j - 1] = t }
        return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
    }
    $1 == "run" { round[$3, $2] = $4; rounds = $2 + 1; next }
    $1 == "" { next }
    { median[$1] = $2; line[$1] = sprintf("%-16s start to board built: median %7.1f ms (min %.1f, max %.1f); frame seen at %.1f, first cell at %.1f", $1, $2, $3, $4, $5, $6) }
    END {
        count = split(builds, name, " ")
        for (b = 1; b <= count; ++b) {
            p = name[b] "/pictures.exe"; t = name[b] "/text.exe"; np = name[b] "/nopictures.exe"
            printf "%s\n", name[b]
            printf "  %s\n  %s\n  %s\n", line[p], line[t], line[np]
            if (median[t] > 0)
                printf "  ratio pictures / text: %.2f of the medians (target: at most 4)\n", median[p] / median[t]
            # The same ratio within each round, whose two starts came close together.
            n = 0
            delete ratio
            for (r = 0; r < rounds; ++r)
                if (round[t, r] > 0) ratio[++n] = round[p, r] / round[t, r]
            if (n > 0)
                printf "  ratio pictures / text within a round: median %.2f (from %.2f to %.2f over %d rounds)\n",
                    sorted_median(ratio, n), ratio[1], ratio[n], n
            if (median[np] > 0)
                printf "  90 pictures add %.0f ms (%.1f ms a picture) to the board of the same questions without them\n",
                    median[p] - median[np], (median[p] - median[np]) / 90
        }
        # Each later build against the first, quiz by quiz and round by round.
        for (b = 2; b <= count; ++b) {
            printf "%s / %s:", name[b], name[1]
            split("pictures text nopictures", quiz, " ")
            for (q = 1; q <= 3; ++q) {
                mine = name[b] "/" quiz[q] ".exe"; base = name[1] "/" quiz[q] ".exe"
                n = 0
                delete ratio
                for (r = 0; r < rounds; ++r)
                    if (round[base, r] > 0) ratio[++n] = round[mine, r] / round[base, r]
                printf " %s %.2f of the medians (%.2f within a round)%s", quiz[q], median[mine] / median[base],
                    sorted_median(ratio, n), q < 3 ? ";" : "\n"
            }
        }
    }'
for name in "${names[@]}"; do
    echo
    echo "$name: one picture, step by step (90 pictures of pictures.exe):"
    "$WINE_RUN" "$name/picture-phases.exe" "$name/pictures.exe" 90 2>/dev/null | tr -d '\r'
done
