#pragma once
// Helpers of the media window tests: fixture resources, files of the
// working directory, and a watch for the platform's own dialog boxes.
#include <windows.h>

#include <string>

// The bytes of "IMG" resource number of this test program, "" if none.
inline std::string resourceBytes(int number) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), "IMG");
    if (!found) return "";
    HGLOBAL loaded = LoadResource(module, found);
    return std::string((const char*)LockResource(loaded), SizeofResource(module, found));
}

inline bool fileExists(const char* name) {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

// Presses OK on every dialog box of this process while it exists. Where the
// machine has no sound output the MCI window reports its failed open in a
// modal box of its own, which would otherwise hold the test forever.
struct PlatformDialogDismisser {
    HANDLE thread;
    volatile LONG stopping;
    volatile LONG dismissed;
    static BOOL CALLBACK pressOk(HWND window, LPARAM self) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0) {
            PostMessageA(window, WM_COMMAND, IDOK, 0);
            InterlockedIncrement(&((PlatformDialogDismisser*)self)->dismissed);
        }
        return TRUE;
    }
    static DWORD WINAPI watch(void* self) {
        PlatformDialogDismisser* me = (PlatformDialogDismisser*)self;
        while (!me->stopping) {
            EnumWindows(pressOk, (LPARAM)me);
            Sleep(50);
        }
        return 0;
    }
    PlatformDialogDismisser() : thread(nullptr), stopping(0), dismissed(0) {
        thread = CreateThread(nullptr, 0, watch, this, 0, nullptr);
    }
    ~PlatformDialogDismisser() {
        InterlockedExchange(&stopping, 1);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
};
