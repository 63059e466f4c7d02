/* Times quiz start-up from outside: starts each quiz program given on the
 * command line, polls every 5 ms until its board holds the last verdict
 * label (the board builds it last of every cell), prints the elapsed
 * milliseconds, closes the quiz and waits for it to end.
 *
 *   startprobe RUNS LABEL_ID QUIZ.exe [LABEL_ID QUIZ.exe ...]
 *
 * The quizzes run in the probe's working directory. Prints, per quiz, one
 * line "<quiz> <median> <min> <max> <frame seen> <first cell seen>" in ms,
 * the last two medians too. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

struct Search {
    DWORD process;
    int labelId;
    HWND frame;
    HWND label;
    HWND firstLabel;
};

/* Looks for the labels among the children of the frame's direct children
 * (the board is one of them) with GetDlgItem: a few calls a poll, so the
 * probe takes little from the quiz it times. */
static void findLabels(struct Search* search) {
    for (HWND child = GetWindow(search->frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HWND first = GetDlgItem(child, 5001);
        if (!first) continue;
        search->firstLabel = first;
        search->label = GetDlgItem(child, search->labelId);
        return;
    }
}

static BOOL CALLBACK findFrame(HWND window, LPARAM data) {
    struct Search* search = (struct Search*)data;
    DWORD process = 0;
    char name[32] = "";
    GetWindowThreadProcessId(window, &process);
    if (process != search->process) return TRUE;
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "WindowsApp") != 0) return TRUE;
    search->frame = window;
    return FALSE;
}

static int compare(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

/* Milliseconds until quiz's board is built, or -1; also until its frame
 * window and its first cell were first seen. */
static double timeOneStart(const char* quiz, int labelId, double* frameSeen, double* firstCellSeen) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    char command[MAX_PATH + 2];
    _snprintf(command, sizeof command, "\"%s\"", quiz);
    command[sizeof command - 1] = 0;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(quiz, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) return -1;
    struct Search search = {info.dwProcessId, labelId, NULL, NULL, NULL};
    double elapsed = -1;
    *frameSeen = *firstCellSeen = -1;
    for (;;) {
        if (!search.frame) EnumWindows(findFrame, (LPARAM)&search);
        if (search.frame) findLabels(&search);
        QueryPerformanceCounter(&now);
        double ms = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
        if (search.frame && *frameSeen < 0) *frameSeen = ms;
        if (search.firstLabel && *firstCellSeen < 0) *firstCellSeen = ms;
        if (search.label) {
            elapsed = ms;
            break;
        }
        if (ms > 60000 || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(5);
    }
    if (search.frame) PostMessageA(search.frame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2) {
        fprintf(stderr, "usage: startprobe RUNS LABEL_ID QUIZ.exe [LABEL_ID QUIZ.exe ...]\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    if (runs < 1 || runs > 50) runs = 5;
    for (int q = 2; q + 1 < argc; q += 2) {
        int labelId = atoi(argv[q]);
        const char* quiz = argv[q + 1];
        double times[50], frames[50], cells[50], frameSeen, firstCellSeen;
        timeOneStart(quiz, labelId, &frameSeen, &firstCellSeen); /* warms the caches */
        for (int r = 0; r < runs; ++r) {
            times[r] = timeOneStart(quiz, labelId, &frames[r], &cells[r]);
            if (times[r] < 0) {
                printf("%s failed\n", quiz);
                return 1;
            }
        }
        qsort(times, runs, sizeof times[0], compare);
        qsort(frames, runs, sizeof frames[0], compare);
        qsort(cells, runs, sizeof cells[0], compare);
        printf("%s %.1f %.1f %.1f %.1f %.1f\n", quiz, times[runs / 2], times[0], times[runs - 1],
               frames[runs / 2], cells[runs / 2]);
        fflush(stdout);
    }
    return 0;
}
