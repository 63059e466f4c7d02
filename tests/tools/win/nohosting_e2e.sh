#!/bin/bash
# A video quiz on a system without video hosting (atl.dll): the player says
# in French that the quiz's videos cannot be shown, then ends with exit code 1
# without opening its window.
#   nohosting_e2e.sh QUIZMAKER.exe QUIZPLAYER.exe
#   (WINE_RUN: cmake/wine-run.sh; QUIZDRIVER: the quizdriver.exe that plays)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
driver="$(realpath "${QUIZDRIVER:?QUIZDRIVER must name quizdriver.exe}")"
clip="$(realpath "$(dirname "$0")/../../win/media/clip32x24.avi")"
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/quiz.sh"
cd "$work" || exit 1

cp "$clip" clip.avi
cat >films.json <<'JSON'
{ "title": "Films", "style": 3, "questions": [ { "answer": "Horloge", "media": "clip.avi" } ] }
JSON
build_quiz films

# Wine leaves a library it is told to disable unloadable, as a system
# without it would.
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};atl=d" "$wine_run" "$driver" . films.exe \
    refused 1 "Les vidéos de ce quizz ne peuvent pas être affichées : le composant atl.dll est introuvable." \
    >driver.txt 2>driver-err.txt || fail "the driver reports: $(tr -d '\r' <driver.txt)"
if ls quizz*.avi >/dev/null 2>&1; then fail "the refused quiz left video files: $(ls quizz*.avi)"; fi

finish "no video hosting"
