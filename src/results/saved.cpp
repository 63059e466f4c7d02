#include "results/saved.h"

#include "app/app.h"
#include "board/board.h"
#include "content/message.h"
#include "results/results.h"

void resultsFileName(char (&name)[TextSize]) {
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    resultsNameFromPath(path, name, sizeof name);
}

namespace {

// Writes one line per answer field; false if any write falls short.
bool writeAnswers(HANDLE file, HWND board, int fieldCount) {
    bool written = true;
    for (int k = 1; k <= fieldCount; ++k) {
        char text[TextSize] = "";
        HWND field = boardItem(board, AnswerFieldBase + k);
        if (field) GetWindowTextA(field, text, sizeof text);
        char line[TextSize + 2];
        size_t used = 0;
        appendAnswerLine(text, line, sizeof line, &used);
        DWORD count = 0;
        if (!WriteFile(file, line, static_cast<DWORD>(used), &count, nullptr) || count != used) written = false;
    }
    return written;
}

}  // namespace

// The answers go to a fresh file beside the old one, which is replaced only
// once the new one is complete: a full disk or a locked file never costs the
// player the answers saved before.
void saveAnswers(HWND board) {
    Text name;
    resultsFileName(name);
    int fieldCount = appQuiz ? appQuiz->questionCount * appQuiz->questionFormat : 0;
    if (fieldCount < 0) fieldCount = 0;

    char temporary[MAX_PATH] = "";
    bool saved = GetTempFileNameA(".", "qzr", 0, temporary) != 0;
    if (saved) {
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        saved = file != INVALID_HANDLE_VALUE;
        if (saved) {
            saved = writeAnswers(file, board, fieldCount);
            if (!CloseHandle(file)) saved = false;
        }
        if (saved) saved = MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!saved) DeleteFileA(temporary);
    }
    if (!saved) showMessage("Impossible d'enregistrer les réponses.", "Quizz");
}
