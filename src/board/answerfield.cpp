// The answer fields' keyboard behaviour: leaving a field, Enter and Tab
// judge it, Tab moves on, the paging keys page the board, F1 tries the text
// everywhere. Every field is an "Edit" control whose procedure the board
// replaces with answerFieldProc.
#include "board/boardstate.h"

// The procedure the fields had before: that of the "Edit" class, the same
// for every field. Windows hands it over only when a field is subclassed, so
// it is kept here, once for the process, rather than in any window's state.
static WNDPROC editProcedure = nullptr;

enum {
    SelectedOnFocus = 25,  // typing over a reached field replaces this much
};

static LRESULT forward(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!editProcedure) return DefWindowProcA(field, message, wParam, lParam);
    return CallWindowProcA(editProcedure, field, message, wParam, lParam);
}

void subclassAnswerField(HWND field) {
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerFieldProc)));
}

static int fieldNumber(HWND field) { return GetDlgCtrlID(field) - AnswerFieldBase; }

static void judgeField(HWND field) {
    if (BoardState* state = boardState(GetParent(field))) judgeAnswerField(state, fieldNumber(field));
}

static void scrollBoard(HWND board, int request) { SendMessageA(board, WM_VSCROLL, request, 0); }

// Judges the field, then moves the focus to the next or previous field,
// scrolling the board as the model says to show it whole; losing the focus
// judges the field once more, to the same verdict.
static void moveToNeighbourField(HWND field) {
    const int direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    HWND board = GetParent(field);
    BoardState* state = boardState(board);
    if (!state) return;
    const int k = fieldNumber(field);
    judgeAnswerField(state, k);
    RECT client;
    GetClientRect(board, &client);
    const Box view = {GetScrollPos(board, SB_HORZ) * ScrollUnit, GetScrollPos(board, SB_VERT) * ScrollUnit,
                      client.right - client.left, client.bottom - client.top};
    const TabStep step = tabStep(state->play, k, direction, view);
    scrollBoardBy(state, step.across, step.down);
    SetFocus(boardControl(state, AnswerFieldBase + step.target));
}

// Copies the field's text into every field that is not right yet, giving
// each the focus in turn, so that each is judged as the next one is reached
// and the last as the focus comes back.
static void tryAnswerEverywhere(HWND field) {
    BoardState* state = boardState(GetParent(field));
    if (!state) return;
    Text text = "";
    GetWindowTextA(field, text, TextSize);
    for (int k = nextFieldToTry(state->play, 0); k != 0; k = nextFieldToTry(state->play, k)) {
        HWND other = boardControl(state, AnswerFieldBase + k);
        if (other) SetWindowTextA(other, text);
        SetFocus(other);
    }
    SetFocus(field);
}

static LRESULT onSetFocus(HWND field, HWND previous, LPARAM unused) {
    SendMessageA(field, EM_SETSEL, 0, SelectedOnFocus);
    return forward(field, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), unused);
}

static LRESULT onKillFocus(HWND field, HWND next, LPARAM unused) {
    judgeField(field);
    return forward(field, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), unused);
}

// Keys act on release, or at once (with repeat) when pressed with Alt.
static LRESULT onKeyAction(HWND field, UINT message, UINT key, LPARAM keyData) {
    switch (key) {
    case VK_RETURN:
        judgeField(field);
        return 1;
    case VK_TAB:
        moveToNeighbourField(field);
        break;
    case VK_PRIOR:
    case VK_UP:
        scrollBoard(GetParent(field), SB_PAGEUP);
        break;
    case VK_NEXT:
    case VK_DOWN:
        scrollBoard(GetParent(field), SB_PAGEDOWN);
        break;
    case VK_F1:
        tryAnswerEverywhere(field);
        break;
    }
    return forward(field, message, key, keyData);
}

// Enter and Tab are handled as keys; their characters never reach the edit
// control, which would beep or insert a tab.
static LRESULT onChar(HWND field, UINT character, LPARAM keyData) {
    if (character == '\r' || character == '\t') return 0;
    return forward(field, WM_CHAR, character, keyData);
}

LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS: return onSetFocus(field, reinterpret_cast<HWND>(wParam), lParam);
    case WM_KILLFOCUS: return onKillFocus(field, reinterpret_cast<HWND>(wParam), lParam);
    case WM_KEYUP: return onKeyAction(field, message, static_cast<UINT>(wParam), lParam);
    case WM_SYSKEYDOWN: return onKeyAction(field, message, static_cast<UINT>(wParam), lParam);
    case WM_CHAR: return onChar(field, static_cast<UINT>(wParam), lParam);
    default: return forward(field, message, wParam, lParam);
    }
}
