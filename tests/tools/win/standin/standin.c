/* A stand-in for one of Windows' libraries, as a file of that name left in
   a downloads folder would be. Once loaded, it leaves a mark beside itself,
   NAME.mark for NAME.dll, holding the path of the program that loaded it. */
#include <windows.h>
#include <string.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char mark[MAX_PATH + 8], program[MAX_PATH];
    DWORD length = GetModuleFileNameA(self, mark, MAX_PATH);
    char* dot = strrchr(mark, '.');
    if (length == 0 || length >= MAX_PATH || !dot) return TRUE;
    strcpy(dot, ".mark");
    DWORD programLength = GetModuleFileNameA(NULL, program, MAX_PATH);
    HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return TRUE;
    DWORD written = 0;
    WriteFile(file, program, programLength < MAX_PATH ? programLength : 0, &written, NULL);
    CloseHandle(file);
    return TRUE;
}
