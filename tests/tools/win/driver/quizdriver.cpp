// quizdriver: plays a built quiz from outside, as a player would, through the
// quiz's own windows.
//
//   quizdriver.exe DIR QUIZ.exe COMMAND...
//
// Starts QUIZ.exe with DIR as its working directory, waits for its frame
// window and the board with the first answer field, then runs the commands
// in order:
//   type ID TEXT          sets the text of board control ID
//   enter ID              releases Enter in answer field ID (judges it)
//   expect ID TEXT        board control ID reads TEXT
//   expect-score TEXT     the header's score display reads TEXT
//   expect-code TEXT      the header's code display reads TEXT
//   close                 closes the frame window; the quiz must end with 0
// Arguments arrive as UTF-8 through the wide command line; texts travel to and
// from the quiz in Windows-1252, the quiz's own code page. Every failed
// expectation prints one line; the exit code is the number of failures (1 at
// least when the quiz could not be driven at all). A quiz still running at
// the end is ended, so no test leaves it behind.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int FirstAnswerFieldId = 4001;
const int ScoreDisplayId = 150;
const int CodeDisplayId = 157;
const DWORD StartTimeoutMs = 60000;
const DWORD ExitTimeoutMs = 30000;
const UINT MessageTimeoutMs = 10000;

struct Quiz {
    PROCESS_INFORMATION process;
    HWND frame;
    HWND board;
};

std::string toCodePage(const wchar_t* text, UINT codePage) {
    int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size - 1));
    return bytes;
}

// Messages print in UTF-8 so the shell shows accented verdicts as written.
std::string windows1252ToUtf8(const std::string& bytes) {
    int size = MultiByteToWideChar(1252, 0, bytes.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::string();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(1252, 0, bytes.c_str(), -1, &wide[0], size);
    return toCodePage(wide.c_str(), CP_UTF8);
}

// The first top-level window of the process with this class, or null.
HWND topLevelWindow(DWORD processId, const char* className) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

// Sends a message that a hung quiz cannot block for ever; false on time-out.
bool send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result) != 0;
}

// The board is the frame's child that holds the first answer field.
HWND boardOf(HWND frame) {
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgItem(child, FirstAnswerFieldId)) return child;
    }
    return nullptr;
}

bool readText(HWND control, std::string* text) {
    char buffer[1024] = "";
    if (!send(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer))) return false;
    *text = std::string(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

// A message box before the board is up means the quiz refused its content;
// it would wait for a click that never comes. True when one was reported.
bool reportMessageBox(DWORD processId) {
    HWND box = topLevelWindow(processId, "#32770");
    if (!box) return false;
    std::string text;
    HWND label = GetDlgItem(box, 0xFFFF);
    if (!label || !readText(label, &text)) text = "(unreadable)";
    printf("FAIL: the quiz shows a message box instead of its window: %s\n", windows1252ToUtf8(text).c_str());
    return true;
}

// The board builds its fields one by one while the quiz starts, so the first
// field alone does not make a quiz ready: start-up shows both windows after
// the board is built, and a message answered by the frame means the message
// loop runs.
bool isReady(const Quiz& quiz) {
    if (!IsWindowVisible(quiz.frame) || !IsWindowVisible(quiz.board)) return false;
    return send(quiz.frame, WM_NULL, 0, 0);
}

bool startQuiz(const wchar_t* directory, const wchar_t* program, Quiz* quiz) {
    wchar_t fullProgram[MAX_PATH];
    wchar_t fullDirectory[MAX_PATH];
    GetFullPathNameW(program, MAX_PATH, fullProgram, nullptr);
    GetFullPathNameW(directory, MAX_PATH, fullDirectory, nullptr);
    std::wstring commandLine = L"\"" + std::wstring(fullProgram) + L"\"";
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    ZeroMemory(&quiz->process, sizeof quiz->process);
    if (!CreateProcessW(fullProgram, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, fullDirectory, &startup,
                        &quiz->process)) {
        printf("FAIL: the quiz could not be started (error %lu)\n", GetLastError());
        return false;
    }
    DWORD started = GetTickCount();
    while (GetTickCount() - started < StartTimeoutMs) {
        if (WaitForSingleObject(quiz->process.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(quiz->process.hProcess, &code);
            printf("FAIL: the quiz ended with %lu before showing its board\n", code);
            return false;
        }
        quiz->frame = topLevelWindow(quiz->process.dwProcessId, "WindowsApp");
        quiz->board = quiz->frame ? boardOf(quiz->frame) : nullptr;
        if (quiz->board && isReady(*quiz)) return true;
        if (reportMessageBox(quiz->process.dwProcessId)) return false;
        Sleep(100);
    }
    printf("FAIL: no quiz window with answer field %d within %lu s\n", FirstAnswerFieldId, StartTimeoutMs / 1000);
    return false;
}

HWND boardControl(const Quiz& quiz, const wchar_t* idText, int* id) {
    *id = _wtoi(idText);
    HWND control = GetDlgItem(quiz.board, *id);
    if (!control) printf("FAIL: the board has no control %d\n", *id);
    return control;
}

bool typeText(HWND field, int id, const wchar_t* text) {
    std::string bytes = toCodePage(text, 1252);
    if (send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()))) return true;
    printf("FAIL: control %d did not take its text\n", id);
    return false;
}

bool releaseEnter(HWND field, int id) {
    // Key-up flags as the keyboard gives them: repeat 1, previous state down, released.
    LPARAM keyUp = 1 | (static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16) | (1L << 30) |
                   (1L << 31);
    if (send(field, WM_KEYUP, VK_RETURN, keyUp)) return true;
    printf("FAIL: answer field %d did not answer the Enter key\n", id);
    return false;
}

bool expectText(HWND control, const std::string& what, const wchar_t* wanted) {
    std::string expected = toCodePage(wanted, 1252);
    std::string actual;
    if (!readText(control, &actual)) {
        printf("FAIL: %s could not be read\n", what.c_str());
        return false;
    }
    if (actual == expected) return true;
    printf("FAIL: %s reads \"%s\", expected \"%s\"\n", what.c_str(), windows1252ToUtf8(actual).c_str(),
           windows1252ToUtf8(expected).c_str());
    return false;
}

bool closeQuiz(Quiz* quiz) {
    if (!PostMessageW(quiz->frame, WM_CLOSE, 0, 0)) {
        printf("FAIL: the close request could not be posted\n");
        return false;
    }
    if (WaitForSingleObject(quiz->process.hProcess, ExitTimeoutMs) != WAIT_OBJECT_0) {
        printf("FAIL: the quiz did not end within %lu s of being closed\n", ExitTimeoutMs / 1000);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(quiz->process.hProcess, &code);
    if (code != 0) {
        printf("FAIL: the quiz ended with exit code %lu after a close, expected 0\n", code);
        return false;
    }
    return true;
}

void usage() {
    printf("usage: quizdriver DIR QUIZ.exe [type ID TEXT | enter ID | expect ID TEXT | expect-score TEXT |"
           " expect-code TEXT | close]...\n");
}

enum Verb { Type, Enter, Expect, ExpectScore, ExpectCode, Close };

struct Command {
    Verb verb;
    const wchar_t* id;    // board control, for type, enter and expect
    const wchar_t* text;  // for type and the expectations
};

struct VerbName {
    const wchar_t* name;
    Verb verb;
    bool takesId;
    bool takesText;
};

const VerbName VerbNames[] = {
    {L"type", Type, true, true},          {L"enter", Enter, true, false},
    {L"expect", Expect, true, true},      {L"expect-score", ExpectScore, false, true},
    {L"expect-code", ExpectCode, false, true}, {L"close", Close, false, false},
};

// Reads the whole command list before the quiz starts, so a mistyped list
// fails at once instead of after a run.
bool parseCommands(int count, wchar_t** arguments, int first, std::vector<Command>* commands) {
    int i = first;
    while (i < count) {
        const VerbName* known = nullptr;
        for (const VerbName& name : VerbNames) {
            if (wcscmp(name.name, arguments[i]) == 0) known = &name;
        }
        if (!known) {
            printf("FAIL: unknown command \"%s\"\n", toCodePage(arguments[i], CP_UTF8).c_str());
            usage();
            return false;
        }
        int operands = (known->takesId ? 1 : 0) + (known->takesText ? 1 : 0);
        if (i + operands >= count) {
            printf("FAIL: command \"%s\" lacks its operands\n", toCodePage(arguments[i], CP_UTF8).c_str());
            return false;
        }
        Command command = {known->verb, nullptr, nullptr};
        int next = i + 1;
        if (known->takesId) {
            command.id = arguments[next++];
            if (_wtoi(command.id) <= 0) {
                printf("FAIL: \"%s\" is not a control number\n", toCodePage(command.id, CP_UTF8).c_str());
                return false;
            }
        }
        if (known->takesText) command.text = arguments[next++];
        commands->push_back(command);
        i = next;
    }
    return true;
}

// Runs every command, going on after a failed expectation; returns the
// number of failures.
int runCommands(Quiz* quiz, const std::vector<Command>& commands) {
    int failures = 0;
    for (const Command& command : commands) {
        int id = 0;
        HWND control = command.id ? boardControl(*quiz, command.id, &id) : nullptr;
        bool ok = command.id == nullptr || control != nullptr;
        switch (command.verb) {
        case Type: ok = ok && typeText(control, id, command.text); break;
        case Enter: ok = ok && releaseEnter(control, id); break;
        case Expect: ok = ok && expectText(control, "board control " + std::to_string(id), command.text); break;
        case ExpectScore: ok = expectText(GetDlgItem(quiz->frame, ScoreDisplayId), "the score", command.text); break;
        case ExpectCode: ok = expectText(GetDlgItem(quiz->frame, CodeDisplayId), "the code", command.text); break;
        case Close:
            // Nothing can be driven once the quiz is gone.
            if (!closeQuiz(quiz)) return failures + 1;
            break;
        }
        if (!ok) failures++;
    }
    return failures;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3) {
        usage();
        return 2;
    }
    std::vector<Command> commands;
    if (!parseCommands(count, arguments, 3, &commands)) return 2;
    Quiz quiz = {};
    int failures = startQuiz(arguments[1], arguments[2], &quiz) ? runCommands(&quiz, commands) : 1;
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
