#pragma once
#include <windows.h>
#include "content/quiz.h"

enum {
    BoardTemplate = 1001,
    NumberLabelId = 153,
    RowCaptionId = 156,
    QuestionLabelId = 3000,
    AnswerFieldBase = 4000,
    VerdictLabelBase = 5000,
    PlayButtonBase = 6000,
    StopButtonBase = 7000,
    RevealBoxBase = 8000,
    PictureBoxBase = 9000,
    VideoBoxBase = 9900,
    VerticalLineStep = 30,
};

// The board's dialog procedure (template BoardTemplate, child of the frame).
INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam);
// The board's child with this ID, as GetDlgItem finds it, but without a walk
// over every child for the controls of the cells.
HWND boardItem(HWND board, int id);
// Sets both scroll bars from the client area and the content size.
void updateScrollBars(HWND board);
// The questions the board builds cells for: at most 90.
int boardQuestionCount(const Quiz* quiz);
// In a picture quiz, begins decoding the question pictures, which the board
// takes in order as it builds its cells; nothing in any other style.
void startQuestionPicturePrefetch(const Quiz* quiz);
