#!/bin/bash
# A built quiz played end to end under Wine: answers typed into the running
# player are judged, written to the results file at close, and found again,
# with the same verdicts, score and code, when the quiz starts anew.
#   play_e2e.sh QUIZMAKER.exe QUIZPLAYER.exe
#   (WINE_RUN: cmake/wine-run.sh; QUIZDRIVER: the quizdriver.exe that plays)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
driver="$(realpath "${QUIZDRIVER:?QUIZDRIVER must name quizdriver.exe}")"
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/quiz.sh"
cd "$work" || exit 1
score=150 code=157  # the frame's score and code displays

# play WHAT COMMAND...: starts monde.exe here through the driver and runs the
# commands; a failed run shows the driver's own lines.
play() {
    local what="$1"
    shift
    "$wine_run" "$driver" . monde.exe "$@" >driver.txt 2>driver-err.txt ||
        fail "$what: the driver exited $?: $(tr -d '\r' <driver.txt)"
}

bytes_of() { python3 -c 'import sys; print(repr(open(sys.argv[1], "rb").read()))' "$1"; }

# expect_results WHAT BYTES: the results file holds exactly BYTES (printf
# format), and the run left no other file behind.
expect_results() {
    printf "$2" >expected.txt
    if [ ! -f monde.txt ]; then
        fail "$1: no results file monde.txt was written: $(ls)"
    elif ! cmp -s expected.txt monde.txt; then
        fail "$1: the results file holds $(bytes_of monde.txt), expected $(bytes_of expected.txt)"
    fi
    local stray
    stray="$(ls | grep -v -x -e monde.json -e player.exe -e monde.exe -e monde.txt -e expected.txt \
        -e out.txt -e err.txt -e driver.txt -e driver-err.txt)"
    if [ -n "$stray" ]; then fail "$1: the quiz left files behind: $stray"; fi
}

# A text quiz whose answers and codes carry accents; the manifest is UTF-8.
cat >monde.json <<'EOF'
{ "title": "Capitales du monde", "creator": "Zoé", "explanation": "Tapez la capitale, puis Entrée.",
  "style": 0, "questionFormat": 1, "answerMode": 2,
  "questions": [
    { "answer": "Bogotá", "caption": "Capitale de la Colombie ?" },
    { "answer": "Yaoundé", "caption": "Capitale du Cameroun ?" },
    { "answer": "Lima", "caption": "Capitale du Pérou ?" } ],
  "codes": [ "Clé 1", "Clé 2", "Clé 3" ] }
EOF
build_quiz monde

# A sound file left from an earlier quiz goes when the player closes (or
# expect_results finds it left behind).
printf 'ID3 stale clip' >quizz.mp3

# Run 1: nothing saved yet, so the quiz starts at zero with an empty code;
# a right answer in small letters, a near miss on the accent, one left empty.
play "first run" \
    expect $score " 0 / 3" expect $code "      " expect 5001 "?" expect 5002 "?" expect 5003 "?" \
    type 4001 "bogotá" enter 4001 \
    type 4002 "Yaoundè" enter 4002 \
    expect 5001 "BRAVO" expect 5002 "Quasiment" expect 5003 "?" \
    expect $score " 1 / 3" expect $code "Clé 1" \
    close
expect_results "first run" 'bogot\xe1\r\nYaound\xe8\r\n*\r\n'

# Run 2: the answers come back without typing and are judged again; then the
# last two are solved, one of them with spaces around it.
play "second run" \
    expect 4001 "bogotá" expect 4002 "Yaoundè" expect 4003 "" \
    expect 5001 "BRAVO" expect 5002 "Quasiment" expect 5003 "?" \
    expect $score " 1 / 3" expect $code "Clé 1" \
    type 4002 "yaoundé" enter 4002 \
    expect 5002 "BRAVO" expect $score " 2 / 3" expect $code "Clé 2" \
    type 4003 " lima " enter 4003 \
    expect 5003 "BRAVO" expect $score " 3 / 3" expect $code "Clé 3" \
    close
expect_results "second run" 'bogot\xe1\r\nyaound\xe9\r\n lima \r\n'

finish "play end to end"
