#pragma once
// Libraries from Windows' own folder only. A quiz is started from wherever
// it was downloaded, and a library of the same name as one of Windows' left
// in that folder must never run inside the program: the program's folder
// and the working directory are searched for no library.
#include <windows.h>

// Makes every later library load of the process, the system's own loads of
// the libraries a library needs included, search Windows' system folder
// alone. Called first thing at start by each
// program; false where Windows cannot restrict the search (then
// loadSystemLibrary still loads from the system folder by full path).
bool searchSystemFolderOnly();

// The library NAME (e.g. "atl.dll") from Windows' system folder, or null.
HMODULE loadSystemLibrary(const char* name);

// The functions the programs take from Windows' libraries that are not among
// its known libraries (comctl32, comdlg32, msvfw32): none is imported, each
// is looked up at its call in the library loaded from the system folder, so
// that no copy beside the program is loaded before searchSystemFolderOnly.
// Each fails as its library function does when the library or function is
// missing (false, or a null handle).
#include <commctrl.h>
#include <commdlg.h>

bool initCommonControls(DWORD classes);
bool chooseColour(CHOOSECOLORW* dialog);
bool chooseFileToOpen(OPENFILENAMEW* dialog);
bool chooseFileToSave(OPENFILENAMEW* dialog);
HWND createMciWindow(HWND parent, HINSTANCE instance, DWORD style, const char* file);
