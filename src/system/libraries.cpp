#include "system/libraries.h"

#include <stdio.h>

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD);

// A function of a library from the system folder, or null. The library
// stays loaded for the rest of the process, as an import would.
template <typename Function>
Function systemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) {
        // The common controls load the theme library at their first themed
        // window, and some systems (Wine) look for it by the default search
        // order whatever the process asked for: it is loaded before them.
        if (lstrcmpiA(library, "comctl32.dll") == 0) loadSystemLibrary("uxtheme.dll");
        module = loadSystemLibrary(library);
    }
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

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

bool initCommonControls(DWORD classes) {
    auto init = systemFunction<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    return init && init(&controls);
}

bool chooseColour(CHOOSECOLORW* dialog) {
    auto choose = systemFunction<BOOL(WINAPI*)(CHOOSECOLORW*)>("comdlg32.dll", "ChooseColorW");
    return choose && choose(dialog);
}

bool chooseFileToOpen(OPENFILENAMEW* dialog) {
    auto choose = systemFunction<BOOL(WINAPI*)(OPENFILENAMEW*)>("comdlg32.dll", "GetOpenFileNameW");
    return choose && choose(dialog);
}

bool chooseFileToSave(OPENFILENAMEW* dialog) {
    auto choose = systemFunction<BOOL(WINAPI*)(OPENFILENAMEW*)>("comdlg32.dll", "GetSaveFileNameW");
    return choose && choose(dialog);
}

HWND createMciWindow(HWND parent, HINSTANCE instance, DWORD style, const char* file) {
    auto create = systemFunction<HWND(WINAPIV*)(HWND, HINSTANCE, DWORD, LPCSTR)>("msvfw32.dll", "MCIWndCreateA");
    return create ? create(parent, instance, style, file) : nullptr;
}
