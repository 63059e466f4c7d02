#include "app/saved.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "content/message.h"
#include "play/results.h"

void resultsFileName(char (&name)[TextSize]) {
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    resultsNameFromPath(path, name, sizeof name);
}

// Results files hold at most a few dozen kilobytes; anything past this is
// not answers of this quiz.
static const long SavedAnswersLimit = 4 * 1024 * 1024;

void readSavedAnswers(PlayState* play) {
    Text name;
    resultsFileName(name);
    FILE* file = fopen(name, "rb");
    if (!file) return;
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    if (size > SavedAnswersLimit) size = SavedAnswersLimit;
    char* data = size > 0 ? static_cast<char*>(malloc(static_cast<size_t>(size))) : nullptr;
    if (data) restoreAnswers(play, data, fread(data, 1, static_cast<size_t>(size), file));
    free(data);
    fclose(file);
}

// Writes one line per answer field; false if any write falls short.
static bool writeAnswers(HANDLE file, const PlayState* play) {
    bool written = true;
    const int lines = answerLineCount(play);
    for (int k = 1; k <= lines; ++k) {
        char line[TextSize + 2];
        const DWORD length = static_cast<DWORD>(answerLine(play, k, line));
        DWORD count = 0;
        if (!WriteFile(file, line, length, &count, nullptr) || count != length) written = false;
    }
    return written;
}

// The answers go to a fresh file beside the old one, which is replaced only
// once the new one is complete: a full disk or a locked file never costs the
// player the answers saved before.
void saveAnswers(const PlayState* play) {
    Text name;
    resultsFileName(name);
    char temporary[MAX_PATH] = "";
    bool saved = GetTempFileNameA(".", "qzr", 0, temporary) != 0;
    if (saved) {
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        saved = file != INVALID_HANDLE_VALUE;
        if (saved) {
            saved = writeAnswers(file, play);
            if (!CloseHandle(file)) saved = false;
        }
        if (saved) saved = MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!saved) DeleteFileA(temporary);
    }
    if (!saved) showMessage("Impossible d'enregistrer les réponses.", "Quizz");
}
