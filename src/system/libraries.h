#pragma once
// Libraries from Windows' own folder only. A quiz is started from wherever
// it was downloaded, and a library of the same name as one of Windows' left
// in that folder must never run inside the program: the program's folder
// and the working directory are searched for no library.
#include <windows.h>

// Makes every later library load of the process, the system's own loads of
// the libraries a library needs and the delay-loaded imports included,
// search Windows' system folder alone. Called first thing at start by each
// program; false where Windows cannot restrict the search (then
// loadSystemLibrary still loads from the system folder by full path).
bool searchSystemFolderOnly();

// The library NAME (e.g. "atl.dll") from Windows' system folder, or null.
HMODULE loadSystemLibrary(const char* name);
