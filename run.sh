#!/usr/bin/env bash
# Installs what is missing, builds the player and quizmaker, builds the sample
# quiz and opens it. Without a display it runs under Xvfb and saves a
# screenshot to build/screenshot.png.
#   ./run.sh            the text sample (examples/capitales)
#   ./run.sh drapeaux   another sample folder under examples/
#   ./run.sh editor [SAMPLE]   the editor, on a copy of the sample if named
#   ./run.sh web [SAMPLE]      the sample's browser page, build/web/SAMPLE.html,
#                              and its screenshots at a desktop's and a
#                              phone's size (build/web/SAMPLE-*.png)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages

if [ "${1:-}" = "web" ]; then
    sample="${2:-capitales}"
    ensure_node
    ensure_browser
    ensure_web_test_modules
    if [ ! -f "examples/$sample/quiz.json" ]; then
        echo "error: no sample 'examples/$sample/quiz.json'; samples: $(ls examples | tr '\n' ' ')" >&2
        exit 1
    fi
    [ -f "examples/$sample/make-pictures.sh" ] && bash "examples/$sample/make-pictures.sh" "examples/$sample"
    cmake --preset native >/dev/null
    cmake --build --preset native --target quizmaker
    mkdir -p build/web
    build/native/tools/quizmaker/quizmaker web "examples/$sample/quiz.json" -o "build/web/$sample.html"
    echo "Page: build/web/$sample.html ($(stat -c %s "build/web/$sample.html") bytes)"
    node tests/web/shots.mjs "build/web/$sample.html" "build/web/$sample"
    exit 0
fi

editor=0
if [ "${1:-}" = "editor" ]; then
    editor=1
    shift
fi
sample="${1:-capitales}"
for preset in native win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target quizplayer quizmaker quizeditor 2>/dev/null \
        || cmake --build --preset "$preset"
done

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
start_display
trap stop_display EXIT

# Runs a Windows program from the current folder; without a display, takes a
# screenshot once it has had time to open and then ends it.
show() {
    if [ "$headless" -eq 1 ]; then
        "$QUIZ_WINE_RUN" "$@" &
        local program=$!
        sleep "${QUIZ_SCREENSHOT_DELAY:-6}"
        import -window root "$root/build/screenshot.png"
        echo "Screenshot: build/screenshot.png"
        kill "$program" 2>/dev/null || true
    else
        "$QUIZ_WINE_RUN" "$@"
    fi
}
root="$(pwd)"

if [ "$editor" -eq 1 ] && [ $# -eq 0 ]; then
    show build/win64/tools/quizeditor/quizeditor.exe
    exit 0
fi
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
if [ "$editor" -eq 1 ]; then
    # The editor saves where it opened: a copy, so the sample stays as it is.
    cp -r "examples/$sample/." "$out/"
    show build/win64/tools/quizeditor/quizeditor.exe "$out/quiz.json"
    exit 0
fi
"$QUIZ_WINE_RUN" build/win64/tools/quizmaker/quizmaker.exe build "examples/$sample/quiz.json" \
    -o "$out/$sample.exe" --player build/win64/src/app/quizplayer.exe

cd "$out"
show "./$sample.exe"
