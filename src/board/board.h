#pragma once
#include <windows.h>

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
// Sets both scroll bars from the client area and the content size.
void updateScrollBars(HWND board);
