#include "judge/answerfield.h"

#include <string.h>

#include "app/app.h"
#include "board/board.h"
#include "format/text.h"
#include "judge/compare.h"
#include "judge/fieldorder.h"
#include "judge/judge.h"

WNDPROC editProcedure = nullptr;

enum {
    SelectedOnFocus = 25,  // typing over a reached field replaces this much
};

static LRESULT forward(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!editProcedure) return DefWindowProcA(field, message, wParam, lParam);
    return CallWindowProcA(editProcedure, field, message, wParam, lParam);
}

static int fieldCount() {
    return appQuiz ? appQuiz->questionFormat * appQuiz->questionCount : 0;
}

static void judgeField(HWND field) {
    if (appQuiz) judgeAnswer(appQuiz, GetParent(field), GetDlgCtrlID(field));
}

static void scrollBoard(HWND board, int request) { SendMessageA(board, WM_VSCROLL, request, 0); }

// Brings the cell of field t into view with line steps, the request the
// board scrolls its children by; the board itself stops at the content's
// ends.
static void scrollFieldCellIntoView(HWND board, int t) {
    const int format = appQuiz->questionFormat;
    VerticalSpan span =
        cellVerticalSpan(appQuiz->style, questionOfField(t, format), format, appQuiz->answerMode);
    RECT client;
    GetClientRect(board, &client);
    int steps = lineStepsToShow(span, GetScrollPos(board, SB_VERT), client.bottom - client.top, VerticalLineStep);
    for (; steps > 0; --steps) scrollBoard(board, SB_LINEDOWN);
    for (; steps < 0; ++steps) scrollBoard(board, SB_LINEUP);
}

// Judges the field, then moves the focus to the next or previous field;
// losing the focus judges it once more, to the same verdict.
static void moveToNeighbourField(HWND field) {
    const int direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    HWND board = GetParent(field);
    judgeField(field);
    if (!appQuiz) return;
    const int t = nextFieldNumber(GetDlgCtrlID(field) - AnswerFieldBase, direction, fieldCount());
    if (t == 1)
        scrollBoard(board, SB_TOP);
    else if (opensLaterGridRow(t, appQuiz->questionFormat))
        scrollFieldCellIntoView(board, t);
    SetFocus(boardItem(board, AnswerFieldBase + t));
}

void tryAnswerEverywhere(HWND field) {
    Text text;
    text[0] = '\0';
    GetWindowTextA(field, text, TextSize);
    HWND board = GetParent(field);
    const int count = fieldCount();
    for (int k = 1; k <= count; ++k) {
        Text label;
        label[0] = '\0';
        HWND verdict = boardItem(board, VerdictLabelBase + k);
        if (verdict) GetWindowTextA(verdict, label, TextSize);
        if (strcmp(label, VerdictRight) == 0) continue;
        HWND other = boardItem(board, AnswerFieldBase + k);
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
