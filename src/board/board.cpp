#include "board/board.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/app.h"
#include "app/resource.h"
#include "board/layout.h"
#include "judge/answerfield.h"
#include "judge/compare.h"
#include "judge/judge.h"
#include "media/picture.h"
#include "media/playback.h"
#include "results/results.h"
#include "results/saved.h"

namespace {

const int ScrollUnit = 1;
int visibleWidth = 0;
int visibleHeight = 0;

// Label colours, each brush made the first time a label needs it and
// released with the board.
enum LabelColour { QuestionColour, AnagramColour, RightColour, WrongColour, NearColour, LabelColourCount };
const COLORREF labelColours[LabelColourCount] = {0xC0FFFF, 0x0064FF, 0x00FF00, 0x0000FF, 0x26CBFF};
HBRUSH labelBrushes[LabelColourCount];

HBRUSH labelBrush(LabelColour colour) {
    if (!labelBrushes[colour]) labelBrushes[colour] = CreateSolidBrush(labelColours[colour]);
    return labelBrushes[colour];
}

void releaseLabelBrushes() {
    for (HBRUSH& brush : labelBrushes) {
        if (brush) DeleteObject(brush);
        brush = nullptr;
    }
}

// The play and stop icons are shared by every button and live as long as
// the process.
HICON playIcon;
HICON stopIcon;

void loadButtonIcons() {
    if (!playIcon) playIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_PLAY));
    if (!stopIcon) stopIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_STOP));
}

// The handles of the controls the judge and the answer fields look up, by
// ID, recorded as the board creates them. GetDlgItem walks every child of
// the board, several hundred in a full grid, and each judgement looks up
// three controls.
struct ControlTable {
    HWND board;
    HWND answerFields[2 * MaxQuestions + 1];
    HWND verdictLabels[2 * MaxQuestions + 1];
    HWND revealBoxes[MaxQuestions + 1];
    HWND pictureBoxes[MaxQuestions + 1];
};

ControlTable controls;

HWND* controlSlot(int id) {
    if (id > AnswerFieldBase && id <= AnswerFieldBase + 2 * MaxQuestions)
        return &controls.answerFields[id - AnswerFieldBase];
    if (id > VerdictLabelBase && id <= VerdictLabelBase + 2 * MaxQuestions)
        return &controls.verdictLabels[id - VerdictLabelBase];
    if (id > RevealBoxBase && id <= RevealBoxBase + MaxQuestions) return &controls.revealBoxes[id - RevealBoxBase];
    if (id > PictureBoxBase && id <= PictureBoxBase + MaxQuestions) return &controls.pictureBoxes[id - PictureBoxBase];
    return nullptr;
}

void forgetControls(HWND board) {
    ZeroMemory(&controls, sizeof controls);
    controls.board = board;
}

HWND createControl(HWND board, const char* className, const char* text, DWORD style, const Box& place, int id) {
    HWND control = CreateWindowExA(0, className, text, style, place.x, place.y, place.width, place.height, board,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance, nullptr);
    HWND* slot = controlSlot(id);
    if (slot && board == controls.board) *slot = control;
    return control;
}

// No redraw: the board is not shown before its cells are built, and its
// first paint draws every control with its font anyway.
void setGuiFont(HWND control) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

// The saved answers of an earlier run, consumed one line per answer field.
struct SavedAnswers {
    char* data;
    ResultsReader reader;
};

// Results files hold at most a few dozen kilobytes; anything past this is
// not answers of this quiz.
const long SavedAnswersLimit = 4 * 1024 * 1024;

void openSavedAnswers(SavedAnswers* saved) {
    saved->data = nullptr;
    saved->reader = ResultsReader{nullptr, 0, 0};
    Text name;
    resultsFileName(name);
    FILE* file = fopen(name, "rb");
    if (!file) return;
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    if (size > SavedAnswersLimit) size = SavedAnswersLimit;
    if (size > 0) saved->data = static_cast<char*>(malloc(static_cast<size_t>(size)));
    if (saved->data) saved->reader = ResultsReader{saved->data, fread(saved->data, 1, static_cast<size_t>(size), file), 0};
    fclose(file);
}

void nextSavedAnswer(SavedAnswers* saved, Text& text) {
    if (!saved->data || !readAnswerLine(&saved->reader, text)) text[0] = '\0';
}

void closeSavedAnswers(SavedAnswers* saved) {
    free(saved->data);
    saved->data = nullptr;
}

const DWORD LabelStyle = WS_CHILD | WS_VISIBLE;
const DWORD NumberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
const DWORD QuestionStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER;
const DWORD AnswerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
const DWORD VerdictStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | SS_CENTER;
const DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_ICON;
const DWORD RevealStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_CENTER;
const DWORD PictureStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;
const DWORD VideoStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

void createButton(HWND board, const Box& place, int id, HICON icon) {
    HWND button = createControl(board, "Button", "", ButtonStyle, place, id);
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

// The loader refuses more, but the control numbering stops at 90 anyway.
int boardQuestionCount(const Quiz* quiz) {
    return quiz->questionCount < 0 ? 0 : (quiz->questionCount > MaxQuestions ? MaxQuestions : quiz->questionCount);
}

void startQuestionPicturePrefetch(const Quiz* quiz) {
    if (boardStyle(quiz->style) != 1) return;
    startPicturePrefetch(GetModuleHandleA(nullptr), MediaResourceType, QuestionMediaBase + 1, boardQuestionCount(quiz), 260, 260);
}

namespace {

void createPictureCell(HWND board, const CellGeometry& cell, int i, int mode) {
    HBITMAP picture = takePicture(GetModuleHandleA(nullptr), QuestionMediaBase + i, MediaResourceType, 260, 260);
    int width = 260, height = 260;
    BITMAP info;
    if (picture && GetObjectA(picture, sizeof info, &info)) {
        width = info.bmWidth;
        height = info.bmHeight;
    }
    HWND box = createControl(board, "STATIC", nullptr, PictureStyle, pictureBoxFor(cell, width, height), PictureBoxBase + i);
    if (picture) SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (mode == 2 || mode == 3 || mode == 4)
        setGuiFont(createControl(board, "Static", "", RevealStyle, cell.revealBox, RevealBoxBase + i));
}

// The controls of cell i that belong to its style; false when a video cell's
// player cannot be made, which ends the board's construction.
bool createStyleControls(HWND board, const Quiz* quiz, int style, const CellGeometry& cell, int i) {
    switch (style) {
    case 0: {
        Question* question = questionAt(quiz, i - 1);
        setGuiFont(createControl(board, "Static", question ? question->caption : "", QuestionStyle, cell.questionLabel,
                                 QuestionLabelId));
        return true;
    }
    case 1:
        createPictureCell(board, cell, i, quiz->answerMode);
        return true;
    case 2:
        createButton(board, cell.playButton, PlayButtonBase + i, playIcon);
        createButton(board, cell.stopButton, StopButtonBase + i, stopIcon);
        return true;
    default: {
        createButton(board, cell.playButton, PlayButtonBase + i, playIcon);
        createButton(board, cell.stopButton, StopButtonBase + i, stopIcon);
        HWND box = createControl(board, "STATIC", nullptr, VideoStyle, cell.videoBox, VideoBoxBase + i);
        return setUpVideoCell(i, box);
    }
    }
}

// With one field a question, the field takes the keyboard focus when it is
// created. Only the board's last field is given it: each focus change costs
// several round trips to the window system, every earlier field would lose
// the focus to the next one straight away (being judged once more, to the
// same verdict) while the board is still hidden, and the dialog moves the
// focus to its first tab stop once it is built in any case.
void createAnswerField(HWND board, Quiz* quiz, const CellGeometry& cell, int j, int k, const char* text) {
    int format = quiz->questionFormat;
    HWND field = createControl(board, "Edit", text, AnswerStyle, cell.answerFields[j - 1], AnswerFieldBase + k);
    setGuiFont(field);
    if (format == 1 && k == boardQuestionCount(quiz)) SetFocus(field);
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerFieldProc)));
    HWND verdict = createControl(board, "Static", "?", VerdictStyle, cell.verdictLabels[j - 1], VerdictLabelBase + k);
    if (format == 2) setGuiFont(verdict);
    judgeAnswer(quiz, board, AnswerFieldBase + k);
}

void createRowCaptions(HWND board, const Quiz* quiz, int style, int count) {
    for (int i = 1; i <= count; i += 3) {
        const char* captions[2] = {quiz->firstRowCaption, quiz->secondRowCaption};
        for (int which = 0; which < 2; ++which)
            setGuiFont(createControl(board, "Static", captions[which], LabelStyle,
                                     rowCaptionBox(style, i, which, quiz->answerMode), RowCaptionId));
    }
}

BOOL onInitDialog(HWND board) {
    forgetControls(board);
    updateScrollBars(board);
    Quiz* quiz = appQuiz;
    SavedAnswers saved;
    openSavedAnswers(&saved);
    const int style = boardStyle(quiz->style);
    const int format = quiz->questionFormat;
    const int count = boardQuestionCount(quiz);
    if (style == 2 || style == 3) loadButtonIcons();
    // Start-up has begun decoding the pictures already; a board made
    // otherwise begins here.
    startQuestionPicturePrefetch(quiz);
    if (format == 2) createRowCaptions(board, quiz, style, count);
    // Verdicts and reveals are set as each field is judged; the score and
    // code once, from every label, before the board is first shown.
    deferScoreRecount();
    for (int i = 1; i <= count; ++i) {
        CellGeometry cell = cellGeometry(style, i, format, quiz->answerMode);
        if (!createStyleControls(board, quiz, style, cell, i)) break;
        char number[16];
        wsprintfA(number, "%d.", i);
        createControl(board, "Static", number, NumberStyle, cell.numberLabel, NumberLabelId);
        for (int j = 1; j <= format; ++j) {
            Text text;
            nextSavedAnswer(&saved, text);
            if (format == 1 || format == 2) createAnswerField(board, quiz, cell, j, format * (i - 1) + j, text);
        }
    }
    finishDeferredScoreRecount(quiz, board);
    finishPicturePrefetch();
    closeSavedAnswers(&saved);
    return TRUE;
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

INT_PTR onSize(HWND board) {
    int oldVertical = GetScrollPos(board, SB_VERT);
    int oldHorizontal = GetScrollPos(board, SB_HORZ);
    updateScrollBars(board);
    int dx = (oldHorizontal - GetScrollPos(board, SB_HORZ)) * ScrollUnit;
    int dy = (oldVertical - GetScrollPos(board, SB_VERT)) * ScrollUnit;
    ScrollWindow(board, dx, dy, nullptr, nullptr);
    return 0;
}

// Reports the wheel as handled: left to the dialog manager it would travel on
// to the frame window, which scrolls the board a second time.
INT_PTR onMouseWheel(HWND board, WORD delta) {
    if (delta == 120) PostMessageA(board, WM_VSCROLL, SB_LINEUP, 0);
    else if (delta == 0xFF88) PostMessageA(board, WM_VSCROLL, SB_LINEDOWN, 0);
    return TRUE;
}

INT_PTR onCommand(WPARAM command) {
    const int style = appQuiz->style;
    if (style != 2 && style != 3) return 0;
    if (command > PlayButtonBase && command <= PlayButtonBase + MaxQuestions) {
        int i = static_cast<int>(command - PlayButtonBase);
        if (style == 2) playSound(i);
        else playVideo(i);
    } else if (command > StopButtonBase && command <= StopButtonBase + MaxQuestions) {
        int i = static_cast<int>(command - StopButtonBase);
        if (style == 2) stopSound(i);
        else stopVideos(i);
    }
    return 0;
}

INT_PTR paintWith(HDC dc, COLORREF colour, HBRUSH brush) {
    SetBkColor(dc, colour);  // the text's own background matches the label's
    return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR paintWith(HDC dc, LabelColour colour) { return paintWith(dc, labelColours[colour], labelBrush(colour)); }

INT_PTR paintWithBackground(HDC dc) {
    return paintWith(dc, appQuiz->backColour, static_cast<HBRUSH>(appQuiz->backBrush));
}

INT_PTR onCtlColorStatic(HDC dc, HWND label) {
    const int id = GetDlgCtrlID(label);
    const long fieldCount = static_cast<long>(appQuiz->questionFormat) * appQuiz->questionCount;
    if (id > VerdictLabelBase && id <= VerdictLabelBase + fieldCount) {
        char verdict[TextSize];
        GetWindowTextA(label, verdict, sizeof verdict);
        if (strcmp(verdict, VerdictAnagram) == 0) return paintWith(dc, AnagramColour);
        if (strcmp(verdict, VerdictRight) == 0) return paintWith(dc, RightColour);
        if (strcmp(verdict, VerdictWrong) == 0) return paintWith(dc, WrongColour);
        if (strcmp(verdict, VerdictEmpty) == 0) return FALSE;  // not judged yet
        return paintWith(dc, NearColour);
    }
    if (id == QuestionLabelId) return paintWith(dc, QuestionColour);
    if (id == NumberLabelId || id == RowCaptionId) return paintWithBackground(dc);
    if (id > RevealBoxBase && id <= RevealBoxBase + fieldCount) return paintWithBackground(dc);
    return FALSE;
}

INT_PTR onDestroy(HWND board) {
    if (controls.board == board) forgetControls(nullptr);
    releaseLabelBrushes();
    return FALSE;
}

}  // namespace

HWND boardItem(HWND board, int id) {
    HWND* slot = controlSlot(id);
    // The recorded handle is checked, so a control destroyed on its own
    // since is looked up again rather than used.
    if (slot && *slot && board == controls.board && IsWindow(*slot) && GetParent(*slot) == board &&
        GetDlgCtrlID(*slot) == id)
        return *slot;
    return GetDlgItem(board, id);
}

void updateScrollBars(HWND board) {
    RECT client;
    GetClientRect(board, &client);
    int width = (client.right - client.left) / ScrollUnit;
    int height = (client.bottom - client.top) / ScrollUnit;
    if (width >= contentWidth) {
        visibleWidth = contentWidth;
        SetScrollPos(board, SB_HORZ, 0, FALSE);
    } else {
        visibleWidth = width;
    }
    if (height >= contentHeight) {
        visibleHeight = contentHeight;
        SetScrollPos(board, SB_VERT, 0, FALSE);
    } else {
        visibleHeight = height;
    }
    // A board shrunk to nothing (the frame minimised) keeps a page of 0, so
    // the positions survive until it is restored.
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, contentWidth - 2,
                       static_cast<UINT>(visibleWidth > 0 ? visibleWidth - 1 : 0), 0, 0};
    SetScrollInfo(board, SB_HORZ, &info, TRUE);
    info.nMax = contentHeight - 2;
    info.nPage = static_cast<UINT>(visibleHeight > 0 ? visibleHeight - 1 : 0);
    SetScrollInfo(board, SB_VERT, &info, TRUE);
}

INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(board);
    case WM_SIZE: return onSize(board);
    case WM_HSCROLL: return onScroll(board, SB_HORZ, LOWORD(wParam));
    case WM_VSCROLL: return onScroll(board, SB_VERT, LOWORD(wParam));
    case WM_MOUSEWHEEL: return onMouseWheel(board, HIWORD(wParam));
    case WM_COMMAND: return onCommand(wParam);
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(appQuiz->backBrush);
    case WM_CTLCOLORSTATIC: return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: return onDestroy(board);
    default: return FALSE;
    }
}
