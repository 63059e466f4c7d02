/* Times quiz start-up from outside: starts each quiz program given on the
 * command line, polls every 5 ms until the last control of its board is the
 * last verdict label (the board builds it last of every cell), prints the
 * elapsed milliseconds, closes the quiz and waits for it to end.
 *
 *   startprobe RUNS LABEL_ID QUIZ.exe [LABEL_ID QUIZ.exe ...]
 *
 * The quizzes take turns, one start each a round, and run in the probe's
 * working directory. Prints a line "run <round> <quiz> <ms>" for each start,
 * then, per quiz, one line
 * "<quiz> <median> <min> <max> <frame seen> <first cell seen>" in ms, the
 * last two medians too. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

struct Search {
    DWORD process;
    int labelId;
    HWND frame;
    HWND board;
    HWND label;
    HWND firstLabel;
};

/* Finds the board, the frame's child that holds the first cell's verdict
 * label, then watches only the board's last child, where each new control
 * goes, for the last label. Asking the board for a label by ID would walk
 * its children with one request to the window server for each child of
 * another process: a load on the server that grows with the board and slows
 * the quiz being timed, the more so the larger its board. */
static void findLabels(struct Search* search) {
    if (!search->board) {
        for (HWND child = GetWindow(search->frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            HWND first = GetDlgItem(child, 5001);
            if (!first) continue;
            search->board = child;
            search->firstLabel = first;
            break;
        }
        if (!search->board) return;
    }
    HWND firstChild = GetWindow(search->board, GW_CHILD);
    HWND last = firstChild ? GetWindow(firstChild, GW_HWNDLAST) : NULL;
    if (last && GetDlgCtrlID(last) == search->labelId) search->label = last;
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
    struct Search search = {info.dwProcessId, labelId, NULL, NULL, NULL, NULL};
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

#define MaxQuizzes 16
#define MaxRuns 50

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2 || (argc - 2) / 2 > MaxQuizzes) {
        fprintf(stderr, "usage: startprobe RUNS LABEL_ID QUIZ.exe [LABEL_ID QUIZ.exe ...] (at most %d quizzes)\n",
                MaxQuizzes);
        return 2;
    }
    int runs = atoi(argv[1]);
    if (runs < 1 || runs > MaxRuns) runs = 5;
    int quizzes = (argc - 2) / 2;
    static double times[MaxQuizzes][MaxRuns], frames[MaxQuizzes][MaxRuns], cells[MaxQuizzes][MaxRuns];
    double frameSeen, firstCellSeen;
    for (int q = 0; q < quizzes; ++q) /* warms the caches */
        timeOneStart(argv[3 + 2 * q], atoi(argv[2 + 2 * q]), &frameSeen, &firstCellSeen);
    /* Round by round, every quiz once a round: a machine that gets busier
     * or quieter during the measurement weighs on every quiz alike. Every
     * other round goes backwards, so no quiz always follows the same one. */
    for (int r = 0; r < runs; ++r) {
        for (int n = 0; n < quizzes; ++n) {
            int q = r % 2 ? quizzes - 1 - n : n;
            times[q][r] = timeOneStart(argv[3 + 2 * q], atoi(argv[2 + 2 * q]), &frames[q][r], &cells[q][r]);
            if (times[q][r] < 0) {
                printf("%s failed\n", argv[3 + 2 * q]);
                return 1;
            }
            printf("run %d %s %.1f\n", r, argv[3 + 2 * q], times[q][r]);
        }
    }
    for (int q = 0; q < quizzes; ++q) {
        qsort(times[q], runs, sizeof times[q][0], compare);
        qsort(frames[q], runs, sizeof frames[q][0], compare);
        qsort(cells[q], runs, sizeof cells[q][0], compare);
        printf("%s %.1f %.1f %.1f %.1f %.1f\n", argv[3 + 2 * q], times[q][runs / 2], times[q][0], times[q][runs - 1],
               frames[q][runs / 2], cells[q][runs / 2]);
    }
    fflush(stdout);
    return 0;
}
