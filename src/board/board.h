#pragma once
#include <windows.h>

enum { BoardTemplate = 1001 };

// The board's dialog procedure (template BoardTemplate, child of the frame).
INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam);
// Sets both scroll bars from the client area and the content size.
void updateScrollBars(HWND board);
