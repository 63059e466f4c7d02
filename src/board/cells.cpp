// Building the board's cells: one per question, in the quiz's style, each
// answer field filled from the model (the answers restored at start) and
// judged at once.
#include "board/resource.h"
#include "board/boardstate.h"

#include <commctrl.h>

#include "content/message.h"

namespace {

// Labels that show the quiz's own texts show them as stored: an "&" is no
// mnemonic prefix.
const DWORD CaptionStyle = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
const DWORD NumberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
const DWORD QuestionStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER | SS_NOPREFIX;
const DWORD AnswerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
const DWORD VerdictStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | SS_CENTER;
const DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_ICON;
const DWORD RevealStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_CENTER | SS_NOPREFIX;
const DWORD PictureStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;
const DWORD VideoStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

HWND createControl(BoardState* state, const char* className, const char* text, DWORD style, const Box& place,
                   int id) {
    HWND control = CreateWindowExA(0, className, text, style, place.x, place.y, place.width, place.height,
                                   state->board, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state->instance,
                                   nullptr);
    recordControl(state, id, control);
    return control;
}

// No redraw: the board is not shown before its cells are built, and its
// first paint draws every control with its font anyway.
void setGuiFont(HWND control) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

// The play and stop icons are shared by every button.
void loadButtonIcons(BoardState* state) {
    state->playIcon = LoadIconA(state->instance, MAKEINTRESOURCEA(IDI_PLAY));
    state->stopIcon = LoadIconA(state->instance, MAKEINTRESOURCEA(IDI_STOP));
}

void createButton(BoardState* state, const Box& place, int id, HICON icon) {
    HWND button = createControl(state, "Button", "", ButtonStyle, place, id);
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void createPictureCell(BoardState* state, const CellGeometry& cell, int i) {
    HBITMAP picture = takePicture(state->prefetch, GetModuleHandleA(nullptr), QuestionMediaBase + i,
                                  MediaResourceType, PictureBoxSize, PictureBoxSize);
    int width = PictureBoxSize, height = PictureBoxSize;
    BITMAP info;
    if (picture && GetObjectA(picture, sizeof info, &info)) {
        width = info.bmWidth;
        height = info.bmHeight;
    }
    HWND box = createControl(state, "STATIC", nullptr, PictureStyle, pictureBoxFor(cell, width, height),
                             PictureBoxBase + i);
    if (picture) SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (cell.revealBox.width)
        setGuiFont(createControl(state, "Static", "", RevealStyle, cell.revealBox, RevealBoxBase + i));
}

// A video cell whose player cannot be made keeps an empty box, as when the
// system has no hosting for players; the player is told once a board.
void createVideoCell(BoardState* state, const CellGeometry& cell, int i) {
    createButton(state, cell.playButton, PlayButtonBase + i, state->playIcon);
    createButton(state, cell.stopButton, StopButtonBase + i, state->stopIcon);
    HWND box = createControl(state, "STATIC", nullptr, VideoStyle, cell.videoBox, VideoBoxBase + i);
    if (setUpVideoCell(&state->media, i, box) || state->toldNoVideoPlayer) return;
    state->toldNoVideoPlayer = true;
    showMessage("Les vid\xE9os de ce quizz ne peuvent pas \xEAtre affich\xE9" "es : le lecteur vid\xE9o n'a pas pu "
                "\xEAtre cr\xE9\xE9.",
                "Information");
}

// The controls of cell i that belong to its style.
void createStyleControls(BoardState* state, const CellGeometry& cell, int i) {
    switch (state->style) {
    case StyleText: {
        const Question* question = questionAt(state->quiz, i - 1);
        setGuiFont(createControl(state, "Static", question ? question->caption : "", QuestionStyle,
                                 cell.questionLabel, QuestionLabelId));
        break;
    }
    case StylePictures:
        createPictureCell(state, cell, i);
        break;
    case StyleSounds:
        createButton(state, cell.playButton, PlayButtonBase + i, state->playIcon);
        createButton(state, cell.stopButton, StopButtonBase + i, state->stopIcon);
        break;
    default:
        createVideoCell(state, cell, i);
        break;
    }
}

// The field shows its caption, greyed, while it is empty, focused or not.
// The cue text is a wide string; the caption is converted as every other
// single-byte text of the player is shown.
void showCaptionInField(HWND field, const char* caption) {
    WCHAR cue[TextSize];
    if (!MultiByteToWideChar(CP_ACP, 0, caption, -1, cue, TextSize)) cue[0] = 0;
    SendMessageW(field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue));
}

// With one field a question, the field takes the keyboard focus when it is
// created. Only the board's last field is given it: each focus change costs
// several round trips to the window system, every earlier field would lose
// the focus to the next one straight away (being judged once more, to the
// same verdict) while the board is still hidden, and the dialog moves the
// focus to its first tab stop once it is built in any case.
void createAnswerField(BoardState* state, const CellGeometry& cell, int j, int k) {
    const PlayState* play = state->play;
    HWND field = createControl(state, "Edit", playField(play, k)->text, AnswerStyle, cell.answerFields[j - 1],
                               AnswerFieldBase + k);
    setGuiFont(field);
    if (play->format == OneAnswer && k == play->fieldCount) SetFocus(field);
    subclassAnswerField(field);
    if (play->format == TwoAnswers && rowCaptionsInFields(state->style))
        showCaptionInField(field, j == 1 ? state->quiz->firstRowCaption : state->quiz->secondRowCaption);
    HWND verdict = createControl(state, "Static", verdictText(Verdict::Empty), VerdictStyle, cell.verdictLabels[j - 1],
                                 VerdictLabelBase + k);
    if (play->format == TwoAnswers) setGuiFont(verdict);
    judgeAnswerField(state, k);
}

void createRowCaptions(BoardState* state) {
    const Quiz* quiz = state->quiz;
    const char* captions[2] = {quiz->firstRowCaption, quiz->secondRowCaption};
    for (int i = 1; i <= state->play->questionCount; i += 3)
        for (int which = 0; which < 2; ++which)
            setGuiFont(createControl(state, "Static", captions[which], CaptionStyle,
                                     rowCaptionBox(state->style, i, which, quiz->answerMode), RowCaptionId));
}

}  // namespace

void buildCells(BoardState* state) {
    const Quiz* quiz = state->quiz;
    const PlayState* play = state->play;
    updateScrollBars(state);
    if (state->style == StyleSounds || state->style == StyleVideos) loadButtonIcons(state);
    if (quiz->questionFormat == TwoAnswers && !rowCaptionsInFields(state->style)) createRowCaptions(state);
    // Verdicts and reveals are shown as each field is judged; the score and
    // code once, from every verdict, before the board is first shown.
    state->building = true;
    for (int i = 1; i <= play->questionCount; ++i) {
        CellGeometry cell = cellGeometry(state->style, i, quiz->questionFormat, quiz->answerMode);
        createStyleControls(state, cell, i);
        char number[16];
        wsprintfA(number, "%d.", i);
        createControl(state, "Static", number, NumberStyle, cell.numberLabel, NumberLabelId);
        for (int j = 1; j <= play->format; ++j) createAnswerField(state, cell, j, play->format * (i - 1) + j);
    }
    state->building = false;
    // Nothing judged: the header keeps the texts it was made with.
    if (state->judgedWhileBuilding) showScore(state);
    // The prefetched pictures are all taken.
    state->prefetch = nullptr;
}
