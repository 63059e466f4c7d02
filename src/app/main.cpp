// PLACEHOLDER: replaced by start-up.
#include "app/app.h"
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
