// PLACEHOLDER: replaced by the answer-field keys.
#include "judge/answerfield.h"
WNDPROC editProcedure = nullptr;
LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(editProcedure, field, message, wParam, lParam);
}
void tryAnswerEverywhere(HWND) {}
