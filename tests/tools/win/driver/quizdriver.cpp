// quizdriver: plays a built quiz from outside, as a player would, through the
// quiz's own windows.
//
//   quizdriver.exe DIR QUIZ.exe COMMAND...
//
// Starts QUIZ.exe with DIR as its working directory, waits for its frame
// window and the board with the first answer field, then runs the commands
// in order:
//   type ID TEXT      sets the text of control ID
//   enter ID          releases Enter in answer field ID (judges it)
//   expect ID TEXT    control ID reads TEXT
//   click ID CLASS    clicks button ID; the board then has a window of CLASS
//                     (MCIWndClass: the hidden window a sound plays in)
//   close             closes the frame window; the quiz must end with 0
// or, alone, checks a quiz that refuses to start:
//   refused CODE TEXT the quiz shows a message box reading TEXT and, once it
//                     is dismissed, ends with exit code CODE
// A control is looked up on the board first, then on the frame (the score
// display is 150, the code display 157). Arguments arrive as UTF-8 through
// the wide command line; texts travel to and from the quiz in Windows-1252,
// the quiz's own code page. Every failure prints one line; the exit code is
// the number of failures (1 at least when the quiz could not be driven at
// all). A quiz still running at the end is ended, so no test leaves it behind.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

const int FirstAnswerFieldId = 4001;
const DWORD ExitTimeoutMs = 30000;

std::string encode(const wchar_t* text, UINT codePage) {
    int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(codePage, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

// Messages print in UTF-8 so the shell shows accented texts as written.
std::string utf8(const std::string& windows1252) {
    std::wstring wide(windows1252.size() + 1, L'\0');
    MultiByteToWideChar(1252, 0, windows1252.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    return encode(wide.c_str(), CP_UTF8);
}

// Sends a message that a hung quiz cannot block for ever; false on time-out.
bool send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

bool readText(HWND control, std::string* text) {
    char buffer[1024] = "";
    if (!send(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer))) return false;
    *text = buffer;
    return true;
}

// The first top-level window of the process with this class, or null.
HWND topLevelWindow(DWORD processId, const char* className) {
    HWND window = nullptr;
    DWORD owner = 0;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)))
        if (GetWindowThreadProcessId(window, &owner) && owner == processId) return window;
    return nullptr;
}

struct ChildSearch {
    const char* className;
    bool found;
};

BOOL CALLBACK onChild(HWND child, LPARAM parameter) {
    ChildSearch* search = reinterpret_cast<ChildSearch*>(parameter);
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    search->found = lstrcmpiA(name, search->className) == 0;
    return !search->found;
}

// Whether window has a child of the class className, at any depth.
bool hasChild(HWND window, const char* className) {
    ChildSearch search = {className, false};
    EnumChildWindows(window, onChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Quiz {
    PROCESS_INFORMATION process = {};
    HWND frame = nullptr, board = nullptr;
};

// The board builds its fields one by one while the quiz starts, so the first
// field alone does not make a quiz ready: start-up shows both windows after
// the board is built, and a message answered by the frame means the message
// loop runs. A message box before that means the quiz refused its content;
// it would wait for a click that never comes.
bool launchQuiz(const wchar_t* directory, const wchar_t* program, Quiz* quiz) {
    wchar_t fullProgram[MAX_PATH], fullDirectory[MAX_PATH];
    GetFullPathNameW(program, MAX_PATH, fullProgram, nullptr);
    GetFullPathNameW(directory, MAX_PATH, fullDirectory, nullptr);
    std::wstring commandLine = L"\"" + std::wstring(fullProgram) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessW(fullProgram, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, fullDirectory, &startup,
                       &quiz->process))
        return true;
    printf("FAIL: the quiz could not be started (error %lu)\n", GetLastError());
    return false;
}

bool startQuiz(const wchar_t* directory, const wchar_t* program, Quiz* quiz) {
    if (!launchQuiz(directory, program, quiz)) return false;
    for (DWORD started = GetTickCount(); GetTickCount() - started < 60000; Sleep(100)) {
        DWORD code = 0;
        if (WaitForSingleObject(quiz->process.hProcess, 0) == WAIT_OBJECT_0) {
            GetExitCodeProcess(quiz->process.hProcess, &code);
            printf("FAIL: the quiz ended with %lu before showing its board\n", code);
            return false;
        }
        quiz->frame = topLevelWindow(quiz->process.dwProcessId, "WindowsApp");
        quiz->board = nullptr;
        for (HWND child = quiz->frame ? GetWindow(quiz->frame, GW_CHILD) : nullptr; child && !quiz->board;
             child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgItem(child, FirstAnswerFieldId)) quiz->board = child;
        if (quiz->board && IsWindowVisible(quiz->frame) && IsWindowVisible(quiz->board) && send(quiz->frame, WM_NULL, 0, 0))
            return true;
        if (HWND box = topLevelWindow(quiz->process.dwProcessId, "#32770")) {
            std::string text = "(unreadable)";
            readText(GetDlgItem(box, 0xFFFF), &text);
            printf("FAIL: the quiz shows a message box instead of its window: %s\n", utf8(text).c_str());
            return false;
        }
    }
    printf("FAIL: no quiz window with answer field %d within 60 s\n", FirstAnswerFieldId);
    return false;
}

// Clicks a button and waits for a window of className among the board's
// children. Where the machine has no sound output the MCI window reports
// its failed open in a modal box of its own: such a box is dismissed.
bool clickFor(const Quiz& quiz, HWND button, const char* className) {
    if (!PostMessageA(button, BM_CLICK, 0, 0)) return false;
    for (DWORD started = GetTickCount(); GetTickCount() - started < 10000; Sleep(100)) {
        HWND box = topLevelWindow(quiz.process.dwProcessId, "#32770");
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
        else if (hasChild(quiz.board, className)) return true;
    }
    return false;
}

bool closeQuiz(const Quiz& quiz) {
    DWORD code = 0;
    if (!PostMessageW(quiz.frame, WM_CLOSE, 0, 0))
        printf("FAIL: the close request could not be posted\n");
    else if (WaitForSingleObject(quiz.process.hProcess, ExitTimeoutMs) != WAIT_OBJECT_0)
        printf("FAIL: the quiz did not end within %lu s of being closed\n", ExitTimeoutMs / 1000);
    else if (!GetExitCodeProcess(quiz.process.hProcess, &code) || code != 0)
        printf("FAIL: the quiz ended with exit code %lu after a close, expected 0\n", code);
    else
        return true;
    return false;
}

// A quiz that refuses to start: its message box must read text, and the
// quiz must end with code once the box is dismissed. Returns the failures.
int expectRefusal(const wchar_t* directory, const wchar_t* program, DWORD code, const std::string& text,
                  Quiz* quiz) {
    if (!launchQuiz(directory, program, quiz)) return 1;
    HWND box = nullptr;
    for (DWORD started = GetTickCount(); !box && GetTickCount() - started < 60000; Sleep(100)) {
        if (WaitForSingleObject(quiz->process.hProcess, 0) == WAIT_OBJECT_0) break;
        box = topLevelWindow(quiz->process.dwProcessId, "#32770");
    }
    DWORD ended = 0;
    if (!box) {
        GetExitCodeProcess(quiz->process.hProcess, &ended);
        printf("FAIL: the quiz showed no message (it %s with %lu)\n",
               ended == STILL_ACTIVE ? "still runs" : "ended", ended);
        return 1;
    }
    int failures = 0;
    std::string shown = "(unreadable)";
    readText(GetDlgItem(box, 0xFFFF), &shown);
    if (shown != text) {
        printf("FAIL: the message reads \"%s\", expected \"%s\"\n", utf8(shown).c_str(), utf8(text).c_str());
        ++failures;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (WaitForSingleObject(quiz->process.hProcess, ExitTimeoutMs) != WAIT_OBJECT_0) {
        printf("FAIL: the quiz did not end within %lu s of its message\n", ExitTimeoutMs / 1000);
        return failures + 1;
    }
    GetExitCodeProcess(quiz->process.hProcess, &ended);
    if (ended != code) {
        printf("FAIL: the quiz ended with exit code %lu, expected %lu\n", ended, code);
        ++failures;
    }
    return failures;
}

// The operands a command takes (the control first), or -1 for no command.
int operandsOf(const wchar_t* verb) {
    const struct { const wchar_t* name; int operands; } verbs[] = {
        {L"type", 2}, {L"enter", 1}, {L"expect", 2}, {L"click", 2}, {L"close", 0}, {L"refused", 2}};
    for (const auto& known : verbs)
        if (wcscmp(known.name, verb) == 0) return known.operands;
    return -1;
}

// Checks the whole command list before the quiz starts, so a mistyped list
// fails at once instead of after a run.
bool checkCommands(int count, wchar_t** arguments) {
    if (count > 3 && wcscmp(arguments[3], L"refused") == 0 && count != 6) {
        printf("FAIL: \"refused\" stands alone with its code and text\n");
        return false;
    }
    for (int i = 3, operands; i < count; i += 1 + operands) {
        operands = operandsOf(arguments[i]);
        if (operands < 0 || i + operands >= count || (operands > 0 && _wtoi(arguments[i + 1]) <= 0)) {
            printf("FAIL: \"%s\" is no command with its operands\n", encode(arguments[i], CP_UTF8).c_str());
            return false;
        }
    }
    return true;
}

// Runs every command, going on after a failed expectation; returns the
// number of failures.
int runCommands(const Quiz& quiz, int count, wchar_t** arguments) {
    // Key-up flags as the keyboard gives them: repeat 1, previous state down, released.
    const LPARAM keyUp = 0xC0000001 | (static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16);
    int failures = 0;
    for (int i = 3; i < count; i += 1 + operandsOf(arguments[i])) {
        const std::wstring verb = arguments[i];
        if (verb == L"close") {
            if (!closeQuiz(quiz)) return failures + 1;  // nothing can be driven once the quiz is gone
            continue;
        }
        const int id = _wtoi(arguments[i + 1]);
        HWND control = GetDlgItem(quiz.board, id);
        if (!control) control = GetDlgItem(quiz.frame, id);
        const std::string text = verb == L"enter" ? "" : encode(arguments[i + 2], 1252);
        std::string actual;
        bool ok = control != nullptr;
        if (!ok)
            printf("FAIL: the quiz has no control %d\n", id);
        else if (verb == L"type" && !(ok = send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))))
            printf("FAIL: control %d did not take its text\n", id);
        else if (verb == L"enter" && !(ok = send(control, WM_KEYUP, VK_RETURN, keyUp)))
            printf("FAIL: answer field %d did not answer the Enter key\n", id);
        else if (verb == L"expect" && !(ok = readText(control, &actual) && actual == text))
            printf("FAIL: control %d reads \"%s\", expected \"%s\"\n", id, utf8(actual).c_str(), utf8(text).c_str());
        else if (verb == L"click" && !(ok = clickFor(quiz, control, text.c_str())))
            printf("FAIL: a click on %d gave the board no window of class %s\n", id, text.c_str());
        failures += !ok;
    }
    return failures;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3 || !checkCommands(count, arguments)) {
        printf("usage: quizdriver DIR QUIZ.exe [type ID TEXT | enter ID | expect ID TEXT | click ID CLASS | close]...\n"
               "       quizdriver DIR QUIZ.exe refused CODE TEXT\n");
        return 2;
    }
    Quiz quiz;
    int failures = 0;
    if (count > 3 && wcscmp(arguments[3], L"refused") == 0)
        failures = expectRefusal(arguments[1], arguments[2], _wtoi(arguments[4]), encode(arguments[5], 1252), &quiz);
    else
        failures = startQuiz(arguments[1], arguments[2], &quiz) ? runCommands(quiz, count, arguments) : 1;
    if (quiz.process.hProcess) {
        if (WaitForSingleObject(quiz.process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(quiz.process.hProcess, 3);
            WaitForSingleObject(quiz.process.hProcess, ExitTimeoutMs);
        }
        CloseHandle(quiz.process.hThread);
        CloseHandle(quiz.process.hProcess);
    }
    LocalFree(arguments);
    fflush(stdout);
    return failures > 125 ? 125 : failures;
}
