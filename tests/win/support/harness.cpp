#include "win/support/harness.h"

#include "app/app.h"
#include "app/frame.h"
#include "content/message.h"

void fillTestQuiz(Quiz* quiz, int style, int count, int format, int answerMode) {
    clearQuestions(quiz);
    resetQuizFields(quiz);
    quiz->style = style;
    quiz->questionCount = count;
    quiz->questionFormat = format;
    quiz->answerMode = answerMode;
    copyText(quiz->title, "Titre");
    copyText(quiz->creator, "Auteur");
    copyText(quiz->explanation, "Explication");
    copyText(quiz->firstRowCaption, "Ligne 1");
    copyText(quiz->secondRowCaption, "Ligne 2");
    quiz->backColour = RGB(255, 255, 255);
    quiz->backBrush = GetStockObject(WHITE_BRUSH);
    for (int i = 1; i <= count && i <= MaxQuestions; ++i) {
        const std::string n = std::to_string(i);
        appendQuestion(quiz, ("REPONSE" + n).c_str(), format == 2 ? ("SECOND" + n).c_str() : "", ("Question " + n).c_str());
        copyText(quiz->lastQuestion->reveal, ("Revele " + n).c_str());
        copyText(quiz->codes[i - 1], ("CODE" + n).c_str());
    }
}

PlayerWindows openPlayerWindows(Quiz* quiz) {
    appInstance = GetModuleHandleA(nullptr);
    appQuiz = quiz;
    static ATOM frameClass = registerFrameClass(appInstance);
    (void)frameClass;
    PlayerWindows windows = {nullptr, nullptr};
    if (quiz->style == 3 && !startVideoSupport()) return windows;
    windows.frame = createFrameWindow(appInstance, quiz);
    centreWindow(windows.frame);
    windows.board = createBoard(appInstance, windows.frame);
    ShowWindow(windows.frame, SW_SHOW);
    ShowWindow(windows.board, SW_SHOW);
    pumpMessages();
    return windows;
}

void closePlayerWindows(PlayerWindows* windows) {
    if (windows->frame) DestroyWindow(windows->frame);
    pumpMessages();
    windows->frame = windows->board = nullptr;
    if (appQuiz && appQuiz->style == 3) stopVideoSupport();
    appBoard = nullptr;
    appQuiz = nullptr;
    contentWidth = contentHeight = 0;
}

void pumpMessages() {
    MSG message;
    // A quit message posted by a closing frame is taken off the queue and
    // dropped: the test thread has no loop to end.
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string controlText(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    if (!control) return std::string();
    char text[1024] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

std::string fileBytes(const char* name) {
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void writeFile(const char* name, const std::string& bytes) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

RECT placeInParent(HWND control) {
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

static MessageCapture* activeCapture = nullptr;
static MessageSink previousSink = nullptr;

static void captureMessage(const char* text, const char* caption) {
    if (activeCapture) activeCapture->messages.emplace_back(text ? text : "", caption ? caption : "");
}

MessageCapture::MessageCapture() {
    previousSink = setMessageSink(captureMessage);
    activeCapture = this;
}

MessageCapture::~MessageCapture() {
    setMessageSink(previousSink);
    activeCapture = nullptr;
}

static void removeFolder(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeFolder(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

ScratchDirectory::ScratchDirectory() {
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    previous = current;
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    char unique[MAX_PATH] = "";
    GetTempFileNameA(base, "qzt", 0, unique);  // reserves a unique name
    DeleteFileA(unique);
    CreateDirectoryA(unique, nullptr);
    path = unique;
    SetCurrentDirectoryA(path.c_str());
}

ScratchDirectory::~ScratchDirectory() {
    SetCurrentDirectoryA(previous.c_str());
    removeFolder(path);
}
