#pragma once
// Process-wide values, set by start-up and read everywhere else.
#include <windows.h>
#include <unknwn.h>
#include "content/quiz.h"

typedef HRESULT(WINAPI* AtlAxAttachControlProc)(IUnknown* control, HWND window, IUnknown** container);

extern HINSTANCE appInstance;
extern Quiz* appQuiz;
extern HWND appBoard;
extern AtlAxAttachControlProc atlAxAttachControl;  // null outside style 3
extern int contentWidth;
extern int contentHeight;

// The message sink of the player: a message box with no owner and OK.
void showMessageBox(const char* text, const char* caption);
