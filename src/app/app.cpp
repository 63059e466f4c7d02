#include "app/app.h"

HINSTANCE appInstance = nullptr;
Quiz* appQuiz = nullptr;
HWND appBoard = nullptr;
AtlAxAttachControlProc atlAxAttachControl = nullptr;
int contentWidth = 0;
int contentHeight = 0;

void showMessageBox(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_OK);
}
