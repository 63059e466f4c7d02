#!/bin/bash
# No library planted beside a quiz, quizmaker or the editor is loaded. A quiz
# is started from a downloads folder where earlier downloads may have left a
# file named like one of Windows' libraries; Wine is told to search as
# Windows does (the program's folder first, for the libraries that are not
# among Windows' known ones), and stand-ins of those libraries, each leaving
# a mark once loaded, lie beside every program. A control program loading
# them the unprotected way must leave every mark; quizmaker (--help, a
# build), a video quiz, a sound quiz playing its sound and the editor
# opening a quiz must leave none.
#   libraries_e2e.sh QUIZMAKER.exe QUIZPLAYER.exe
#   (WINE_RUN: cmake/wine-run.sh; QUIZDRIVER: quizdriver.exe; LIBPROBE:
#   libprobe.exe; QUIZEDITOR: quizeditor.exe; STANDINS: the folder of the
#   stand-in libraries)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
driver="$(realpath "${QUIZDRIVER:?QUIZDRIVER must name quizdriver.exe}")"
probe="$(realpath "${LIBPROBE:?LIBPROBE must name libprobe.exe}")"
editor="$(realpath "${QUIZEDITOR:?QUIZEDITOR must name quizeditor.exe}")"
standins="$(realpath "${STANDINS:?STANDINS must name the stand-in libraries\' folder}")"
media="$(realpath "$(dirname "$0")/../../win/media")"
source "$(dirname "$0")/../lib/common.sh"
cd "$work" || exit 1

# Not version.dll: Wine's user32 imports it, and Wine looks for the imports
# of its own libraries in the program's folder first, before the program's
# first line; on Windows user32 is a known library, whose imports come from
# the system folder.
names=(atl winmm msvfw32 comctl32 comdlg32 windowscodecs uxtheme mciavi32 mciwave mciqtz32)
export WINEDLLOVERRIDES="mscoree,mshtml=;$(IFS=,; echo "${names[*]}")=n,b"

cp "$quizmaker" quizmaker.exe
cp "$player" quizplayer.exe
cp "$editor" quizeditor.exe
cp "$probe" libprobe.exe
cp "$media/clip32x24.avi" clip.avi
cp "$media/sound-a.wav" son.wav
for name in "${names[@]}"; do
    cp "$standins/$name.dll" . || fail "no stand-in $name.dll was built"
done
cat >films.json <<'JSON'
{ "title": "Films", "style": 3, "questions": [ { "answer": "Horloge", "media": "clip.avi" } ] }
JSON
cat >sons.json <<'JSON'
{ "title": "Sons", "style": 2, "questions": [ { "answer": "Cloche", "media": "son.wav" } ] }
JSON

# no_marks WHAT: no stand-in was loaded while WHAT ran.
no_marks() {
    local mark
    for mark in *.mark; do
        [ -e "$mark" ] || continue
        fail "$1 loaded the planted ${mark%.mark}.dll (by $(tr -d '\r' <"$mark"))"
        rm -f "$mark"
    done
}

# The control: loaded the unprotected way, every stand-in leaves its mark.
"$wine_run" ./libprobe.exe load "${names[@]/%/.dll}" >probe.txt 2>&1 ||
    fail "the control could not load the stand-ins: $(tr -d '\r' <probe.txt)"
for name in "${names[@]}"; do
    [ -f "$name.mark" ] || fail "the control loaded $name.dll but no planted one: this test cannot see one"
done
rm -f ./*.mark

"$wine_run" ./quizmaker.exe --help >out.txt 2>err.txt || fail "quizmaker --help exited $?"
no_marks "quizmaker --help"
for quiz in films sons; do
    "$wine_run" ./quizmaker.exe build "$quiz.json" -o "$quiz.exe" >out.txt 2>err.txt ||
        fail "quizmaker build $quiz.json exited $?: $(tr -d '\r' <err.txt)"
    no_marks "quizmaker build $quiz.json"
done

"$wine_run" "$driver" . films.exe expect 4001 "" close >driver.txt 2>&1 ||
    fail "the video quiz could not be played: $(tr -d '\r' <driver.txt)"
no_marks "the video quiz"
"$wine_run" "$driver" . sons.exe click 6001 MCIWndClass close >driver.txt 2>&1 ||
    fail "the sound quiz could not play its sound: $(tr -d '\r' <driver.txt)"
no_marks "the sound quiz"

# The probe opening the editor is not beside it: it is no program under test.
"$wine_run" "$probe" open QuizEditor quizeditor.exe films.json >probe.txt 2>&1 ||
    fail "the editor could not be opened and closed: $(tr -d '\r' <probe.txt)"
no_marks "the editor"

finish "no planted library loaded"
