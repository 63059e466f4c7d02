#include "app/frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <new>

#include "app/saved.h"
#include "board/board.h"
#include "board/resource.h"
#include "layout/layout.h"
#include "layout/placement.h"
#include "system/libraries.h"

const char FrameClassName[] = "WindowsApp";
const char WebSiteAddress[] = "www.quizz.example";

static void shellOpen(const char* address) {
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

void (*openWebSite)(const char* address) = shellOpen;

namespace {

const COLORREF HeaderColour = RGB(128, 128, 255);
const COLORREF LinkColour = RGB(50, 50, 255);
const COLORREF VersionColour = RGB(212, 208, 200);

// The frame window's own state, reached from its handle (GWLP_USERDATA).
struct FrameState {
    Player* player;
    HBRUSH headerBrush;
    HBRUSH versionBrush;
    HFONT linkFont;
    HWND link;
    int versionWidth;  // the version line's text, in its font
    HWND tooltip;      // the whole text of each header label shown cut
    bool toldNotSaved;  // the player knows the answers could not be written, since the last write
    HCURSOR linkCursor;  // shown over the link only
    int wheelGathered;  // wheel deltas short of a notch (wheelLineSteps)
};

FrameState* frameState(HWND frame) { return reinterpret_cast<FrameState*>(GetWindowLongPtrA(frame, GWLP_USERDATA)); }

enum FontChoice { NoFont, GuiFont };

HWND createStatic(HWND frame, int id, const char* text, DWORD style, int x, int y, int width, int height,
                  FontChoice font) {
    HWND control = CreateWindowExA(0, "Static", text, style, x, y, width, height, frame,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE)), nullptr);
    if (font == GuiFont)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

// The width of a label's text on one line, in the label's font.
int textWidth(HWND label) {
    char text[TextSize] = "";
    const int length = GetWindowTextA(label, text, sizeof text);
    HDC dc = GetDC(label);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;  // none: the system font the label draws with
    RECT line = {0, 0, 0, 0};
    DrawTextA(dc, text, length, &line, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (old) SelectObject(dc, old);
    ReleaseDC(label, dc);
    return line.right;
}

// Whether a label shows its whole text, on one line or wrapped, in its font.
bool textFits(HWND label, const char* text) {
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    RECT line = {0, 0, 0, 0}, needed = {0, 0, client.right, 0};
    DrawTextA(dc, text, -1, &line, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    if (old) SelectObject(dc, old);
    ReleaseDC(label, dc);
    if (line.right <= client.right && line.bottom <= client.bottom) return true;  // on one line
    return needed.right <= client.right && needed.bottom <= client.bottom;      // wrapped
}

// A header text is shown whole where it fits its label; else on one line
// ending in "…", with the whole text as the label's tooltip. Called again
// whenever the label's text changes.
void fitHeaderText(FrameState* state, HWND frame, HWND label) {
    char text[TextSize] = "";
    GetWindowTextA(label, text, sizeof text);
    const bool fits = textFits(label, text);
    const LONG style = GetWindowLongA(label, GWL_STYLE);
    const LONG fitted = fits ? style & ~SS_ELLIPSISMASK : (style & ~SS_ELLIPSISMASK) | SS_ENDELLIPSIS;
    if (fitted != style) {
        SetWindowLongA(label, GWL_STYLE, fitted);
        InvalidateRect(label, nullptr, TRUE);
    }
    TOOLINFOA tool;
    ZeroMemory(&tool, sizeof tool);
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = frame;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    SendMessageA(state->tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (fits) return;
    GetWindowRect(label, &tool.rect);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.lpszText = text;
    SendMessageA(state->tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tooltip of the header's cut texts, wrapping a long one.
HWND createHeaderTooltip(HWND frame, HINSTANCE instance) {
    initCommonControls(ICC_WIN95_CLASSES);
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame, nullptr, instance,
                                   nullptr);
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    return tooltip;
}

// Every header text but the version line, which is as wide as its own, and
// the fixed captions, kept on their line.
void fitHeaderTexts(FrameState* state, HWND frame) {
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool caption = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
        if (!caption && GetDlgCtrlID(child) != VersionLineId && GetWindowTextLengthA(child) > 0)
            fitHeaderText(state, frame, child);
    }
}

// The link draws underlined at three quarters of its height and shows its
// own cursor (onSetCursor): the cursor of the class would be that of every
// label of the process.
void dressLink(FrameState* state, HWND link) {
    RECT client;
    GetClientRect(link, &client);
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = linkFontHeight(client.bottom - client.top);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = 1;
    state->linkFont = CreateFontIndirectA(&font);
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(state->linkFont), FALSE);
    state->link = link;
    state->linkCursor = LoadCursorA(state->player->instance, MAKEINTRESOURCEA(IDC_LINK_CURSOR));
}

// False when a control of the header cannot be made.
bool createHeader(HWND frame, FrameState* state) {
    const Quiz* quiz = state->player->quiz;
    const DWORD plain = WS_CHILD | WS_VISIBLE;
    const DWORD framed = plain | WS_BORDER;
    // The quiz's own texts show as stored: an "&" is no mnemonic prefix.
    const DWORD quizText = plain | SS_NOPREFIX;
    // The fixed captions stay on their one line, whatever the font: a pixel
    // too wide for the label would wrap their last word out of sight.
    const DWORD caption = plain | SS_LEFTNOWORDWRAP;
    char score[64];
    wsprintfA(score, " 0 / %d", quiz->questionCount);
    HWND made[] = {
        createStatic(frame, 1, "", framed, 5, 2, 100, 24, NoFont),
        createStatic(frame, 2, "", framed, 5, 25, 100, 22, NoFont),
        createStatic(frame, 3, "", framed, 104, 2, 623, 45, NoFont),
        createStatic(frame, 4, "", framed, 726, 2, 130, 45, NoFont),
        createStatic(frame, 151, " Code :", caption, 10, 29, 36, 15, GuiFont),
        createStatic(frame, CodeDisplayId, " xxxxxx", quizText, 47, 28, 55, 16, GuiFont),
        createStatic(frame, ScoreDisplayId, score, plain | SS_CENTER, 10, 5, 90, 18, NoFont),
        createStatic(frame, LinkId, WebSiteAddress, plain | SS_NOTIFY, 736, 5, 115, 18, NoFont),
    };
    dressLink(state, made[7]);
    HWND texts[] = {
        createStatic(frame, ScoreDisplayId, "Par :", caption, 736, 25, 27, 18, GuiFont),
        createStatic(frame, ScoreDisplayId, quiz->creator, quizText, 763, 25, 85, 18, GuiFont),
        createStatic(frame, ScoreDisplayId, quiz->title, quizText, 110, 3, 220, 18, NoFont),
        createStatic(frame, ScoreDisplayId, quiz->explanation, quizText, 110, 19, 580, 27, GuiFont),
    };
    for (HWND control : made)
        if (!control) return false;
    for (HWND control : texts)
        if (!control) return false;
    return true;
}

LRESULT onCreate(HWND frame, const CREATESTRUCTA* creation) {
    FrameState* state = new (std::nothrow) FrameState();
    if (!state) return -1;
    state->player = static_cast<Player*>(creation->lpCreateParams);
    state->headerBrush = CreateSolidBrush(HeaderColour);
    state->versionBrush = CreateSolidBrush(VersionColour);
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    RECT client;
    GetClientRect(frame, &client);
    HWND version = createStatic(frame, VersionLineId, "Réalisé avec la version 2.1", WS_CHILD | WS_VISIBLE, 725,
                                client.bottom - 16, 130, VersionLineHeight, GuiFont);
    if (!version || !createHeader(frame, state)) return -1;
    state->versionWidth = textWidth(version);
    state->tooltip = createHeaderTooltip(frame, state->player->instance);
    fitHeaderTexts(state, frame);
    SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
    return 0;
}

LRESULT onSize(FrameState* state, HWND frame, int clientWidth, int clientHeight) {
    const Box board = boardPlace(clientWidth, clientHeight);
    SetWindowPos(state->player->board, nullptr, board.x, board.y, board.width, board.height, SWP_NOZORDER);
    const Box version = versionLinePlace(clientWidth, clientHeight, state->versionWidth);
    SetWindowPos(GetDlgItem(frame, VersionLineId), HWND_TOP, version.x, version.y, version.width, version.height,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    return 0;
}

// The players let their files go before the files are deleted; a sound
// file left in the working directory by an earlier run goes too.
LRESULT onClose(FrameState* state) {
    saveAnswers(&state->player->play);
    closeBoardMedia(state->player->board);
    DeleteFileA("quizz.mp3");
    PostQuitMessage(0);
    return 0;
}

// A judgement changed an answer: the results file follows at once, so a
// crash, a power cut or the end of the session loses nothing judged. A
// failure is told once, not at every answer, until a write succeeds again.
LRESULT onAnswersChanged(FrameState* state) {
    PlayState* play = &state->player->play;
    if (!answersUnsaved(play)) return 0;  // written since it was posted
    if (writeAnswers(play)) {
        state->toldNotSaved = false;
    } else if (!state->toldNotSaved) {
        state->toldNotSaved = true;
        tellAnswersNotSaved();
    }
    return 0;
}

// The session ends: the process may be ended as soon as this returns, so the
// answers, judged or not, are written as at close; no message holds it up.
LRESULT onEndSession(FrameState* state, bool ending) {
    if (ending) writeAnswers(&state->player->play);
    return 0;
}

// Navigation keys page and step the board; any other key is a request the
// board leaves without effect.
WPARAM scrollRequestForKey(UINT key) {
    switch (key) {
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_END: return SB_BOTTOM;
    case VK_HOME: return SB_TOP;
    case VK_UP: return SB_LINEUP;
    case VK_DOWN: return SB_LINEDOWN;
    default: return 0xFFFF;
    }
}

LRESULT onKeyDown(FrameState* state, UINT key) {
    SendMessageA(state->player->board, WM_VSCROLL, scrollRequestForKey(key), 0);
    return 0;
}

// Fast wheels send several notches at once, fine wheels and touchpads parts
// of one: the board steps once for every notch gathered.
LRESULT onMouseWheel(FrameState* state, short delta) {
    postWheelSteps(state->player->board, wheelLineSteps(&state->wheelGathered, delta));
    return 0;
}

// A window under the mouse asks its parents for a cursor first: over the
// link the frame answers with the link's; elsewhere each window keeps its own.
LRESULT onSetCursor(FrameState* state, HWND frame, WPARAM under, LPARAM hit) {
    if (reinterpret_cast<HWND>(under) == state->link && LOWORD(hit) == HTCLIENT && state->linkCursor) {
        SetCursor(state->linkCursor);
        return TRUE;
    }
    return DefWindowProcA(frame, WM_SETCURSOR, under, hit);
}

LRESULT onCommand(WPARAM command) {
    if (command == LinkId) openWebSite(WebSiteAddress);  // a click; not a double click
    return 0;
}

// The board counted the score anew: the header shows it and its code line.
LRESULT onScoreChanged(FrameState* state, HWND frame) {
    const PlayState* play = &state->player->play;
    char score[32];
    scoreText(play, score, sizeof score);
    SetDlgItemTextA(frame, ScoreDisplayId, score);
    SetDlgItemTextA(frame, CodeDisplayId, codeLine(play));
    fitHeaderText(state, frame, GetDlgItem(frame, ScoreDisplayId));
    fitHeaderText(state, frame, GetDlgItem(frame, CodeDisplayId));
    return 0;
}

LRESULT onCtlColorStatic(FrameState* state, HDC dc, HWND control) {
    switch (GetDlgCtrlID(control)) {
    case 1: case 2: case 3: case 4: case 150: case 151: case 157:
        SetBkColor(dc, HeaderColour);
        return reinterpret_cast<LRESULT>(state->headerBrush);
    case LinkId:
        SetTextColor(dc, LinkColour);
        SetBkColor(dc, HeaderColour);
        return reinterpret_cast<LRESULT>(state->headerBrush);
    case VersionLineId:
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, VersionColour);
        return reinterpret_cast<LRESULT>(state->versionBrush);
    default:
        return 0;
    }
}

LRESULT onNcDestroy(FrameState* state, HWND frame) {
    SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
    DeleteObject(state->headerBrush);
    DeleteObject(state->versionBrush);
    if (state->linkFont) DeleteObject(state->linkFont);
    delete state;
    return 0;
}

LRESULT CALLBACK frameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return onCreate(frame, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    FrameState* state = frameState(frame);
    if (!state) return DefWindowProcA(frame, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: return onSize(state, frame, LOWORD(lParam), HIWORD(lParam));
    case WM_CLOSE: return onClose(state);
    case WM_KEYDOWN: return onKeyDown(state, static_cast<UINT>(wParam));
    case WM_COMMAND: return onCommand(wParam);
    case WM_CTLCOLORSTATIC: return onCtlColorStatic(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL: return onMouseWheel(state, GET_WHEEL_DELTA_WPARAM(wParam));
    case WM_SETCURSOR: return onSetCursor(state, frame, wParam, lParam);
    case BoardScoreChanged: return onScoreChanged(state, frame);
    case BoardAnswersChanged: return onAnswersChanged(state);
    case WM_ENDSESSION: return onEndSession(state, wParam != 0);
    case WM_NCDESTROY: onNcDestroy(state, frame); return DefWindowProcA(frame, message, wParam, lParam);
    default: return DefWindowProcA(frame, message, wParam, lParam);
    }
}

}  // namespace

ATOM registerFrameClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = frameWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = FrameClassName;
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    return RegisterClassExA(&windowClass);
}

// Wide enough for the board to show the quiz's content beside its vertical
// scroll bar, by the system's own frame, border and scroll bar sizes.
static int frameWidthFor(const Quiz* quiz) {
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT outer = {0, 0, FrameStandardWidth, FrameHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const FrameMetrics metrics = {(outer.right - outer.left) - FrameStandardWidth, GetSystemMetrics(SM_CXBORDER),
                                  GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXSCREEN)};
    const ContentSize content = contentSizeFor(quiz->style, quiz->questionCount, quiz->questionFormat, quiz->answerMode);
    return frameOuterWidth(content.width, metrics);
}

HWND createFrameWindow(Player* player) {
    return CreateWindowExA(0, FrameClassName, player->quiz->title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           frameWidthFor(player->quiz), FrameHeight, nullptr, nullptr, player->instance, player);
}

void centreWindow(HWND window) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    int x = centredStart(desktop.left, desktop.right - desktop.left, own.right - own.left);
    int y = centredStart(desktop.top, desktop.bottom - desktop.top, own.bottom - own.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
