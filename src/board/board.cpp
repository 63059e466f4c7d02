// PLACEHOLDER: replaced by the board dialog.
#include "board/board.h"
INT_PTR CALLBACK boardDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
void updateScrollBars(HWND) {}
