#include "app/saved.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

// Every line of the file in one block: at most 180 lines of 261 bytes.
static char* formatAnswers(const PlayState* play, DWORD* size) {
    const int lines = answerLineCount(play);
    char* data = static_cast<char*>(malloc(static_cast<size_t>(lines) * (TextSize + 1) + 1));
    *size = 0;
    if (!data) return nullptr;
    for (int k = 1; k <= lines; ++k) {
        char line[TextSize + 2];
        const size_t length = answerLine(play, k, line);
        memcpy(data + *size, line, length);
        *size += static_cast<DWORD>(length);
    }
    return data;
}

// The whole block written and on the disk; false if anything falls short.
static bool writeAndFlush(HANDLE file, const char* data, DWORD size) {
    DWORD count = 0;
    bool written = WriteFile(file, data, size, &count, nullptr) && count == size;
    if (!FlushFileBuffers(file)) written = false;
    if (!CloseHandle(file)) written = false;
    return written;
}

void (*beforeAnswersReplaced)(const char* temporary) = nullptr;

// The answers go to a fresh file beside the old one, which is replaced only
// once the new one is complete and on the disk: a full disk, a locked file, a
// crash or a power cut never cost the player the answers saved before, and
// the file is never found half written. The temporary file has a fixed name,
// so a write cut short leaves at most that one file, which the next write
// replaces.
bool writeAnswers(PlayState* play) {
    Text name;
    resultsFileName(name);
    char temporary[TextSize + 8];
    wsprintfA(temporary, "%s.tmp", name);
    DWORD size = 0;
    char* data = formatAnswers(play, &size);
    bool saved = data != nullptr;
    if (saved) {
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        saved = file != INVALID_HANDLE_VALUE && writeAndFlush(file, data, size);
        if (saved && beforeAnswersReplaced) beforeAnswersReplaced(temporary);
        if (saved) saved = MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!saved) DeleteFileA(temporary);
    }
    free(data);
    if (saved) markAnswersSaved(play);
    return saved;
}

void tellAnswersNotSaved() { showMessage("Impossible d'enregistrer les réponses.", "Quizz"); }

void saveAnswers(PlayState* play) {
    if (!writeAnswers(play)) tellAnswersNotSaved();
}
