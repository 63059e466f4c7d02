#include "system/libraries.h"

#include <delayimp.h>
#include <stdio.h>

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD);

// Every delay-loaded import is loaded by loadSystemLibrary rather than by a
// plain LoadLibrary (which is what the delay-load helper does on its own).
FARPROC WINAPI onDelayLoad(unsigned reason, PDelayLoadInfo info) {
    if (reason != dliNotePreLoadLibrary) return nullptr;
    // The common controls load the theme library at their first themed
    // window, and some systems (Wine) look for it by the default search
    // order whatever the process asked for: it is loaded before them.
    if (lstrcmpiA(info->szDll, "comctl32.dll") == 0) loadSystemLibrary("uxtheme.dll");
    return reinterpret_cast<FARPROC>(loadSystemLibrary(info->szDll));
}

}  // namespace

// The delay-load helper asks this hook before loading a library.
PfnDliHook __pfnDliNotifyHook2 = onDelayLoad;

bool searchSystemFolderOnly() {
    // Present since Windows 8, and in Windows 7 with its update KB2533623:
    // looked up so that the program still starts without it.
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE loadSystemLibrary(const char* name) {
    HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
    // A Windows that does not know the flag: the library by its full path.
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    if (folder == 0 || folder >= MAX_PATH) return nullptr;
    if (snprintf(path + folder, MAX_PATH - folder, "\\%s", name) >= static_cast<int>(MAX_PATH - folder)) return nullptr;
    return LoadLibraryA(path);
}
