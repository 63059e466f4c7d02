#include "app/frame.h"

#include <shellapi.h>

#include "app/app.h"
#include "app/placement.h"
#include "app/resource.h"
#include "board/board.h"
#include "board/layout.h"
#include "results/saved.h"

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

// Created on first use and kept for the whole process: every frame window
// (there is one, tests make several) paints with the same two brushes.
HBRUSH headerBrush() {
    static HBRUSH brush = CreateSolidBrush(HeaderColour);
    return brush;
}
HBRUSH versionBrush() {
    static HBRUSH brush = CreateSolidBrush(VersionColour);
    return brush;
}

enum FontChoice { NoFont, GuiFont };

HWND createStatic(HWND frame, int id, const char* text, DWORD style, int x, int y, int width, int height,
                  FontChoice font) {
    HWND control = CreateWindowExA(0, "Static", text, style, x, y, width, height, frame,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance, nullptr);
    if (font == GuiFont) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

// The link draws underlined at three quarters of its height, and every
// static of the process shows the link cursor (the class is shared).
void dressLink(HWND link) {
    RECT client;
    GetClientRect(link, &client);
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = linkFontHeight(client.bottom - client.top);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = 1;
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&font)), FALSE);
    HCURSOR cursor = LoadCursorA(appInstance, MAKEINTRESOURCEA(IDC_LINK_CURSOR));
    SetClassLongPtrA(link, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

void createHeader(HWND frame, const Quiz* quiz) {
    const DWORD plain = WS_CHILD | WS_VISIBLE;
    const DWORD framed = plain | WS_BORDER;
    createStatic(frame, 1, "", framed, 5, 2, 100, 24, NoFont);
    createStatic(frame, 2, "", framed, 5, 25, 100, 22, NoFont);
    createStatic(frame, 3, "", framed, 104, 2, 623, 45, NoFont);
    createStatic(frame, 4, "", framed, 726, 2, 130, 45, NoFont);
    createStatic(frame, 151, " Code :", plain, 10, 29, 36, 15, GuiFont);
    createStatic(frame, CodeDisplayId, " xxxxxx", plain, 47, 28, 55, 16, GuiFont);
    char score[64];
    wsprintfA(score, " 0 / %d", quiz->questionCount);
    createStatic(frame, ScoreDisplayId, score, plain | SS_CENTER, 10, 5, 90, 18, NoFont);
    dressLink(createStatic(frame, LinkId, WebSiteAddress, plain | SS_NOTIFY, 736, 5, 115, 18, NoFont));
    createStatic(frame, ScoreDisplayId, "Par :", plain, 736, 25, 27, 18, GuiFont);
    createStatic(frame, ScoreDisplayId, quiz->creator, plain, 763, 25, 85, 18, GuiFont);
    createStatic(frame, ScoreDisplayId, quiz->title, plain, 110, 3, 220, 18, NoFont);
    createStatic(frame, ScoreDisplayId, quiz->explanation, plain, 110, 19, 580, 27, GuiFont);
}

LRESULT onCreate(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    createStatic(frame, VersionLineId, "Réalisé avec la version 2.1", WS_CHILD | WS_VISIBLE, 725, client.bottom - 16, 130,
                 15, GuiFont);
    createHeader(frame, appQuiz);
    ContentSize content = contentSizeFor(appQuiz->style, appQuiz->questionCount, appQuiz->questionFormat,
                                         appQuiz->answerMode);
    contentWidth = content.width;
    contentHeight = content.height;
    SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
    return 0;
}

LRESULT onSize(HWND frame, int clientWidth, int clientHeight) {
    SetWindowPos(appBoard, nullptr, 5, 50, clientWidth - 11, clientHeight - 68, SWP_NOZORDER);
    SetWindowPos(GetDlgItem(frame, VersionLineId), HWND_TOP, clientWidth - 145, clientHeight - 16, 130, 15,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT onClose() {
    saveAnswers(appBoard);
    DeleteFileA("quizz.mp3");
    PostQuitMessage(0);
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

LRESULT onKeyDown(UINT key) {
    SendMessageA(appBoard, WM_VSCROLL, scrollRequestForKey(key), 0);
    return 0;
}

// Only a single notch moves the board; faster wheels send larger deltas,
// which are ignored rather than scaled.
LRESULT onMouseWheel(WORD delta) {
    if (delta == 120) PostMessageA(appBoard, WM_VSCROLL, SB_LINEUP, 0);
    else if (delta == 0xFF88) PostMessageA(appBoard, WM_VSCROLL, SB_LINEDOWN, 0);
    return 0;
}

LRESULT onCommand(WPARAM command) {
    if (command == LinkId) openWebSite(WebSiteAddress);  // a click; not a double click
    return 0;
}

LRESULT onCtlColorStatic(HDC dc, HWND control) {
    switch (GetDlgCtrlID(control)) {
    case 1: case 2: case 3: case 4: case 150: case 151: case 157:
        SetBkColor(dc, HeaderColour);
        return reinterpret_cast<LRESULT>(headerBrush());
    case LinkId:
        SetTextColor(dc, LinkColour);
        SetBkColor(dc, HeaderColour);
        return reinterpret_cast<LRESULT>(headerBrush());
    case VersionLineId:
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, VersionColour);
        return reinterpret_cast<LRESULT>(versionBrush());
    default:
        return 0;
    }
}

}  // namespace

LRESULT CALLBACK frameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate(frame);
    case WM_SIZE: return onSize(frame, LOWORD(lParam), HIWORD(lParam));
    case WM_CLOSE: return onClose();
    case WM_KEYDOWN: return onKeyDown(static_cast<UINT>(wParam));
    case WM_COMMAND: return onCommand(wParam);
    case WM_CTLCOLORSTATIC: return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL: return onMouseWheel(HIWORD(wParam));
    default: return DefWindowProcA(frame, message, wParam, lParam);
    }
}

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

HWND createFrameWindow(HINSTANCE instance, const Quiz* quiz) {
    return CreateWindowExA(0, FrameClassName, quiz->title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           FrameWidth, FrameHeight, nullptr, nullptr, instance, nullptr);
}

void centreWindow(HWND window) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    int x = centredStart(desktop.left, desktop.right - desktop.left, own.right - own.left);
    int y = centredStart(desktop.top, desktop.bottom - desktop.top, own.bottom - own.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

HWND createBoard(HINSTANCE instance, HWND frame) {
    appBoard = CreateDialogParamA(instance, MAKEINTRESOURCEA(BoardTemplate), frame, boardDialogProc, 0);
    return appBoard;
}

static HMODULE atlModule = nullptr;

bool startVideoSupport() {
    atlModule = LoadLibraryA("atl.dll");
    if (!atlModule) return false;
    atlAxAttachControl = reinterpret_cast<AtlAxAttachControlProc>(
        reinterpret_cast<void*>(GetProcAddress(atlModule, "AtlAxAttachControl")));
    CoInitialize(nullptr);
    return true;
}

void stopVideoSupport() {
    CoUninitialize();
    FreeLibrary(atlModule);
    atlModule = nullptr;
    atlAxAttachControl = nullptr;
}
