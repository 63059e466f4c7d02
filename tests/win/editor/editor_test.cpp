// The editor's real main window, made in-process over a scratch folder:
// menu commands are sent as WM_COMMAND, texts set in its controls, list
// rows selected and double-clicked as the list reports them, and what the
// window shows and saves is read back. Its message boxes and file dialogs
// are answered by the test through the services the window is made with.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <map>
#include <filesystem>
#include <string>
#include <vector>

#include "content/loader.h"
#include "controls.h"
#include "editorwindow.h"
#include "system/libraries.h"
#include "win/support/harness.h"

namespace fs = std::filesystem;

namespace {

// Two text questions; the second answer has a curly apostrophe (a warning).
const char capitales[] = u8R"({
  "title": "Capitales",
  "creator": "Équipe",
  "style": 0,
  "answerMode": 2,
  "questions": [
    { "answer": "Paris", "caption": "France ?" },
    { "answer": "L’Aquila", "caption": "Abruzzes ?" },
    { "answer": "Rome", "caption": "Italie ?" }
  ],
  "codes": [ "C", "CA" ]
})";

// The front of a queue the test filled; false when it is empty.
template <typename T>
bool take(std::deque<T>* queue, T* front) {
    if (queue->empty()) return false;
    *front = queue->front();
    queue->pop_front();
    return true;
}

// What the window asks of the system, answered from the test's queues.
struct FakeSystem {
    std::vector<std::wstring> asked;
    std::deque<int> answers;                 // replies to questions; boxes with OK only are answered OK
    std::deque<std::wstring> files, folders; // what the dialogs give; none left: cancelled
    std::deque<int> types;                   // the file type each file dialog ends on; none left: the one it showed
    std::vector<FileChoice> fileChoices;
    std::vector<FolderChoice> folderChoices;
    std::vector<std::wstring> started, shownFolders;
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> offered;   // text and buttons
    std::deque<int> choices;                 // the button chosen in each offer; none left: closed

    EditorServices services() {
        EditorServices services;
        services.ask = [this](HWND, const std::wstring& text, UINT buttons) {
            asked.push_back(text);
            int answer = IDOK;
            const bool question = (buttons & MB_TYPEMASK) != MB_OK;
            EXPECT_TRUE(!question || take(&answers, &answer)) << "an unexpected question";
            return answer;
        };
        services.chooseFile = [this](HWND, const FileChoice& choice, std::wstring* path, int* type) {
            fileChoices.push_back(choice);
            if (type && !take(&types, type)) *type = choice.type;
            return take(&files, path);
        };
        services.chooseFolder = [this](HWND, const FolderChoice& choice, std::wstring* folder) {
            folderChoices.push_back(choice);
            return take(&folders, folder);
        };
        services.chooseColour = [](HWND, COLORREF* colour) {
            *colour = RGB(0x10, 0x20, 0x30);
            return true;
        };
        services.startProgram = [this](const std::wstring& program) {
            started.push_back(program);
            return true;
        };
        services.offer = [this](HWND, const std::wstring& text, const std::vector<std::wstring>& buttons) {
            offered.emplace_back(text, buttons);
            int chosen = -1;
            return take(&choices, &chosen) ? chosen : -1;
        };
        services.showFolder = [this](const std::wstring& folder) {
            shownFolders.push_back(folder);
            return true;
        };
        return services;
    }
};

// A file path the program can open under Wine, whose drive Z: is the root
// of the Linux file system the build's paths are written in.
std::wstring programPath(const char* built) {
    std::string path = built;
    return std::wstring(L"Z:") + std::wstring(path.begin(), path.end());
}

// A picture quiz of one question, its picture and answer picture the test's
// photograph in img/.
const char pictureQuiz[] = u8R"({"title":"Photos","creator":"Moi","style":1,"answerMode":3,
  "questions":[{"answer":"Vélo","media":"img/photo.jpg","answerPicture":"img/photo.jpg","reveal":"Un vélo."}],
  "codes":["V"]})";

// The menu a menu loop opens, closed at once so that the test goes on.
HMENU openedMenu = nullptr;
LRESULT CALLBACK closeOpeningMenu(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
        openedMenu = reinterpret_cast<HMENU>(call->wParam);
        EndMenu();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK findTooltips(HWND window, LPARAM found) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

class EditorTest : public ::testing::Test {
protected:
    ScratchDirectory scratch;
    FakeSystem system;
    HWND editor = nullptr;

    void SetUp() override {
        static const bool ready = [] {
            initCommonControls(ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS);
            return registerEditorClass(GetModuleHandleW(nullptr)) != 0;
        }();
        ASSERT_TRUE(ready);
        EditorServices services = system.services();
        services.playerPath = programPath(QUIZ_PLAYER);
        editor = createEditorWindow(GetModuleHandleW(nullptr), services);
        ASSERT_NE(editor, nullptr);
        ShowWindow(editor, SW_SHOW);
        pumpMessages();
    }
    void TearDown() override {
        if (IsWindow(editor)) DestroyWindow(editor);
        pumpMessages();
    }

    std::wstring path(const char* name) { return (fs::path(scratch.path) / name).wstring(); }
    std::wstring write(const char* name, const std::string& utf8) {
        writeFile((fs::path(scratch.path) / name).string().c_str(), utf8);
        return path(name);
    }
    std::string saved(const char* name) { return fileBytes((fs::path(scratch.path) / name).string().c_str()); }

    HWND control(ControlId id) { return GetDlgItem(editor, id); }
    std::wstring text(HWND window) {
        wchar_t buffer[4096] = L"";
        GetWindowTextW(window, buffer, 4096);
        return buffer;
    }
    std::wstring text(ControlId id) { return text(control(id)); }
    // Makes the editor the active window again: the window tests of other
    // programs running beside this one take the activation as they open
    // theirs, and the keyboard focus goes with it.
    void activate() {
        SetForegroundWindow(editor);
        SetActiveWindow(editor);
    }
    void command(int id) {
        SendMessageW(editor, WM_COMMAND, id, 0);
        pumpMessages();
    }
    // Typing over a field's text: the edit control reports the change (a
    // multi-line one does not for WM_SETTEXT).
    void type(ControlId id, const std::wstring& typed) {
        SendMessageW(control(id), EM_SETSEL, 0, -1);
        SendMessageW(control(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    }
    void choose(ControlId id, int index) {
        SendMessageW(control(id), CB_SETCURSEL, index, 0);
        SendMessageW(editor, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control(id)));
    }
    void selectRow(ControlId list, int row) {
        ListView_SetItemState(control(list), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    int selectedRow(ControlId list) { return ListView_GetNextItem(control(list), -1, LVNI_SELECTED); }
    int rows(ControlId list) { return ListView_GetItemCount(control(list)); }
    std::wstring cell(ControlId list, int row, int column) {
        wchar_t buffer[1024] = L"";
        ListView_GetItemText(control(list), row, column, buffer, 1024);
        return buffer;
    }
    void doubleClick(ControlId list, int row) {
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = control(list);
        click.hdr.idFrom = list;
        click.hdr.code = NM_DBLCLK;
        click.iItem = row;
        SendMessageW(editor, WM_NOTIFY, list, reinterpret_cast<LPARAM>(&click));
    }
    int problemRow(const std::wstring& where) {
        for (int row = 0; row < rows(ProblemList); ++row)
            if (cell(ProblemList, row, 1) == where) return row;
        return -1;
    }
    // Handles messages until the build or unpack in progress has ended.
    void waitForTheJob() {
        for (int wait = 0; wait < 6000 && editorBusy(editor); ++wait) {
            pumpMessages();
            Sleep(10);
        }
        pumpMessages();
        EXPECT_FALSE(editorBusy(editor));
    }
    void writePicture() {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(10));  // RT_RCDATA
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
        fs::create_directories(fs::path(scratch.path) / "img");
        write("img/photo.jpg", std::string(bytes, SizeofResource(nullptr, found)));
    }
    void open(const std::string& json) {
        openEditorFile(editor, write("quiz.json", json));
        pumpMessages();
    }
    // A key pressed in a control, through the editor's message loop with
    // its keyboard table; otherwise dispatched as the loop does.
    void press(HACCEL keys, ControlId id, UINT key, bool withControl, bool alt, bool shift) {
        BYTE state[256] = {};
        state[VK_CONTROL] = withControl ? 0x80 : 0;
        state[VK_MENU] = alt ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        activate();
        SetFocus(control(id));
        // A letter with Alt is the character the keyboard layer makes of it.
        const UINT kind = alt ? (key >= 'a' && key <= 'z' ? WM_SYSCHAR : WM_SYSKEYDOWN) : WM_KEYDOWN;
        MSG message = {control(id), kind, key, alt ? 0x20000001 : 1, 0, {0, 0}};
        if (!translateEditorMessage(editor, keys, &message)) DispatchMessageW(&message);
        pumpMessages();
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    std::wstring answersColumn() {
        std::wstring answers;
        for (int row = 0; row < rows(QuestionList); ++row) answers += (row ? L"," : L"") + cell(QuestionList, row, 2);
        return answers;
    }
    std::wstring menuItem(int command) {
        wchar_t item[512] = L"";
        GetMenuStringW(GetMenu(editor), command, item, 512, MF_BYCOMMAND);
        return item;
    }
    bool menuItemEnabled(int command) { return !(GetMenuState(GetMenu(editor), command, MF_BYCOMMAND) & MF_GRAYED); }
    // The tooltip of a control, "" for none.
    std::wstring hintOf(ControlId id) {
        HWND tips = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), findTooltips, reinterpret_cast<LPARAM>(&tips));
        EXPECT_NE(tips, nullptr);
        wchar_t shown[512] = L"";
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = editor;
        tool.uId = reinterpret_cast<UINT_PTR>(control(id));
        tool.lpszText = shown;
        SendMessageW(tips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
        return shown;
    }
    // What a control shows on the screen now, pixel by pixel.
    std::vector<unsigned> shownPixels(ControlId id) {
        RECT box = {};
        GetClientRect(control(id), &box);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, box.right, -box.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC screen = GetDC(control(id)), memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, box.right, box.bottom, screen, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<unsigned> pixels(static_cast<const unsigned*>(bits),
                                     static_cast<const unsigned*>(bits) + box.right * box.bottom);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(control(id), screen);
        return pixels;
    }
};

}  // namespace

TEST_F(EditorTest, AnOpenedManifestIsShownAndTheChangesMadeInTheWindowAreSavedAsTheManifest) {
    open(capitales);
    EXPECT_EQ(text(editor), L"Capitales – quiz.json – Éditeur de quiz");
    EXPECT_EQ(text(CreatorEdit), L"Équipe");
    EXPECT_EQ(text(CodesEdit), L"C\r\nCA");
    EXPECT_EQ(SendMessageW(control(ModeCombo), CB_GETCURSEL, 0, 0), 1);
    ASSERT_EQ(rows(QuestionList), 3);
    EXPECT_EQ(cell(QuestionList, 1, 1), L"Abruzzes ?");
    EXPECT_EQ(text(AnswerEdit), L"Paris");
    EXPECT_EQ(cell(ProblemList, 0, 1), L"Question 2 – réponse");  // the curly apostrophe
    EXPECT_EQ(cell(ProblemList, 0, 2), L"contient l'apostrophe ou le guillemet typographique « ’ » : les joueurs "
                                       L"tapent ' ou \" à la place, que le lecteur compte comme un autre caractère");
    type(TitleEdit, L"Capitales d'Europe");
    choose(StyleCombo, 1);
    choose(FormatCombo, 1);
    SendMessageW(editor, WM_COMMAND, ColourButton, reinterpret_cast<LPARAM>(control(ColourButton)));
    selectRow(QuestionList, 1);
    type(AnswerEdit, L"L'Aquila");
    type(SecondAnswerEdit, L"Abruzzes");
    command(CommandAddQuestion);  // after the second, selected
    type(AnswerEdit, L"Berlin");
    selectRow(QuestionList, 0);
    command(CommandDeleteQuestion);  // Paris
    selectRow(QuestionList, 2);
    command(CommandMoveUp);  // Rome before Berlin
    EXPECT_EQ(text(editor), L"Capitales d'Europe – quiz.json * – Éditeur de quiz");
    command(CommandSave);
    EXPECT_EQ(text(editor), L"Capitales d'Europe – quiz.json – Éditeur de quiz");
    // Every key in quizmaker's order, two spaces a level, a line break at the end.
    const std::string json = saved("quiz.json");
    EXPECT_EQ(json.rfind("{\n  \"title\": \"Capitales d'Europe\",\n", 0), 0u);
    EXPECT_EQ(json.back(), '\n');
    const char* question = R"("secondAnswer":"","caption":"","reveal":"","media":"","answerPicture":"")";
    EXPECT_EQ(ManifestDocument::parse(json), ManifestDocument::parse(std::string(u8R"({"title":"Capitales d'Europe",
        "creator":"Équipe","explanation":"","firstRowCaption":"","secondRowCaption":"","style":1,"questionFormat":2,
        "answerMode":2,"backColour":"#102030","questions":[
        {"answer":"L'Aquila","secondAnswer":"Abruzzes","caption":"Abruzzes ?","reveal":"","media":"","answerPicture":""},
        {"answer":"Rome","secondAnswer":"","caption":"Italie ?","reveal":"","media":"","answerPicture":""},
        {"answer":"Berlin",)") + question + R"(}],"codes":["C","CA"]})"));
    EXPECT_EQ(cell(QuestionList, 0, 2), L"L'Aquila / Abruzzes");
    EXPECT_EQ(selectedRow(QuestionList), 1);
    command(CommandUndo);  // the move
    EXPECT_EQ(cell(QuestionList, 1, 2), L"Berlin / ");
    EXPECT_EQ(text(editor), L"Capitales d'Europe – quiz.json * – Éditeur de quiz");
}

TEST_F(EditorTest, UnsavedChangesAreSavedDiscardedOrKeptAsTheAuthorAnswers) {
    // The quiz by its title, as the author typed it.
    const std::wstring question = L"Enregistrer les modifications du quiz « Changé » ?";
    const struct {
        const char* name;
        int command;   // WM_CLOSE for closing the window
        int answer;
        bool saved, windowLeft;
        const wchar_t* titleAfter;
    } cases[] = {
        {"new, yes", CommandNew, IDYES, true, true, L""},
        {"new, no", CommandNew, IDNO, false, true, L""},
        {"new, cancel", CommandNew, IDCANCEL, false, true, L"Changé"},
        {"open, yes", CommandOpen, IDYES, true, true, L"Autre"},
        {"open, no", CommandOpen, IDNO, false, true, L"Autre"},
        {"open, cancel", CommandOpen, IDCANCEL, false, true, L"Changé"},
        {"close, yes", WM_CLOSE, IDYES, true, false, nullptr},
        {"close, no", WM_CLOSE, IDNO, false, false, nullptr},
        {"close, cancel", WM_CLOSE, IDCANCEL, false, true, L"Changé"},
    };
    const std::wstring other = write("autre.json", R"({"title":"Autre","questions":[{"answer":"X"}]})");
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        open(capitales);
        type(TitleEdit, L"Changé");
        system.asked.clear();
        system.answers = {c.answer};
        system.files = {other};
        if (c.command == WM_CLOSE) SendMessageW(editor, WM_CLOSE, 0, 0);
        else command(c.command);
        pumpMessages();
        ASSERT_EQ(system.asked.size(), 1u) << c.name;
        EXPECT_EQ(system.asked[0], question) << c.name;
        EXPECT_EQ(saved("quiz.json").find("Chang") != std::string::npos, c.saved) << c.name;
        ASSERT_EQ(IsWindow(editor) != FALSE, c.windowLeft) << c.name;
        if (c.windowLeft) {
            EXPECT_EQ(text(TitleEdit), c.titleAfter) << c.name;
        }
    }
    // Nothing unsaved: nothing asked.
    TearDown();
    SetUp();
    system.asked.clear();
    command(CommandNew);
    command(CommandNew);
    EXPECT_TRUE(system.asked.empty());
}

TEST_F(EditorTest, TheTryFieldShowsThePlayersVerdictAsTheAuthorTypes) {
    open(u8R"({"questionFormat":2,"questions":[{"answer":"Paris","secondAnswer":"Seine"},{"answer":"Été"}]})");
    const COLORREF golden = RGB(255, 203, 38), face = GetSysColor(COLOR_BTNFACE);
    const struct {
        int question, which;
        const wchar_t *typed, *verdict;
        COLORREF colour;   // as the player colours its verdict labels
    } cases[] = {
        {0, 0, L"Pari", L"Quasiment", golden}, {0, 1, L"seine", L"BRAVO", RGB(0, 255, 0)},
        {0, 1, L"Paris", L"FAUX", RGB(255, 0, 0)}, {0, 0, L"sirap", L"Anagramme", RGB(255, 100, 0)},
        {0, 0, L"", L"?", face}, {1, 0, L"été", L"Quasiment", golden},
    };
    for (const auto& c : cases) {
        selectRow(QuestionList, c.question);
        choose(TryWhich, c.which);
        type(TryEdit, c.typed);
        EXPECT_EQ(text(VerdictText), c.verdict) << c.typed;
        HDC dc = GetDC(editor);
        const LRESULT brush = SendMessageW(editor, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(control(VerdictText)));
        ReleaseDC(editor, dc);
        EXPECT_EQ(brushColour(reinterpret_cast<HBRUSH>(brush)), c.colour) << c.typed;
    }
    // The typos of the selected answer, with their verdicts.
    EXPECT_EQ(cell(TypoList, 2, 0), L"sans accents");
    EXPECT_EQ(cell(TypoList, 2, 1), L"Ete");
    EXPECT_EQ(cell(TypoList, 2, 2), L"Presque");
    // An answer check refuses is not judged.
    type(AnswerEdit, L"É|té");
    EXPECT_EQ(text(VerdictText), L"—");
    EXPECT_EQ(rows(TypoList), 0);
}

TEST_F(EditorTest, DoubleClickingAProblemSelectsItsQuestionAndPutsTheCaretInItsField) {
    open(capitales);
    selectRow(QuestionList, 2);
    type(RevealEdit, L"a|b");
    type(CodesEdit, L"C\r\nC|A");
    type(TitleEdit, L"\u2192");
    selectRow(QuestionList, 0);
    const struct {
        const wchar_t* where;
        int question;
        ControlId field;
        DWORD selectionStart, selectionEnd;
    } cases[] = {
        {L"Question 3 – révélation", 2, RevealEdit, 0, 3},
        {L"Question 2 – réponse", 1, AnswerEdit, 0, 8},
        {L"Codes – score 2", 1, CodesEdit, 3, 6},
        {L"Titre", 1, TitleEdit, 0, 1},
    };
    for (const auto& c : cases) {
        int row = problemRow(c.where);
        ASSERT_GE(row, 0) << c.where;
        activate();
        doubleClick(ProblemList, row);
        EXPECT_EQ(selectedRow(QuestionList), c.question) << c.where;
        EXPECT_EQ(GetFocus(), control(c.field)) << c.where;
        DWORD start = 0, end = 0;
        SendMessageW(control(c.field), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, c.selectionStart) << c.where;
        EXPECT_EQ(end, c.selectionEnd) << c.where;
    }
    // The refused texts stay in their fields as typed.
    EXPECT_EQ(text(TitleEdit), L"\u2192");
    selectRow(QuestionList, 2);
    EXPECT_EQ(text(RevealEdit), L"a|b");
}

TEST_F(EditorTest, TheKeyboardMovesThroughTheFieldsAndReachesTheQuestionCommands) {
    open(capitales);
    HACCEL keys = createEditorAccelerators();
    const struct {
        const char* name;
        ControlId from;
        UINT key;
        bool control, alt, shift;
        ControlId focusAfter;
        const wchar_t* answers;   // the answers column, joined
    } cases[] = {
        {"Escape in a multi-line field closes nothing", RevealEdit, VK_ESCAPE, false, false, false, RevealEdit,
         L"Paris,L’Aquila,Rome"},
        {"Tab leaves a multi-line field", RevealEdit, VK_TAB, false, false, false, MediaEdit, L"Paris,L’Aquila,Rome"},
        {"Shift+Tab goes back", MediaEdit, VK_TAB, false, false, true, RevealEdit, L"Paris,L’Aquila,Rome"},
        {"Alt+R goes to the answer", TitleEdit, 'r', false, true, false, AnswerEdit, L"Paris,L’Aquila,Rome"},
        {"Alt+P goes to the problems", TitleEdit, 'p', false, true, false, ProblemList, L"Paris,L’Aquila,Rome"},
        {"Ctrl+Enter adds a question", AnswerEdit, VK_RETURN, true, false, false, AnswerEdit, L"Paris,,L’Aquila,Rome"},
        {"Ctrl+Z takes it back", AnswerEdit, 'Z', true, false, false, AnswerEdit, L"Paris,L’Aquila,Rome"},
        {"Alt+Down moves the question down", QuestionList, VK_DOWN, false, true, false, QuestionList,
         L"L’Aquila,Paris,Rome"},
        {"Delete in the list deletes it", QuestionList, VK_DELETE, false, false, false, QuestionList, L"L’Aquila,Rome"},
        {"Insert in the list adds one", QuestionList, VK_INSERT, false, false, false, AnswerEdit, L"L’Aquila,Rome,"},
    };
    for (const auto& c : cases) {
        press(keys, c.from, c.key, c.control, c.alt, c.shift);
        EXPECT_EQ(GetFocus(), control(c.focusAfter)) << c.name;
        EXPECT_EQ(answersColumn(), c.answers) << c.name;
    }
    DestroyAcceleratorTable(keys);
}

TEST_F(EditorTest, BuildingWritesTheQuizIntoACopyOfThePlayerAndTestingStartsIt) {
    writePicture();
    open(pictureQuiz);
    type(TitleEdit, L"Photos de vacances");  // unsaved: the build takes the quiz as shown
    system.files = {path("photos.exe")};
    command(CommandBuild);
    waitForTheJob();
    ASSERT_EQ(system.fileChoices.size(), 1u);
    EXPECT_EQ(system.fileChoices[0].name, L"quiz.exe");
    EXPECT_EQ(text(StatusText).rfind(L"Quiz construit : ", 0), 0u) << text(StatusText).size();
    EXPECT_FALSE(IsWindowVisible(control(ProgressBar)));
    // The success is told in a message that offers the folder and the quiz.
    ASSERT_EQ(system.offered.size(), 1u);
    EXPECT_EQ(system.offered[0].first.rfind(L"Le quiz est construit : « " + path("photos.exe") + L" » (", 0), 0u);
    EXPECT_EQ(system.offered[0].second, (std::vector<std::wstring>{L"Ouvrir le dossier", L"Lancer le quiz", L"Fermer"}));
    EXPECT_TRUE(system.shownFolders.empty());
    EXPECT_TRUE(system.started.empty());
    for (int chosen : {0, 1}) {
        system.files = {path("photos.exe")};
        system.choices = {chosen};
        command(CommandBuild);
        waitForTheJob();
    }
    EXPECT_EQ(system.shownFolders, std::vector<std::wstring>{fs::path(path("photos.exe")).parent_path().wstring()});
    EXPECT_EQ(system.started, std::vector<std::wstring>{path("photos.exe")});
    system.started.clear();

    HMODULE built = LoadLibraryExW(path("photos.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(built, nullptr);
    for (int picture : {401, 10401})
        EXPECT_NE(FindResourceW(built, MAKEINTRESOURCEW(picture), L"IMG"), nullptr) << picture;
    Quiz quiz;
    {
        MessageCapture capture;
        loadContent(&quiz, built);
        EXPECT_TRUE(capture.messages.empty());
    }
    FreeLibrary(built);
    EXPECT_STREQ(quiz.title, "Photos de vacances");
    EXPECT_EQ(quiz.style, 1);
    EXPECT_EQ(quiz.answerMode, 3);
    ASSERT_EQ(quiz.questionCount, 1);
    EXPECT_STREQ(quiz.firstQuestion->answer, "V\xE9lo");  // "Vélo" in Windows-1252
    EXPECT_STREQ(quiz.codes[0], "V");

    command(CommandTest);
    waitForTheJob();
    ASSERT_EQ(system.started.size(), 1u);
    const fs::path tested = system.started[0];
    EXPECT_EQ(tested.filename(), L"quiz.exe");
    EXPECT_TRUE(fs::exists(tested));
    wchar_t temporary[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temporary);
    EXPECT_EQ(tested.wstring().rfind(temporary, 0), 0u);
    // The test folders go with the window.
    DestroyWindow(editor);
    EXPECT_FALSE(fs::exists(tested.parent_path()));
}

TEST_F(EditorTest, BuildingWaitsUntilTheQuizHasNoErrorAndShowsTheFirst) {
    writePicture();
    open(pictureQuiz);
    type(AnswerEdit, L"V|lo");
    activate();
    SetFocus(control(TitleEdit));
    command(CommandTest);
    EXPECT_FALSE(editorBusy(editor));
    ASSERT_EQ(system.asked.size(), 1u);
    EXPECT_NE(system.asked[0].find(L"1 erreur"), std::wstring::npos);
    EXPECT_EQ(GetFocus(), control(AnswerEdit));
    EXPECT_TRUE(system.started.empty());
}

TEST_F(EditorTest, AQuizProgramOpensUnpackedIntoTheChosenFolder) {
    writePicture();
    open(pictureQuiz);
    system.files = {path("photos.exe")};
    command(CommandBuild);
    waitForTheJob();
    command(CommandNew);
    system.files = {path("photos.exe")};
    system.folders = {path("extrait")};
    command(CommandOpenProgram);
    waitForTheJob();
    // The picker was offered a new folder named after the program, beside it.
    ASSERT_EQ(system.folderChoices.size(), 1u);
    EXPECT_EQ(fs::path(system.folderChoices[0].folder), fs::path(scratch.path));
    EXPECT_EQ(system.folderChoices[0].name, L"photos");
    EXPECT_EQ(text(editor), L"Photos – quiz.json – Éditeur de quiz");
    EXPECT_TRUE(fs::exists(fs::path(path("extrait")) / "quiz.json"));
    EXPECT_EQ(text(AnswerEdit), L"Vélo");
    EXPECT_EQ(text(RevealEdit), L"Un vélo.");
    // The media are named by the question's number and answer.
    EXPECT_EQ(text(MediaEdit), L"media/01-velo.jpg");
    EXPECT_EQ(text(PictureEdit), L"answers/01-velo.jpg");
    EXPECT_TRUE(fs::exists(fs::path(path("extrait")) / text(MediaEdit)));
    // A folder of that name with a quiz in it already: the next name is offered.
    system.files = {path("photos.exe")};
    fs::create_directories(fs::path(path("photos")));
    write("photos/quiz.json", "{}");
    command(CommandOpenProgram);   // cancelled in the picker
    ASSERT_EQ(system.folderChoices.size(), 2u);
    EXPECT_EQ(system.folderChoices[1].name, L"photos-2");
    EXPECT_FALSE(editorBusy(editor));
    // A folder that holds a quiz already is replaced only when the author agrees.
    system.files = {path("photos.exe")};
    system.folders = {path("extrait")};
    system.answers = {IDNO};
    type(AnswerEdit, L"Moto");
    command(CommandSave);
    command(CommandOpenProgram);
    EXPECT_FALSE(editorBusy(editor));
    EXPECT_NE(saved("extrait/quiz.json").find("Moto"), std::string::npos);
}

TEST_F(EditorTest, AnImportedBankIsUnsavedUntilSavedWhereTheAuthorSays) {
    fs::create_directories(fs::path(scratch.path) / "banque" / "img");
    const std::wstring bank = write("banque/geo.csv", "question;r\xC3\xA9ponse;m\xC3\xA9" "dia\nFrance ?;Paris;img/paris.jpg\n");
    openEditorFile(editor, bank);
    EXPECT_EQ(text(editor), L"geo – Sans nom * – Éditeur de quiz");
    EXPECT_EQ(cell(QuestionList, 0, 2), L"Paris");
    system.files = {path("quiz.json")};
    command(CommandSave);
    ASSERT_EQ(system.fileChoices.size(), 1u);
    EXPECT_EQ(system.fileChoices[0].name, L"geo.json");
    EXPECT_EQ(text(editor), L"geo – quiz.json – Éditeur de quiz");
    // The picture's path, relative to the bank, now relative to the manifest.
    EXPECT_EQ(text(MediaEdit), L"banque/img/paris.jpg");
}

TEST_F(EditorTest, SavingElsewhereAndGatheringBringTheMediaBesideTheQuiz) {
    writePicture();
    fs::create_directories(fs::path(path("cours")));
    open(pictureQuiz);   // quiz.json and img/photo.jpg in the scratch folder
    // Saved into another folder, the quiz takes its picture along.
    system.files = {path("cours/photos.json")};
    command(CommandSaveAs);
    ASSERT_EQ(system.fileChoices.size(), 1u);
    EXPECT_EQ(text(MediaEdit), L"media/photo.jpg");
    EXPECT_EQ(text(PictureEdit), L"media/photo.jpg");
    EXPECT_TRUE(fs::exists(fs::path(path("cours/media/photo.jpg"))));
    EXPECT_NE(saved("cours/photos.json").find("\"media/photo.jpg\""), std::string::npos);
    ASSERT_EQ(system.asked.size(), 1u);
    EXPECT_NE(system.asked[0].find(L"1 média copié dans « media »"), std::wstring::npos) << system.asked[0];
    EXPECT_TRUE(readyToBuild(*editorModel(editor)));
    // A picture named from elsewhere afterwards is gathered on request, and saved.
    fs::copy_file(fs::path(path("img/photo.jpg")), fs::path(path("img/photo2.jpg")));
    type(PictureEdit, L"../img/photo2.jpg");
    command(CommandGatherMedia);
    EXPECT_EQ(text(PictureEdit), L"media/photo2.jpg");
    EXPECT_TRUE(fs::exists(fs::path(path("cours/media/photo2.jpg"))));
    EXPECT_NE(saved("cours/photos.json").find("\"answerPicture\": \"media/photo2.jpg\""), std::string::npos);
    EXPECT_NE(system.asked.back().find(L"1 média copié"), std::wstring::npos) << system.asked.back();
    command(CommandGatherMedia);
    EXPECT_NE(system.asked.back().find(L"déjà tous"), std::wstring::npos) << system.asked.back();
    // The originals stay where they were.
    EXPECT_TRUE(fs::exists(fs::path(path("img/photo2.jpg"))));
}

TEST_F(EditorTest, TheFirstSaveOffersTheQuizTitleAsTheFileName) {
    command(CommandNew);
    type(TitleEdit, L"Les fleuves : France");
    system.files = {path("fleuves.json")};
    command(CommandSave);
    ASSERT_EQ(system.fileChoices.size(), 1u);
    EXPECT_EQ(system.fileChoices[0].name, L"Les fleuves - France.json");
}

TEST_F(EditorTest, ASpreadsheetWithSecondAnswersOnSomeRowsOpensWithAnErrorAtEachEmptyOne) {
    // As LibreOffice Calc saves a French sheet: Windows-1252, ';', every text quoted.
    const std::wstring bank = write("fleuves.csv", "\"question\";\"r\xE9ponse\";\"r\xE9ponse 2\"\r\n"
                                                   "\"Paris ?\";\"Seine\";\"Manche\"\r\n"
                                                   "\"Lyon ?\";\"Rh\xF4ne\";\r\n"
                                                   "\"Nantes ?\";\"Loire\";\"\"\r\n");
    openEditorFile(editor, bank);
    pumpMessages();
    ASSERT_EQ(rows(QuestionList), 3);
    EXPECT_EQ(cell(QuestionList, 1, 2), L"Rhône / ");   // the answers, the second one empty
    for (const wchar_t* where : {L"Question 2 – deuxième réponse", L"Question 3 – deuxième réponse"}) {
        const int row = problemRow(where);
        ASSERT_GE(row, 0) << where;
        EXPECT_EQ(cell(ProblemList, row, 0), L"Erreur");
        EXPECT_NE(cell(ProblemList, row, 2).find(L"choisissez « Une réponse » dans Nombre de réponses"),
                  std::wstring::npos);
    }
    EXPECT_FALSE(readyToBuild(*editorModel(editor)));
    // One answer per question: ready, the second answer kept in the manifest.
    choose(FormatCombo, 0);
    EXPECT_TRUE(readyToBuild(*editorModel(editor)));
    EXPECT_EQ(textOf(*editorModel(editor), Field::SecondAnswer, 0), "Manche");
}

TEST_F(EditorTest, WhenTheFrameRepaintsItsOwnBackgroundItsControlsStayDrawn) {
    open(capitales);
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const unsigned background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    for (ControlId id : {AnswerLabel, ProblemList, QuestionList}) {
        const std::vector<unsigned> before = shownPixels(id);
        size_t drawn = 0;
        for (unsigned pixel : before) drawn += (pixel & 0xFFFFFF) != background;
        ASSERT_GT(drawn, 0u) << id;   // the label's letters, the lists' white
        // As after a resize or a window closed above it: the frame erases
        // what was uncovered, its controls not told to paint again.
        RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(shownPixels(id) == before) << id;
    }
}

TEST_F(EditorTest, TheWindowFitsScreensOf1024By768And800By600WithEveryControlInside) {
    open(capitales);
    const SIZE screens[] = {{1024, 768}, {800, 600}};
    for (const SIZE& screen : screens) {
        SetWindowPos(editor, nullptr, 0, 0, screen.cx, screen.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        pumpMessages();
        RECT outer = {}, client = {};
        GetWindowRect(editor, &outer);
        GetClientRect(editor, &client);
        EXPECT_EQ(outer.right - outer.left, screen.cx);
        EXPECT_EQ(outer.bottom - outer.top, screen.cy);
        std::vector<RECT> shown;
        for (int id = FirstControl; id < ControlEnd; ++id) {
            if (!IsWindowVisible(control(ControlId(id)))) continue;   // the progress bar while nothing runs
            const RECT box = placeInParent(control(ControlId(id)));
            EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= client.right && box.bottom <= client.bottom &&
                        box.right > box.left && box.bottom > box.top)
                << id << " at " << screen.cx;
            for (const RECT& other : shown) {
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &box, &other)) << id << " at " << screen.cx;
            }
            shown.push_back(box);
        }
    }
    // A window shorter than its controls scrolls them, and a key that
    // reaches a control out of sight brings it into sight.
    SetWindowPos(editor, nullptr, 0, 0, 800, 380, SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
    RECT outer = {}, client = {};
    GetWindowRect(editor, &outer);
    EXPECT_EQ(outer.bottom - outer.top, 380);
    HACCEL keys = createEditorAccelerators();
    const struct {
        UINT letter;
        ControlId reached;
    } jumps[] = {{'p', ProblemList}, {'t', TitleEdit}, {'v', RevealEdit}, {'d', CodesEdit}};
    for (const auto& jump : jumps) {
        press(keys, QuestionList, jump.letter, false, true, false);
        ASSERT_EQ(GetFocus(), control(jump.reached)) << jump.letter;
        GetClientRect(editor, &client);
        const RECT box = placeInParent(control(jump.reached));
        EXPECT_TRUE(box.top >= 0 && box.bottom <= client.bottom) << jump.letter << " " << box.top << " " << box.bottom;
    }
    SendMessageW(editor, WM_VSCROLL, SB_BOTTOM, 0);
    const RECT status = placeInParent(control(StatusText));
    EXPECT_TRUE(status.bottom <= client.bottom && status.bottom > client.bottom - 30) << status.bottom;
    SendMessageW(editor, WM_VSCROLL, SB_TOP, 0);
    const RECT title = placeInParent(control(TitleEdit));
    EXPECT_TRUE(title.top > 0 && title.top < 30) << title.top;
    DestroyAcceleratorTable(keys);
}

TEST_F(EditorTest, EveryLabelShowsItsWholeTextAtTheLeastWidthAndNoTwoShareAnAltLetterWithAMenu) {
    open(R"({"style":3,"questions":[{"answer":"Chat","media":"clip.avi"}]})");
    SetWindowPos(editor, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
    // The letter after "&", without its accent, as Alt and a key reach it.
    auto altLetter = [](const std::wstring& text) -> wchar_t {
        const size_t mark = text.find(L'&');
        if (mark == std::wstring::npos || mark + 1 >= text.size()) return 0;
        wchar_t letter[2] = {text[mark + 1], 0};
        CharLowerW(letter);
        return std::wstring(L"éèêë").find(letter[0]) != std::wstring::npos ? L'e' : letter[0];
    };
    std::map<wchar_t, std::wstring> letters;
    HMENU bar = GetMenu(editor);
    for (int menu = 0; menu < GetMenuItemCount(bar); ++menu) {
        wchar_t title[64] = L"";
        GetMenuStringW(bar, menu, title, 64, MF_BYPOSITION);
        letters[altLetter(title)] = title;
    }
    for (int id = FirstControl; id < ControlEnd; ++id) {
        wchar_t name[32] = L"";
        GetClassNameW(control(ControlId(id)), name, 32);
        const std::wstring label = text(ControlId(id));
        if (lstrcmpiW(name, L"Static") != 0 || label.find(L'&') == std::wstring::npos) continue;
        const wchar_t letter = altLetter(label);
        EXPECT_TRUE(letters.emplace(letter, label).second) << id << " shares its letter with another";
        // Measured in the control's own font, on one line.
        HDC dc = GetDC(control(ControlId(id)));
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control(ControlId(id)), WM_GETFONT, 0, 0)));
        RECT needed = {0, 0, 0, 0}, box = {};
        DrawTextW(dc, label.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(control(ControlId(id)), dc);
        GetClientRect(control(ControlId(id)), &box);
        EXPECT_LE(needed.right, box.right) << id << " needs " << needed.right << " pixels";
    }
    EXPECT_EQ(letters.count(L'i'), 1u);   // the video for browsers
}

TEST_F(EditorTest, CtrlDeleteAndCtrlBackspaceDeleteAWordInAFieldAndTheListDeletesTheQuestionItNames) {
    open(capitales);
    HACCEL keys = createEditorAccelerators();
    selectRow(QuestionList, 1);
    type(RevealEdit, L"Ville des Abruzzes, en Italie");
    const struct {
        UINT key;
        DWORD start, end;   // the selection, the caret when they are equal
        const wchar_t* after;
    } cases[] = {
        {VK_DELETE, 6, 6, L"Ville Abruzzes, en Italie"},   // "des " after the caret
        {VK_BACK, 14, 14, L"Ville , en Italie"},          // "Abruzzes" before it
        {VK_DELETE, 8, 11, L"Ville , Italie"},            // a selection, as it is
    };
    for (const auto& c : cases) {
        activate();
        SetFocus(control(RevealEdit));
        SendMessageW(control(RevealEdit), EM_SETSEL, c.start, c.end);
        MSG message = {control(RevealEdit), WM_KEYDOWN, c.key, 1, 0, {0, 0}};
        BYTE state[256] = {};
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        if (!translateEditorMessage(editor, keys, &message)) DispatchMessageW(&message);
        BYTE none[256] = {};
        SetKeyboardState(none);
        pumpMessages();
        EXPECT_EQ(text(RevealEdit), c.after) << c.start;
        EXPECT_EQ(rows(QuestionList), 3) << c.start;
    }
    // The model has what the field shows.
    selectRow(QuestionList, 0);
    selectRow(QuestionList, 1);
    EXPECT_EQ(text(RevealEdit), L"Ville , Italie");
    EXPECT_EQ(text(AnswerEdit), L"L’Aquila");
    // Deleting a question belongs to the list; the status line says which.
    press(keys, QuestionList, VK_DELETE, false, false, false);
    EXPECT_EQ(answersColumn(), L"Paris,Rome");
    EXPECT_EQ(text(StatusText).rfind(L"Question 2 « L’Aquila » supprimée (Ctrl+Z l'annule) – 2 questions", 0), 0u)
        << text(StatusText).size();
    DestroyAcceleratorTable(keys);
}

TEST_F(EditorTest, UndoAndRedoGoBackAndForthThroughManyChangesEachNamedInTheMenu) {
    open(capitales);
    HACCEL keys = createEditorAccelerators();
    type(TitleEdit, L"Villes");
    selectRow(QuestionList, 2);
    command(CommandDeleteQuestion);
    command(CommandAddQuestion);
    EXPECT_EQ(menuItem(CommandUndo), L"&Annuler l'ajout de la question 3\tCtrl+Z");
    EXPECT_EQ(menuItem(CommandRedo), L"&Rétablir\tCtrl+Y");
    EXPECT_FALSE(menuItemEnabled(CommandRedo));
    press(keys, TitleEdit, 'Z', true, false, false);
    EXPECT_EQ(menuItem(CommandUndo), L"&Annuler la suppression de la question 3\tCtrl+Z");
    EXPECT_EQ(menuItem(CommandRedo), L"&Rétablir l'ajout de la question 3\tCtrl+Y");
    press(keys, TitleEdit, 'Z', true, false, false);
    EXPECT_EQ(answersColumn(), L"Paris,L’Aquila,Rome");
    EXPECT_EQ(menuItem(CommandUndo), L"&Annuler la modification de « Titre »\tCtrl+Z");
    press(keys, TitleEdit, 'Z', true, false, false);
    EXPECT_EQ(text(TitleEdit), L"Capitales");
    EXPECT_FALSE(menuItemEnabled(CommandUndo));
    EXPECT_EQ(text(editor), L"Capitales – quiz.json – Éditeur de quiz");   // as saved
    press(keys, TitleEdit, 'Y', true, false, false);
    press(keys, TitleEdit, 'Y', true, false, false);
    EXPECT_EQ(text(TitleEdit), L"Villes");
    EXPECT_EQ(answersColumn(), L"Paris,L’Aquila");
    EXPECT_EQ(menuItem(CommandRedo), L"&Rétablir l'ajout de la question 3\tCtrl+Y");
    // A new change ends what redo could put back.
    type(AnswerEdit, L"Lisbonne");
    EXPECT_FALSE(menuItemEnabled(CommandRedo));
    EXPECT_EQ(menuItem(CommandUndo), L"&Annuler la modification de « réponse » à la question 2\tCtrl+Z");
    DestroyAcceleratorTable(keys);
}

TEST_F(EditorTest, AltAndTheLetterOfAMenuOpensItOnAKeyboardWithoutAccents) {
    HMENU bar = GetMenu(editor);
    // Through the system's own menu keys, as Alt+E is handled.
    openedMenu = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, closeOpeningMenu, nullptr, GetCurrentThreadId());
    activate();
    SendMessageW(editor, WM_SYSCOMMAND, SC_KEYMENU, L'e');
    pumpMessages();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(openedMenu, GetSubMenu(bar, 1));
}

TEST_F(EditorTest, TheSettingsWhoseEffectTheirNameDoesNotTellExplainItInATooltip) {
    for (ControlId id : {CodesEdit, FirstCaptionEdit, SecondCaptionEdit, ModeCombo, ExplanationEdit, TitleEdit}) {
        const std::wstring hint = hintOf(id);
        if (id == TitleEdit) {
            EXPECT_EQ(hint, L"");   // its name tells it
            continue;
        }
        EXPECT_GT(hint.size(), 30u) << id;
        EXPECT_EQ(hint.find(L'\n'), std::wstring::npos) << id;
    }
    // The explanation takes two lines, as the player's header shows it.
    EXPECT_TRUE(GetWindowLongPtrW(control(ExplanationEdit), GWL_STYLE) & ES_MULTILINE);
}

TEST_F(EditorTest, TheTryPaneStartsEmptyForEachQuestionAndEachQuiz) {
    open(capitales);
    selectRow(QuestionList, 0);
    type(TryEdit, L"Pari");
    EXPECT_EQ(text(VerdictText), L"Quasiment");
    selectRow(QuestionList, 1);
    EXPECT_EQ(text(TryEdit), L"");
    EXPECT_EQ(text(VerdictText), L"?");
    selectRow(QuestionList, 0);
    EXPECT_EQ(text(TryEdit), L"");
    type(TryEdit, L"Paris");
    command(CommandDeleteQuestion);
    EXPECT_EQ(text(TryEdit), L"");
    type(TryEdit, L"Rome");
    EXPECT_EQ(text(VerdictText), L"FAUX");
    system.answers = {IDNO};   // the deletion is not kept
    open(capitales);
    EXPECT_EQ(text(TryEdit), L"");
    EXPECT_EQ(text(VerdictText), L"?");
}

TEST_F(EditorTest, ExportingForBrowsersAsksForOneFileWhoseTypeOrExtensionChoosesThePageOrThePackage) {
    writePicture();
    open(pictureQuiz);
    // The type chosen decides for a name without an extension.
    system.files = {path("photos")};
    system.types = {0};
    command(CommandExportWeb);
    waitForTheJob();
    EXPECT_TRUE(system.asked.empty()) << system.asked[0];
    ASSERT_EQ(system.fileChoices.size(), 1u);
    EXPECT_TRUE(system.fileChoices[0].save);
    EXPECT_EQ(system.fileChoices[0].kind, FileKind::BrowserExport);
    EXPECT_EQ(system.fileChoices[0].name, L"quiz");
    EXPECT_EQ(system.fileChoices[0].type, 0);
    EXPECT_NE(saved("photos.html").find("<html lang=\"fr\">"), std::string::npos);
    EXPECT_EQ(text(StatusText).rfind(L"Page exportée : " + path("photos.html"), 0), 0u) << text(StatusText);

    system.files = {path("photos")};
    system.types = {1};
    command(CommandExportWeb);
    waitForTheJob();
    EXPECT_EQ(saved("photos.zip").substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_EQ(text(StatusText).rfind(L"Paquet SCORM exporté : " + path("photos.zip"), 0), 0u) << text(StatusText);

    // The dialog shows the type chosen last; an extension typed wins over it.
    system.files = {path("classe.HTML")};
    command(CommandExportWeb);
    waitForTheJob();
    ASSERT_EQ(system.fileChoices.size(), 3u);
    EXPECT_EQ(system.fileChoices[2].type, 1);
    EXPECT_NE(saved("classe.HTML").find("<html lang=\"fr\">"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("classe.HTML.zip")));

    // The name the extension completes is not replaced unasked; cancelling writes nothing.
    write("ancien.zip", "garder");
    system.files = {path("ancien")};
    system.types = {1};
    system.answers = {IDNO};
    command(CommandExportWeb);
    waitForTheJob();
    ASSERT_EQ(system.asked.size(), 1u);
    EXPECT_EQ(system.asked[0], L"« " + path("ancien.zip") + L" » existe déjà. Le remplacer ?");
    EXPECT_EQ(saved("ancien.zip"), "garder");
    command(CommandExportWeb);
    EXPECT_EQ(system.fileChoices.size(), 5u);
    EXPECT_EQ(system.asked.size(), 1u);

    // A video quiz whose question names no video for browsers: told in French, nothing written.
    const fs::path clip = fs::path(programPath(__FILE__)).parent_path().parent_path() / L"media" / L"clip32x24.avi";
    fs::copy_file(clip, fs::path(scratch.path) / "clip.avi");
    open(R"({"style":3,"questions":[{"answer":"Chat","media":"clip.avi"}]})");
    system.asked.clear();
    system.files = {path("chat")};
    system.types = {0};
    command(CommandExportWeb);
    waitForTheJob();
    ASSERT_EQ(system.asked.size(), 1u);
    EXPECT_NE(system.asked[0].find(L"Impossible d'exporter « " + path("chat.html") + L" »"), std::wstring::npos)
        << system.asked[0];
    EXPECT_NE(system.asked[0].find(L"les navigateurs ne lisent pas les vidéos du quiz (AVI) : la question 1 n'a pas "
                                   L"de vidéo pour le navigateur"),
              std::wstring::npos)
        << system.asked[0];
    EXPECT_FALSE(fs::exists(path("chat.html")));
    EXPECT_EQ(text(StatusText), L"L'exportation a échoué.");
}

TEST_F(EditorTest, AVideoQuizTakesEachQuestionsVideoForBrowsersInItsOwnFieldAndExportsWithIt) {
    const fs::path clip = fs::path(programPath(__FILE__)).parent_path().parent_path() / L"media" / L"clip32x24.avi";
    fs::copy_file(clip, fs::path(scratch.path) / "clip.avi");
    // Not a video quiz: the field has nothing to do.
    open(capitales);
    EXPECT_FALSE(IsWindowEnabled(control(WebVideoEdit)));
    EXPECT_FALSE(IsWindowEnabled(control(WebVideoBrowse)));
    EXPECT_TRUE(IsWindowEnabled(control(MediaEdit)));
    open(R"({"style":3,"questions":[{"answer":"Chat","media":"clip.avi"},{"answer":"Chien","media":"clip.avi"}]})");
    EXPECT_EQ(text(WebVideoLabel), L"V&idéo navigateur :");
    ASSERT_TRUE(IsWindowEnabled(control(WebVideoEdit)));
    ASSERT_TRUE(IsWindowEnabled(control(WebVideoBrowse)));
    // Its hint says why it is there.
    EXPECT_EQ(hintOf(WebVideoEdit).rfind(L"Les navigateurs ne lisent pas l'AVI", 0), 0u) << hintOf(WebVideoEdit);

    // Between the media and the answer picture for Tab, reached by Alt+I.
    HACCEL keys = createEditorAccelerators();
    press(keys, MediaBrowse, VK_TAB, false, false, false);
    EXPECT_EQ(GetFocus(), control(WebVideoEdit));
    press(keys, WebVideoBrowse, VK_TAB, false, false, false);
    EXPECT_EQ(GetFocus(), control(PictureEdit));
    press(keys, TitleEdit, 'i', false, true, false);
    EXPECT_EQ(GetFocus(), control(WebVideoEdit));
    // Chosen with its own button, among the videos browsers play.
    write("chat.mp4", std::string("\0\0\0\x18" "ftypisom\0\0\0\0isommp41", 24));
    system.files = {path("chat.mp4")};
    SendMessageW(editor, WM_COMMAND, MAKEWPARAM(WebVideoBrowse, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(WebVideoBrowse)));
    pumpMessages();
    ASSERT_EQ(system.fileChoices.size(), 1u);
    EXPECT_EQ(system.fileChoices[0].kind, FileKind::WebVideo);
    EXPECT_FALSE(system.fileChoices[0].save);
    EXPECT_EQ(text(WebVideoEdit), L"chat.mp4");
    EXPECT_EQ(text(MediaEdit), L"clip.avi");
    EXPECT_EQ(menuItem(CommandUndo),
              L"&Annuler la modification de « vidéo pour le navigateur » à la question 1\tCtrl+Z");
    // Typed for the second question: a file that is no video browsers play
    // is an error whose double-click comes back to this field.
    selectRow(QuestionList, 1);
    EXPECT_EQ(text(WebVideoEdit), L"");
    type(WebVideoEdit, L"clip.avi");
    selectRow(QuestionList, 0);
    const int row = problemRow(L"Question 2 – vidéo pour le navigateur");
    ASSERT_GE(row, 0);
    EXPECT_EQ(cell(ProblemList, row, 0), L"Erreur");
    activate();
    doubleClick(ProblemList, row);
    EXPECT_EQ(selectedRow(QuestionList), 1);
    EXPECT_EQ(GetFocus(), control(WebVideoEdit));
    type(WebVideoEdit, L"chat.mp4");
    // Each question has one: the page takes them.
    system.files = {path("chats")};
    command(CommandExportWeb);
    waitForTheJob();
    EXPECT_TRUE(system.asked.empty()) << system.asked[0];
    EXPECT_EQ(text(StatusText).rfind(L"Page exportée : " + path("chats.html"), 0), 0u) << text(StatusText);
    command(CommandSave);
    EXPECT_NE(saved("quiz.json").find(R"("webVideo": "chat.mp4")"), std::string::npos) << saved("quiz.json");

    // Another style: a question that still names one keeps its field, to clear it.
    choose(StyleCombo, 0);
    EXPECT_TRUE(IsWindowEnabled(control(WebVideoEdit)));
    EXPECT_GE(problemRow(L"Question 2 – vidéo pour le navigateur"), 0);
    type(WebVideoEdit, L"");
    EXPECT_FALSE(IsWindowEnabled(control(WebVideoEdit)));
    EXPECT_FALSE(IsWindowEnabled(control(WebVideoLabel)));
    press(keys, MediaBrowse, VK_TAB, false, false, false);
    EXPECT_EQ(GetFocus(), control(PictureEdit));
    DestroyAcceleratorTable(keys);
}
