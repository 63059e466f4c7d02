// The main window's class and the routing of its messages to the model.
// Each notification becomes one model change, after which showModel writes
// back whatever the change altered.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <new>
#include <vector>

#include "editcommands.h"
#include "encoding.h"
#include "filecommands.h"
#include "jobs.h"
#include "makecontrols.h"
#include "show.h"
#include "windowstate.h"

namespace {

const wchar_t EditorClassName[] = L"QuizEditor";

LRESULT onCreate(HWND window, const CREATESTRUCTW* creation) {
    EditorWindow* state = new (std::nothrow) EditorWindow();
    if (!state) return -1;
    state->window = window;
    state->services = *static_cast<const EditorServices*>(creation->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    chooseFont(state);
    state->menu = createMenus();
    SetMenu(window, state->menu);
    if (!createControls(state)) return -1;
    startNewQuiz(&state->model);
    DragAcceptFiles(window, TRUE);
    chooseFirstSize(state);
    showModel(state);
    return 0;
}

LRESULT onSize(EditorWindow* state, int width, int height) {
    if (width > 0 && height > 0) applyLayout(state, width, height);
    return 0;
}

LRESULT onMinMaxInfo(EditorWindow* state, MINMAXINFO* info) {
    const Box least = minimumClientArea(state->metrics);
    SIZE size = outerSize(state->window, least.right, leastWindowHeight(state->metrics));
    info->ptMinTrackSize = POINT{size.cx, size.cy};
    return 0;
}

void onTextChanged(EditorWindow* state, int id, HWND control) {
    if (id == TryEdit) {
        setTryText(&state->model, toUtf8(windowText(control)));
        showModel(state);
        return;
    }
    Field field = fieldOfEdit(id);
    if (field != Field::None && setText(&state->model, field, toUtf8(windowText(control)))) showModel(state);
}

void onChoiceChanged(EditorWindow* state, int id, HWND control) {
    int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    if (id == TryWhich) state->tryWhich = index;
    else setChoiceIndex(&state->model, fieldOfControl(id), index);
    showModel(state);
}

void runCommand(EditorWindow* state, int command) {
    EditorModel* model = &state->model;
    if (!canRun(CommandContext{model, state->job != nullptr}, static_cast<EditorCommand>(command))) return;
    switch (command) {
    case CommandNew: newDocument(state); break;
    case CommandOpen: openDocument(state); break;
    case CommandOpenProgram: openProgram(state); break;
    case CommandImport: importDocument(state); break;
    case CommandSave: saveDocument(state, false); break;
    case CommandSaveAs: saveDocument(state, true); break;
    case CommandBuild: buildProgram(state); break;
    case CommandTest: testProgram(state); break;
    case CommandExportWeb: exportForBrowser(state); break;
    case CommandQuit: PostMessageW(state->window, WM_CLOSE, 0, 0); break;
    case CommandUndo: undoLastChange(model); break;
    case CommandAddQuestion:
        if (addQuestion(model)) {
            showModel(state);
            SetFocus(controlOf(state, AnswerEdit));
        }
        break;
    case CommandDeleteQuestion: deleteQuestion(model); break;
    case CommandMoveUp: moveQuestion(model, -1); break;
    case CommandMoveDown: moveQuestion(model, +1); break;
    case CommandRedo: redoLastChange(model); break;
    case CommandGatherMedia: gatherDocumentMedia(state); break;
    default: break;
    }
    showModel(state);
}

LRESULT onCommand(EditorWindow* state, int id, int code, HWND control) {
    if (state->showing) return 0;
    if (!control) {
        runCommand(state, id);
        return 0;
    }
    for (const CommandRow& command : editorCommands)
        if (command.button == id) {
            runCommand(state, command.id);
            return 0;
        }
    switch (id) {
    case ColourButton: chooseBackColour(state); break;
    case MediaBrowse: browseMedia(state, Field::Media); break;
    case WebVideoBrowse: browseMedia(state, Field::WebVideo); break;
    case PictureBrowse: browseMedia(state, Field::AnswerPicture); break;
    default:
        if (code == EN_CHANGE) onTextChanged(state, id, control);
        else if (code == CBN_SELCHANGE) onChoiceChanged(state, id, control);
        break;
    }
    return 0;
}

LRESULT onNotify(EditorWindow* state, NMHDR* header) {
    if (state->showing) return 0;
    if (header->idFrom == QuestionList && header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
        const bool selected = change->uNewState & LVIS_SELECTED, was = change->uOldState & LVIS_SELECTED;
        if (selected && !was && selectQuestion(&state->model, change->iItem)) showModel(state);
        // A click beside the rows selects nothing: the model keeps its question.
        if (was && !selected) PostMessageW(state->window, ListCheckMessage, 0, 0);
    } else if (header->idFrom == QuestionList && header->code == LVN_KEYDOWN) {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
        for (const CommandRow& command : editorCommands)
            if (command.listKey == key) runCommand(state, command.id);
    } else if (header->idFrom == ProblemList && (header->code == NM_DBLCLK || header->code == NM_RETURN)) {
        int row = header->code == NM_DBLCLK ? reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem
                                            : ListView_GetNextItem(header->hwndFrom, -1, LVNI_SELECTED);
        goToProblem(state, row);
        revealControl(state, GetFocus());
    }
    return 0;
}

LRESULT onColourStatic(EditorWindow* state, HDC dc, HWND control) {
    if (control == controlOf(state, ColourSwatch) && state->swatchBrush) return reinterpret_cast<LRESULT>(state->swatchBrush);
    if (control == controlOf(state, VerdictText) && state->verdictBrush) {
        SetBkColor(dc, static_cast<COLORREF>(state->verdictColour));
        return reinterpret_cast<LRESULT>(state->verdictBrush);
    }
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Only the previews draw themselves.
LRESULT onDrawItem(EditorWindow* state, const DRAWITEMSTRUCT* item) {
    showPreview(state, item);
    return TRUE;
}

LRESULT onListCheck(EditorWindow* state) {
    showModel(state);
    return 0;
}

LRESULT onVerticalScroll(EditorWindow* state, int code) {
    SCROLLINFO bar = {sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(state->window, SB_VERT, &bar);
    const int line = 2 * state->metrics.lineHeight, page = static_cast<int>(bar.nPage);
    switch (code) {
    case SB_LINEUP: scrollTo(state, bar.nPos - line); break;
    case SB_LINEDOWN: scrollTo(state, bar.nPos + line); break;
    case SB_PAGEUP: scrollTo(state, bar.nPos - page); break;
    case SB_PAGEDOWN: scrollTo(state, bar.nPos + page); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: scrollTo(state, bar.nTrackPos); break;
    case SB_TOP: scrollTo(state, 0); break;
    case SB_BOTTOM: scrollTo(state, bar.nMax); break;
    default: break;
    }
    return 0;
}

// Alt and a letter no menu underlines: the menu whose underlined letter it
// is without its accent (Alt+E for "&Édition").
LRESULT onMenuChar(EditorWindow* state, wchar_t character, HMENU menu) {
    const int index = menu == state->menu ? menuOfLetter(character) : -1;
    return index < 0 ? MAKELRESULT(0, MNC_IGNORE) : MAKELRESULT(index, MNC_EXECUTE);
}

LRESULT onDestroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT onActivate(EditorWindow* state, bool active) {
    if (!active) state->lastFocus = GetFocus();
    return 0;
}

LRESULT onSetFocus(EditorWindow* state) {
    HWND target = state->lastFocus && IsChild(state->window, state->lastFocus) ? state->lastFocus
                                                                               : controlOf(state, TitleEdit);
    SetFocus(target);
    return 0;
}

// The dialog keys ask for the next control this way (a mnemonic moves past
// its label); a window that is no dialog moves the focus itself.
LRESULT onNextControl(EditorWindow* state, WPARAM which, bool handle) {
    HWND target = handle ? reinterpret_cast<HWND>(which) : GetNextDlgTabItem(state->window, GetFocus(), which != 0);
    if (!target) return 0;
    SetFocus(target);
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
    return 0;
}

// A file the command line names or that is dropped on the window, opened
// by its kind: a manifest, a quiz program, or else a question bank.
void openFileByKind(EditorWindow* state, const std::wstring& path) {
    std::wstring extension = std::filesystem::path(path).extension().wstring();
    CharLowerW(&extension[0]);
    if (extension == L".json") openManifestPath(state, path);
    else if (extension == L".exe") openProgramFile(state, path);
    else importBank(state, path);
    showModel(state);
}

// A file dropped on the window opens as one named on the command line.
LRESULT onDropFiles(EditorWindow* state, HDROP drop) {
    std::wstring path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, &path[0], static_cast<UINT>(path.size())));
    DragFinish(drop);
    if (!path.empty() && !state->job) openEditorFile(state->window, path);
    return 0;
}

LRESULT onClose(EditorWindow* state) {
    if (state->job) {
        tell(state, L"Une construction est en cours : attendez qu'elle se termine.");
        return 0;
    }
    if (settleUnsavedChanges(state)) DestroyWindow(state->window);
    return 0;
}

LRESULT onNcDestroy(EditorWindow* state, HWND window) {
    finishJobs(state);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    freePreviews(state);
    if (state->hints) DestroyWindow(state->hints);
    if (state->swatchBrush) DeleteObject(state->swatchBrush);
    if (state->verdictBrush) DeleteObject(state->verdictBrush);
    if (state->font) DeleteObject(state->font);
    delete state;
    return 0;
}

LRESULT CALLBACK editorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return onCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    EditorWindow* state = editorState(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: return onSize(state, LOWORD(lParam), HIWORD(lParam));
    case WM_GETMINMAXINFO: return onMinMaxInfo(state, reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_VSCROLL: return onVerticalScroll(state, LOWORD(wParam));
    case WM_COMMAND: return onCommand(state, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: return onNotify(state, reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC: return onColourStatic(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: return onDrawItem(state, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ACTIVATE: return onActivate(state, LOWORD(wParam) != WA_INACTIVE);
    case WM_SETFOCUS: return onSetFocus(state);
    case WM_NEXTDLGCTL: return onNextControl(state, wParam, LOWORD(lParam) != 0);
    case WM_DROPFILES: return onDropFiles(state, reinterpret_cast<HDROP>(wParam));
    case WM_MENUCHAR: return onMenuChar(state, static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
    case JobProgressMessage: return onJobProgress(state, static_cast<int>(wParam), static_cast<int>(lParam));
    case JobFinishedMessage: return onJobFinished(state);
    case ListCheckMessage: return onListCheck(state);
    case WM_CLOSE: return onClose(state);
    case WM_DESTROY: return onDestroy();
    case WM_NCDESTROY: onNcDestroy(state, window); return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

EditorWindow* editorState(HWND window) {
    return reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ATOM registerEditorClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = editorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    if (!windowClass.hIcon) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = EditorClassName;
    return RegisterClassExW(&windowClass);
}

HWND createEditorWindow(HINSTANCE instance, const EditorServices& services) {
    return CreateWindowExW(WS_EX_CONTROLPARENT, EditorClassName, L"Éditeur de quiz",
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr, instance,
                           const_cast<EditorServices*>(&services));
}

HACCEL createEditorAccelerators() {
    std::vector<ACCEL> keys;
    for (const CommandRow& command : editorCommands) {
        const KeyShortcut& shortcut = command.shortcut;
        if (!shortcut.key) continue;
        const BYTE flags = FVIRTKEY | (shortcut.control ? FCONTROL : 0) | (shortcut.alt ? FALT : 0);
        keys.push_back(ACCEL{flags, static_cast<WORD>(shortcut.key), static_cast<WORD>(command.id)});
    }
    return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

namespace {

// Ctrl+Suppr and Ctrl+Retour arrière in a text field delete a word, as the
// model finds it; the field reports the change as any typing.
bool deleteWord(HWND editor, const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_DELETE && message.wParam != VK_BACK)) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || GetParent(message.hwnd) != editor) return false;
    wchar_t className[16] = L"";
    GetClassNameW(message.hwnd, className, 16);
    if (lstrcmpiW(className, L"Edit") != 0 || (GetWindowLongPtrW(message.hwnd, GWL_STYLE) & ES_READONLY)) return true;
    const std::wstring text = windowText(message.hwnd);
    DWORD start = 0, end = 0;
    SendMessageW(message.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const TextSpan span = wordToDelete(std::u16string(text.begin(), text.end()), start, end, message.wParam == VK_DELETE);
    SendMessageW(message.hwnd, EM_SETSEL, span.start, span.end);
    SendMessageW(message.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    return true;
}

bool takeKey(HWND editor, HACCEL table, MSG* message) {
    if (TranslateAcceleratorW(editor, table, message)) return true;
    if (deleteWord(editor, *message)) return true;
    // Multi-line fields take every key: Tab would be a character (it moves
    // on instead), and Escape would close the window, as such a field does
    // for a dialog (it does nothing).
    const bool multiLine = GetParent(message->hwnd) == editor &&
                           (GetWindowLongPtrW(message->hwnd, GWL_STYLE) & ES_MULTILINE);
    const bool key = message->message == WM_KEYDOWN || message->message == WM_CHAR;
    if (multiLine && key && message->wParam == VK_ESCAPE) return true;
    if (multiLine && message->message == WM_KEYDOWN && message->wParam == VK_TAB) {
        HWND next = GetNextDlgTabItem(editor, message->hwnd, GetKeyState(VK_SHIFT) < 0);
        if (next) SetFocus(next);
        return true;
    }
    return IsDialogMessageW(editor, message) != FALSE;
}

}  // namespace

// A key that moves the focus to a control scrolled out of sight scrolls it
// into sight.
bool translateEditorMessage(HWND editor, HACCEL table, MSG* message) {
    HWND before = GetFocus();
    const bool taken = takeKey(editor, table, message);
    EditorWindow* state = editorState(editor);
    HWND after = GetFocus();
    if (state && after != before && after) revealControl(state, after);
    return taken;
}

void openEditorFile(HWND editor, const std::wstring& path) {
    EditorWindow* state = editorState(editor);
    if (state && settleUnsavedChanges(state)) openFileByKind(state, path);
}

const EditorModel* editorModel(HWND editor) {
    EditorWindow* state = editorState(editor);
    return state ? &state->model : nullptr;
}

bool editorBusy(HWND editor) {
    EditorWindow* state = editorState(editor);
    return state && state->job;
}
