#pragma once
// Helpers of the media window tests: fixture resources, files of the
// working directory, and a watch for the platform's own dialog boxes.
#include <windows.h>
#include <commctrl.h>

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

// Closes the file a window holds when the window is destroyed.
inline LRESULT CALLBACK closeHeldFileOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR handle) {
    if (message == WM_DESTROY) CloseHandle(reinterpret_cast<HANDLE>(handle));
    return DefSubclassProc(window, message, wParam, lParam);
}

// Holds file open, as a player holds the file it plays, until window (the
// player's, or the one hosting it) is destroyed: till then the file cannot
// be deleted.
inline void holdUntilDestroyed(const char* file, HWND window) {
    HANDLE held = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << file;
    ASSERT_TRUE(SetWindowSubclass(window, closeHeldFileOnDestroy, 1, reinterpret_cast<DWORD_PTR>(held)));
}

// Makes a folder no file can be created in the working directory while it
// exists: the kernel's sysfs, as Wine shows it on drive Z.
struct UnwritableWorkingDirectory {
    char previous[MAX_PATH] = "";
    UnwritableWorkingDirectory() {
        GetCurrentDirectoryA(MAX_PATH, previous);
        SetCurrentDirectoryA("Z:\\sys");
    }
    ~UnwritableWorkingDirectory() { SetCurrentDirectoryA(previous); }
    // False when the folder could be written after all.
    bool unwritable() const {
        HANDLE file = CreateFileA("probe.tmp", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return true;
        CloseHandle(file);
        DeleteFileA("probe.tmp");
        return false;
    }
};

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
