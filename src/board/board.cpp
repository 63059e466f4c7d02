// The board's dialog procedure: scrolling, sizing, label colours and the
// media buttons. Its cells are built in cells.cpp; judging in judge.cpp.
#include "board/boardstate.h"
#include "board/resource.h"

#include <new>

namespace {

const COLORREF QuestionLabelColour = 0xC0FFFF;

HWND* controlSlot(ControlTable* controls, int id) {
    if (id > AnswerFieldBase && id <= AnswerFieldBase + MaxAnswerFields)
        return &controls->answerFields[id - AnswerFieldBase];
    if (id > VerdictLabelBase && id <= VerdictLabelBase + MaxAnswerFields)
        return &controls->verdictLabels[id - VerdictLabelBase];
    if (id > RevealBoxBase && id <= RevealBoxBase + MaxQuestions) return &controls->revealBoxes[id - RevealBoxBase];
    if (id > PictureBoxBase && id <= PictureBoxBase + MaxQuestions)
        return &controls->pictureBoxes[id - PictureBoxBase];
    return nullptr;
}

// A label brush of the state's, made the first time it is needed.
HBRUSH madeOnce(HBRUSH* brush, COLORREF colour) {
    if (!*brush) *brush = CreateSolidBrush(colour);
    return *brush;
}

// Sets the new position (limited to the bar's range) and moves the content
// by as much as the position really changed.
void moveScrollPosition(HWND board, int bar, int oldPosition, int newPosition) {
    SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(board, bar, &info);
    if (newPosition > info.nMax) newPosition = info.nMax;
    if (newPosition < info.nMin) newPosition = info.nMin;
    SetScrollPos(board, bar, newPosition, TRUE);
    int delta = (oldPosition - GetScrollPos(board, bar)) * ScrollUnit;
    if (bar == SB_HORZ) ScrollWindow(board, delta, 0, nullptr, nullptr);
    else ScrollWindow(board, 0, delta, nullptr, nullptr);
}

INT_PTR onInitDialog(HWND board, BoardState* state) {
    SetWindowLongPtrA(board, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->board = board;
    state->media.board = board;
    buildCells(state);
    return TRUE;
}

INT_PTR onScroll(HWND board, int bar, int request) {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(board, bar, &info);
    const bool vertical = bar == SB_VERT;
    const int line = vertical ? VerticalLineStep : 1;
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP: position -= line; break;
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    case SB_TOP: if (vertical) position = 0; break;
    case SB_BOTTOM: if (vertical) position = info.nMax; break;
    default: break;  // thumb release, end of scroll and unknown requests
    }
    moveScrollPosition(board, bar, info.nPos, position);
    return 0;
}

INT_PTR onSize(BoardState* state) {
    HWND board = state->board;
    int oldVertical = GetScrollPos(board, SB_VERT);
    int oldHorizontal = GetScrollPos(board, SB_HORZ);
    updateScrollBars(state);
    int dx = (oldHorizontal - GetScrollPos(board, SB_HORZ)) * ScrollUnit;
    int dy = (oldVertical - GetScrollPos(board, SB_VERT)) * ScrollUnit;
    ScrollWindow(board, dx, dy, nullptr, nullptr);
    return 0;
}

// Reports the wheel as handled: left to the dialog manager it would travel on
// to the frame window, which scrolls the board a second time.
INT_PTR onMouseWheel(BoardState* state, short delta) {
    postWheelSteps(state->board, wheelLineSteps(&state->wheelGathered, delta));
    return TRUE;
}

// An answer field's text changed: the model holds what every field holds.
void onAnswerTextChanged(BoardState* state, int k, HWND field) {
    Text text = "";
    GetWindowTextA(field, text, TextSize);
    setFieldText(state->play, k, text);
}

INT_PTR onCommand(BoardState* state, WPARAM command, HWND control) {
    const int id = LOWORD(command);
    if (HIWORD(command) == EN_CHANGE && id > AnswerFieldBase && id <= AnswerFieldBase + state->play->fieldCount) {
        onAnswerTextChanged(state, id - AnswerFieldBase, control);
        return 0;
    }
    const int style = state->quiz->style;
    if (style != StyleSounds && style != StyleVideos) return 0;
    // Clicks only: the whole parameter is the button's ID.
    if (command > PlayButtonBase && command <= PlayButtonBase + MaxQuestions) {
        int i = static_cast<int>(command - PlayButtonBase);
        if (style == StyleSounds) playSound(&state->media, i);
        else playVideo(&state->media, i);
    } else if (command > StopButtonBase && command <= StopButtonBase + MaxQuestions) {
        int i = static_cast<int>(command - StopButtonBase);
        if (style == StyleSounds) stopSound(&state->media, i);
        else stopVideos(&state->media, i);
    }
    return 0;
}

INT_PTR paintWith(HDC dc, COLORREF colour, HBRUSH brush) {
    SetBkColor(dc, colour);  // the text's own background matches the label's
    return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR paintWithBackground(BoardState* state, HDC dc) {
    return paintWith(dc, state->quiz->backColour, static_cast<HBRUSH>(state->quiz->backBrush));
}

INT_PTR paintVerdict(BoardState* state, HDC dc, Verdict verdict) {
    const long colour = verdictColour(verdict);
    if (colour == DefaultVerdictColour) return FALSE;  // not judged yet: the default colours
    return paintWith(dc, static_cast<COLORREF>(colour),
                     madeOnce(&state->verdictBrushes[static_cast<int>(verdict)], static_cast<COLORREF>(colour)));
}

INT_PTR onCtlColorStatic(BoardState* state, HDC dc, HWND label) {
    const int id = GetDlgCtrlID(label);
    const PlayState* play = state->play;
    if (const PlayField* field = playField(play, id - VerdictLabelBase)) return paintVerdict(state, dc, field->verdict);
    if (id == QuestionLabelId)
        return paintWith(dc, QuestionLabelColour, madeOnce(&state->questionBrush, QuestionLabelColour));
    if (id == NumberLabelId || id == RowCaptionId) return paintWithBackground(state, dc);
    const long revealRange = static_cast<long>(state->quiz->questionFormat) * state->quiz->questionCount;
    if (id > RevealBoxBase && id <= RevealBoxBase + revealRange) return paintWithBackground(state, dc);
    return FALSE;
}

INT_PTR onDestroy(BoardState* state) {
    closeMediaPlayers(&state->media);
    return FALSE;
}

// The cells are gone, and with them the windows hosting the video players,
// which let their clips go only now.
INT_PTR onNcDestroy(HWND board, BoardState* state) {
    removeMediaFiles(&state->media.files);
    if (state->questionBrush) DeleteObject(state->questionBrush);
    for (HBRUSH brush : state->verdictBrushes)
        if (brush) DeleteObject(brush);
    SetWindowLongPtrA(board, DWLP_USER, 0);
    delete state;
    return FALSE;
}

INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(board, reinterpret_cast<BoardState*>(lParam));
    BoardState* state = boardState(board);
    if (!state) return FALSE;
    switch (message) {
    case WM_SIZE: return onSize(state);
    case WM_HSCROLL: return onScroll(board, SB_HORZ, LOWORD(wParam));
    case WM_VSCROLL: return onScroll(board, SB_VERT, LOWORD(wParam));
    case WM_MOUSEWHEEL: return onMouseWheel(state, GET_WHEEL_DELTA_WPARAM(wParam));
    case WM_COMMAND: return onCommand(state, wParam, reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(state->quiz->backBrush);
    case WM_CTLCOLORSTATIC: return onCtlColorStatic(state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: return onDestroy(state);
    case WM_NCDESTROY: return onNcDestroy(board, state);
    default: return FALSE;
    }
}

}  // namespace

HWND createBoard(HWND parent, const BoardParams* params) {
    BoardState* state = new (std::nothrow) BoardState();
    if (!state) return nullptr;
    state->instance = params->instance;
    state->quiz = params->quiz;
    state->play = params->play;
    state->prefetch = params->prefetch;
    state->style = boardStyle(params->quiz->style);
    state->content = contentSizeFor(params->quiz->style, params->quiz->questionCount, params->quiz->questionFormat,
                                    params->quiz->answerMode);
    openMediaPlayers(&state->media, nullptr, params->instance, params->attachControl);
    HWND board = CreateDialogParamA(params->instance, MAKEINTRESOURCEA(IDD_BOARD), parent, boardDialogProc,
                                    reinterpret_cast<LPARAM>(state));
    // Without a window the state was never handed over.
    if (!board) delete state;
    return board;
}

BoardState* boardState(HWND board) {
    return board ? reinterpret_cast<BoardState*>(GetWindowLongPtrA(board, DWLP_USER)) : nullptr;
}

HWND boardControl(const BoardState* state, int id) {
    HWND* slot = controlSlot(const_cast<ControlTable*>(&state->controls), id);
    // The recorded handle is checked, so a control destroyed on its own
    // since is looked up again rather than used.
    if (slot && *slot && IsWindow(*slot) && GetParent(*slot) == state->board && GetDlgCtrlID(*slot) == id)
        return *slot;
    return GetDlgItem(state->board, id);
}

HWND boardItem(HWND board, int id) {
    const BoardState* state = boardState(board);
    return state ? boardControl(state, id) : GetDlgItem(board, id);
}

void closeBoardMedia(HWND board) {
    if (BoardState* state = boardState(board)) {
        closeMediaPlayers(&state->media);
        removeMediaFiles(&state->media.files);
    }
}

MediaPlayers* boardMediaPlayers(HWND board) {
    BoardState* state = boardState(board);
    return state ? &state->media : nullptr;
}

void recordControl(BoardState* state, int id, HWND control) {
    if (HWND* slot = controlSlot(&state->controls, id)) *slot = control;
}

void scrollBoardBy(BoardState* state, int across, int down) {
    HWND board = state->board;
    if (across) moveScrollPosition(board, SB_HORZ, GetScrollPos(board, SB_HORZ), GetScrollPos(board, SB_HORZ) + across);
    if (down) moveScrollPosition(board, SB_VERT, GetScrollPos(board, SB_VERT), GetScrollPos(board, SB_VERT) + down);
}

void postWheelSteps(HWND board, int steps) {
    for (; steps > 0; --steps) PostMessageA(board, WM_VSCROLL, SB_LINEUP, 0);
    for (; steps < 0; ++steps) PostMessageA(board, WM_VSCROLL, SB_LINEDOWN, 0);
}

void updateScrollBars(BoardState* state) {
    HWND board = state->board;
    RECT client;
    GetClientRect(board, &client);
    int width = (client.right - client.left) / ScrollUnit;
    int height = (client.bottom - client.top) / ScrollUnit;
    const ContentSize content = state->content;
    if (width >= content.width) {
        state->visibleWidth = content.width;
        SetScrollPos(board, SB_HORZ, 0, FALSE);
    } else {
        state->visibleWidth = width;
    }
    if (height >= content.height) {
        state->visibleHeight = content.height;
        SetScrollPos(board, SB_VERT, 0, FALSE);
    } else {
        state->visibleHeight = height;
    }
    // A board shrunk to nothing (the frame minimised) keeps a page of 0, so
    // the positions survive until it is restored.
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, content.width - 2,
                       static_cast<UINT>(state->visibleWidth > 0 ? state->visibleWidth - 1 : 0), 0, 0};
    SetScrollInfo(board, SB_HORZ, &info, TRUE);
    info.nMax = content.height - 2;
    info.nPage = static_cast<UINT>(state->visibleHeight > 0 ? state->visibleHeight - 1 : 0);
    SetScrollInfo(board, SB_VERT, &info, TRUE);
}
