// Showing the model's judgements: verdict labels, reveal boxes, answer
// pictures, and the score in the frame's header.
#include "board/boardstate.h"

namespace {

void setControlText(BoardState* state, int id, const char* text) {
    if (HWND control = boardControl(state, id)) SetWindowTextA(control, text);
}

// Puts answer picture i in the picture box, centred in the cell's picture
// square where scrolling has moved the cell to. Without a picture box (every
// style but pictures) the picture is not even loaded, as it would go nowhere.
void showAnswerPicture(BoardState* state, int i) {
    HWND box = boardControl(state, PictureBoxBase + i);
    if (!box) return;
    HBITMAP picture = loadPicture(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(AnswerPictureBase + i),
                                  MediaResourceType, PictureBoxSize, PictureBoxSize);
    if (!picture) return;
    BITMAP size = {};
    GetObjectA(picture, sizeof size, &size);
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0));
    const Quiz* quiz = state->quiz;
    Box place = pictureBoxFor(cellGeometry(state->style, i, quiz->questionFormat, quiz->answerMode), size.bmWidth,
                              size.bmHeight);
    HWND board = state->board;
    SetWindowPos(box, HWND_TOPMOST, place.x - GetScrollPos(board, SB_HORZ) * ScrollUnit,
                 place.y - GetScrollPos(board, SB_VERT) * ScrollUnit, place.width, place.height,
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    UpdateWindow(box);
    SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (shown) DeleteObject(shown);
}

}  // namespace

void judgeAnswerField(BoardState* state, int k) {
    Text typed = "";
    if (HWND field = boardControl(state, AnswerFieldBase + k)) GetWindowTextA(field, typed, TextSize);
    const Judgement judgement = judgeField(state->play, k, typed);
    const int i = judgement.question;
    if (i == 0) return;
    if (judgement.reveal == RevealChange::Shown) setControlText(state, RevealBoxBase + i, revealText(state->play, i));
    if (judgement.showAnswerPicture) showAnswerPicture(state, i);
    if (judgement.reveal == RevealChange::Cleared) setControlText(state, RevealBoxBase + i, "");
    if (judgement.verdictChanged) setControlText(state, VerdictLabelBase + k, verdictText(judgement.verdict));
    if (state->building) {
        state->judgedWhileBuilding = true;
        return;
    }
    showScore(state);
    // Posted: the judgements of one F1 are written once, after the last.
    if (judgement.answerUnsaved) PostMessageA(GetParent(state->board), BoardAnswersChanged, 0, 0);
}

void showScore(BoardState* state) {
    const ScoreUpdate update = updateScore(state->play);
    SendMessageA(GetParent(state->board), BoardScoreChanged, 0, 0);
    for (int i = 1; i <= state->play->questionCount; ++i)
        if (update.revealsChanged[i - 1]) setControlText(state, RevealBoxBase + i, revealText(state->play, i));
}
