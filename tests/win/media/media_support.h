#pragma once
// Helpers of the media window tests: fixture resources, files of the
// working directory, and a watch for the platform's own dialog boxes.
#include <windows.h>

#include <string>

#include "media/picture.h"
#include "win/support/harness.h"

// The bytes of "IMG" resource number of this test program, "" if none.
inline std::string resourceBytes(int number) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), "IMG");
    if (!found) return "";
    HGLOBAL loaded = LoadResource(module, found);
    return std::string((const char*)LockResource(loaded), SizeofResource(module, found));
}

// "IMG" resource number of this program, loaded and fitted into a box x box square.
inline HBITMAP loadFixture(int number, int box = 260) {
    return loadPicture(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(number), "IMG", box, box);
}

// A bitmap's size as "WxH", "none" for no bitmap.
inline std::string sizeOf(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return "none";
    return std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight);
}

// A board of the media tests, in a scratch folder with its messages recorded.
class MediaBoard : public PlayerTest {
protected:
    ScratchDirectory folder;
    MessageCapture capture;
    void click(int id) { SendMessageA(windows.board, WM_COMMAND, id, reinterpret_cast<LPARAM>(item(id))); }
};

inline bool fileExists(const char* name) {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

// Presses OK on every dialog box of this process while it exists. Where the
// machine has no sound output the MCI window reports its failed open in a
// modal box of its own, which would otherwise hold the test forever.
struct PlatformDialogDismisser {
    volatile LONG stopping = 0;
    HANDLE thread = CreateThread(nullptr, 0, watch, this, 0, nullptr);
    static BOOL CALLBACK pressOk(HWND window, LPARAM) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0)
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static DWORD WINAPI watch(void* self) {
        for (; !static_cast<PlatformDialogDismisser*>(self)->stopping; Sleep(50)) EnumWindows(pressOk, 0);
        return 0;
    }
    ~PlatformDialogDismisser() {
        InterlockedExchange(&stopping, 1);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
};
