#!/bin/bash
# The browser page against the quiz program, in one run.
#
# 1. Size: the 90-question picture quiz of scripts/bench-startup.sh (800 x
#    600 photo-like pictures and answer pictures) and its 2-question text
#    quiz, built by quizmaker under Wine; the page quizmaker web writes of
#    the same manifest (its pictures prepared as build prepares them)
#    against the program and against the media the program stores (unpacked).
# 2. Opening: from opening each page in headless Chromium to its first field
#    taking input, RUNS times each in turn; medians and their ratio.
# 3. Judging: the module's time for one field against the native code's, on
#    the same 200,000 generated pairs (tests/web/verdicts.mjs).
#
#   scripts/bench-web.sh [RUNS]     BUILD=folder (build/win64 by default)
set -euo pipefail
. "$(dirname "$0")/bench/startup-lib.sh"
. "$ROOT/scripts/setup.sh"
RUNS=${1:-9}
WORK=$ROOT/build/bench-web
NATIVE=$ROOT/build/native
mkdir -p "$WORK"
cd "$WORK"

ensure_node
ensure_browser
ensure_web_test_modules
bench_tools
[ -f "$NATIVE/build.ninja" ] || (cd "$ROOT" && cmake --preset native >/dev/null)
cmake --build "$NATIVE" -j2 --target quizmaker webpairs >/dev/null
bench_startup_pictures
bench_startup_manifests

echo "Size:"
for name in pictures text; do
    bench_build "$name.json" "$name.exe"
    rm -rf "$name-unpacked"
    "$WINE_RUN" "$QUIZMAKER" unpack "$name.exe" -o "$name-unpacked" >/dev/null 2>&1
    "$NATIVE/tools/quizmaker/quizmaker" web "$name.json" -o "$name.html" 2>/dev/null
    page=$(stat -c %s "$name.html")
    program=$(stat -c %s "$name.exe")
    media=$(find "$name-unpacked" -type f ! -name quiz.json -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
    awk -v name="$name" -v page="$page" -v program="$program" -v media="$media" 'BEGIN {
        printf "  %-8s page %8.1f KB, program %8.1f KB (page / program %.2f), stored media %8.1f KB", name, page / 1024, program / 1024, page / program, media / 1024
        if (media > 0) printf " (page / media %.2f)", page / media
        printf "\n" }'
done

echo "Opening, $RUNS runs:"
node "$ROOT/tests/web/startup.mjs" "$RUNS" text.html pictures.html | sed 's/^/  /'

echo "Judging:"
node "$ROOT/tests/web/verdicts.mjs" "$NATIVE/tests/web/webpairs" "$NATIVE/web/web.wasm" 200000 1 | tee judging.txt |
    grep -E '^(native|module):' | sed 's/^/  /'
awk '/^native:/ { native = $6 } /^module: [0-9]/ { module = $2 }
     END { if (native > 0) printf "  module / native, a field judged: %.2f\n", module / native }' judging.txt
