#!/usr/bin/env bash
# Installs what is missing, builds the player and quizmaker, builds the sample
# quiz and opens it. Without a display it runs under Xvfb and saves a
# screenshot to build/screenshot.png.
#   ./run.sh            the text sample (examples/capitales)
#   ./run.sh drapeaux   another sample folder under examples/
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages

sample="${1:-capitales}"
for preset in native win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target quizplayer quizmaker 2>/dev/null \
        || cmake --build --preset "$preset"
done

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
start_display
trap stop_display EXIT

if [ ! -f "examples/$sample/quiz.json" ]; then
    echo "error: no sample 'examples/$sample/quiz.json'; samples: $(ls examples | tr '\n' ' ')" >&2
    exit 1
fi
# A sample whose pictures are drawn at build time carries the script that
# draws them into its own (ignored) img/ and answers/ folders.
if [ -f "examples/$sample/make-pictures.sh" ]; then
    bash "examples/$sample/make-pictures.sh" "examples/$sample"
fi
out="build/samples/$sample"
mkdir -p "$out"
wine build/win64/tools/quizmaker/quizmaker.exe build "examples/$sample/quiz.json" \
    -o "$out/$sample.exe" --player build/win64/src/app/quizplayer.exe

cd "$out"
if [ "$headless" -eq 1 ]; then
    wine "./$sample.exe" &
    player=$!
    sleep "${QUIZ_SCREENSHOT_DELAY:-6}"
    import -window root ../../screenshot.png
    echo "Screenshot: build/screenshot.png"
    kill "$player" 2>/dev/null || true
else
    wine "./$sample.exe"
fi
