#!/bin/bash
# The real player under Wine with a quiz built into it: it starts, restores
# the saved answers, and on WM_CLOSE writes them back, deletes the sound
# file and ends with exit code 0.
#   player_e2e.sh QUIZMAKER.exe QUIZPLAYER.exe   (WINE_RUN: cmake/wine-run.sh)
set -u
quizmaker="$(realpath "$1")"
player="$(realpath "$2")"
wine_run="${WINE_RUN:?WINE_RUN must name cmake/wine-run.sh}"
failures=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# closer.exe QUIZ.exe: starts the quiz in the current folder, waits until its
# frame window and board are up, posts WM_CLOSE to the frame and exits with
# the quiz's exit code (200 and up when the quiz could not be driven).
cat >closer.c <<'SOURCE'
#include <windows.h>

static DWORD quizProcess;
static HWND frame;

static BOOL CALLBACK findFrame(HWND window, LPARAM unused) {
    char name[32];
    DWORD process = 0;
    (void)unused;
    GetWindowThreadProcessId(window, &process);
    if (process == quizProcess && GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "WindowsApp") == 0) {
        frame = window;
        return FALSE;
    }
    return TRUE;
}

int main(int argc, char** argv) {
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    DWORD code = 0;
    int tries;
    if (argc != 2) return 200;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(argv[1], NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) return 201;
    quizProcess = info.dwProcessId;
    for (tries = 0; tries < 600; ++tries) {
        frame = NULL;
        EnumWindows(findFrame, 0);
        if (frame && IsWindowVisible(frame) && FindWindowExA(frame, NULL, "#32770", NULL)) break;
        if (WaitForSingleObject(info.hProcess, 100) == WAIT_OBJECT_0) return 202;
    }
    if (tries == 600) {
        TerminateProcess(info.hProcess, 1);
        return 203;
    }
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        return 204;
    }
    GetExitCodeProcess(info.hProcess, &code);
    return (int)code;
}
SOURCE
if ! x86_64-w64-mingw32-gcc -O1 -o closer.exe closer.c 2>closer.err; then
    echo "FAIL: cannot compile the closing helper: $(cat closer.err)" >&2
    exit 1
fi

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

# run WHAT: plays monde.exe until closed; it must end with 0.
run() {
    "$wine_run" ./closer.exe monde.exe >/dev/null 2>&1
    local status=$?
    if [ "$status" -ne 0 ]; then fail "$1: the quiz ended with $status"; fi
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

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "player end to end: ok"
