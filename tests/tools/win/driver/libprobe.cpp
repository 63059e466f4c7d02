// libprobe: the two ends of the library-search test.
//
//   libprobe.exe load NAME...   loads each library NAME the unprotected way
//                               (LoadLibraryA, the default search order: the
//                               program's folder first), as the test's control
//   libprobe.exe open CLASS PROGRAM.exe [ARGUMENT]
//                               starts PROGRAM.exe in its own folder, waits
//                               for its window of class CLASS, closes it and
//                               waits for the program to end with code 0
//
// Prints one line per failure; the exit code is the number of failures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const DWORD WaitMs = 60000;

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK onTopLevelWindow(HWND window, LPARAM parameter) {
    Search* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (GetWindowThreadProcessId(window, &owner) && owner == search->processId && IsWindowVisible(window) &&
        lstrcmpiA(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int loadAll(int count, char** names) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (LoadLibraryA(names[i])) continue;
        printf("FAIL: %s could not be loaded (error %lu)\n", names[i], GetLastError());
        ++failures;
    }
    return failures;
}

int openAndClose(const char* className, const char* program, const char* argument) {
    char fullProgram[MAX_PATH], folder[MAX_PATH];
    char* name = nullptr;
    GetFullPathNameA(program, MAX_PATH, fullProgram, &name);
    lstrcpynA(folder, fullProgram, name ? static_cast<int>(name - fullProgram) : MAX_PATH);
    std::string commandLine = std::string("\"") + fullProgram + "\"";
    if (argument) commandLine += std::string(" \"") + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(fullProgram, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &process)) {
        printf("FAIL: %s could not be started (error %lu)\n", program, GetLastError());
        return 1;
    }
    Search search = {process.dwProcessId, className, nullptr};
    for (DWORD started = GetTickCount(); !search.found && GetTickCount() - started < WaitMs; Sleep(100)) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        EnumWindows(onTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    }
    int failures = 0;
    DWORD code = 0;
    if (!search.found) {
        printf("FAIL: %s showed no window of class %s\n", program, className);
        ++failures;
    } else {
        PostMessageA(search.found, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, WaitMs) != WAIT_OBJECT_0) {
            printf("FAIL: %s did not end once closed\n", program);
            ++failures;
        } else if (GetExitCodeProcess(process.hProcess, &code) && code != 0) {
            printf("FAIL: %s ended with exit code %lu once closed\n", program, code);
            ++failures;
        }
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 3);
        WaitForSingleObject(process.hProcess, WaitMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    int failures = 0;
    if (argc >= 3 && strcmp(argv[1], "load") == 0)
        failures = loadAll(argc - 2, argv + 2);
    else if ((argc == 4 || argc == 5) && strcmp(argv[1], "open") == 0)
        failures = openAndClose(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    else {
        printf("usage: libprobe load NAME...\n       libprobe open CLASS PROGRAM.exe [ARGUMENT]\n");
        return 2;
    }
    fflush(stdout);
    return failures > 125 ? 125 : failures;
}
