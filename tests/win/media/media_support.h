#pragma once
// Helpers of the media window tests: fixture resources, files of the
// working directory, a scratch working directory and recorded messages.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "content/message.h"

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

// The whole contents of a file, "" when it cannot be read.
inline std::string fileBytes(const char* name) {
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], (DWORD)bytes.size(), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

inline void writeFile(const char* name, const std::string& bytes) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

// Every showMessage while it exists, as (text, caption).
struct RecordedMessages {
    static std::vector<std::pair<std::string, std::string>>& list() {
        static std::vector<std::pair<std::string, std::string>> messages;
        return messages;
    }
    static void record(const char* text, const char* caption) { list().emplace_back(text, caption); }
    MessageSink previous;
    RecordedMessages() : previous(setMessageSink(record)) { list().clear(); }
    ~RecordedMessages() { setMessageSink(previous); }
    const std::vector<std::pair<std::string, std::string>>& messages() const { return list(); }
};

// A fresh folder made the working directory while it exists, so the files
// the media code writes land apart from the test program.
struct WorkingFolder {
    char path[MAX_PATH];
    char previous[MAX_PATH];
    WorkingFolder() {
        GetCurrentDirectoryA(MAX_PATH, previous);
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        static int serial = 0;
        snprintf(path, sizeof path, "%smediatest-%lu-%d", base, GetCurrentProcessId(), ++serial);
        CreateDirectoryA(path, nullptr);
        SetCurrentDirectoryA(path);
    }
    ~WorkingFolder() {
        SetCurrentDirectoryA(previous);
        char pattern[MAX_PATH + 4];
        snprintf(pattern, sizeof pattern, "%s\\*", path);
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA(pattern, &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (entry.cFileName[0] == '.') continue;
                char full[2 * MAX_PATH];
                snprintf(full, sizeof full, "%s\\%s", path, entry.cFileName);
                SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileA(full)) RemoveDirectoryA(full);
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(path);
    }
};

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
