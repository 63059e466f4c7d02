#!/bin/bash
# The real player under Wine with a quiz built into it: it starts, restores
# the saved answers, and on WM_CLOSE writes them back, deletes the sound
# file and ends with exit code 0.
#   player_e2e.sh QUIZMAKER.exe QUIZPLAYER.exe   (WINE_RUN: cmake/wine-run.sh;
#   QUIZDRIVER: the quizdriver.exe that closes it)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
driver="$(realpath "${QUIZDRIVER:?QUIZDRIVER must name quizdriver.exe}")"
source "$(dirname "$0")/../lib/common.sh"
cd "$work" || exit 1

cat >monde.json <<'JSON'
{ "title": "Capitales", "creator": "Chlo\u00e9", "explanation": "Trouvez les capitales",
  "style": 0, "questionFormat": 1, "answerMode": 2, "backColour": "#FFFFFF",
  "questions": [
    { "answer": "Paris", "caption": "France" },
    { "answer": "Berlin", "caption": "Allemagne" },
    { "answer": "Rome", "caption": "Italie" } ],
  "codes": [ "A", "B", "C" ] }
JSON
cp "$player" player.exe
"$wine_run" "$quizmaker" build monde.json -o monde.exe --player player.exe >build.txt 2>&1
status=$?
if [ "$status" -ne 0 ] || [ ! -f monde.exe ]; then
    echo "FAIL: quizmaker build exited $status: $(cat build.txt)" >&2
    exit 1
fi

# run WHAT: starts monde.exe through the driver and closes it; it must end with 0.
run() {
    "$wine_run" "$driver" . monde.exe close >driver.txt 2>&1 || fail "$1: $(tr -d '\r' <driver.txt)"
}

# A first run without saved answers saves one "*" line per question.
printf 'son' >quizz.mp3
run "first run"
if [ "$(od -An -c monde.txt 2>/dev/null | tr -s ' ')" != "$(printf '*\r\n*\r\n*\r\n' | od -An -c | tr -s ' ')" ]; then
    fail "first run should save three empty answers, got: $(od -c monde.txt 2>&1 | head -3)"
fi
if [ -e quizz.mp3 ]; then fail "closing should delete quizz.mp3"; fi

# Saved answers come back into their fields and are saved again at close,
# the last one complete although its line has no line break.
printf 'Paris\r\n*\r\nRome' >monde.txt
run "second run"
if [ "$(od -An -c monde.txt | tr -s ' ')" != "$(printf 'Paris\r\n*\r\nRome\r\n' | od -An -c | tr -s ' ')" ]; then
    fail "restored answers should be saved back, got: $(od -c monde.txt | head -3)"
fi
ls "$work" | grep -i '\.tmp$' >/dev/null && fail "a temporary file was left behind: $(ls "$work")"

finish "player end to end"
