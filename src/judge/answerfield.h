#pragma once
#include <windows.h>

// The procedure every answer field had before the board replaced it.
extern WNDPROC editProcedure;

// Keyboard behaviour of the answer fields (installed by the board).
LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
// Copies field's text into every field that is not yet right.
void tryAnswerEverywhere(HWND field);
