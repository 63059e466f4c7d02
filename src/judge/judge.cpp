#include "judge/judge.h"

#include <stdio.h>

#include "app/frame.h"
#include "board/board.h"
#include "board/layout.h"
#include "format/text.h"
#include "judge/compare.h"
#include "media/picture.h"

enum {
    VerdictLabelOffset = VerdictLabelBase - AnswerFieldBase,  // a field's label is its ID + 1000
    PictureSquareSize = 260,
    VerdictReadSize = 10,  // verdict labels are compared on 9 characters
};

// The board scrolls by whole pixels: a scroll position is a pixel offset.
static const int scrollUnit = 1;

static const char noCode[] = "      ";

// While the board builds its cells, every judgement would recount all the
// verdict labels; the recount is made once when the cells are built instead.
static bool recountDeferred = false;
static bool recountPending = false;

// Which question an answer field belongs to and which of its answers it
// holds. False when the format gives the board no answer fields.
struct FieldTarget {
    int questionIndex;  // from 0
    bool secondAnswer;
};

static bool fieldTarget(int format, int fieldId, FieldTarget* target) {
    if (format == 1) {
        *target = FieldTarget{fieldId - (AnswerFieldBase + 1), false};
        return true;
    }
    if (format == 2) {
        *target = FieldTarget{(fieldId - (AnswerFieldBase - 1)) / 2 - 1, fieldId % 2 == 0};
        return true;
    }
    return false;
}

static const char* storedAnswer(const Question* question, bool second) {
    return second ? question->secondAnswer : question->answer;
}

// A control the board did not create reads as the empty text.
static void readControlText(HWND parent, int id, char* buffer, int size) {
    buffer[0] = '\0';
    HWND control = boardItem(parent, id);
    if (control) GetWindowTextA(control, buffer, size);
}

// Sets a label's text unless it reads so already: each judgement rewrites
// the verdict and the reveal, mostly to what they show, and a new text costs
// a repaint.
static void setControlText(HWND parent, int id, const char* text) {
    HWND control = boardItem(parent, id);
    if (!control) return;
    Text shown;
    shown[0] = '\0';
    GetWindowTextA(control, shown, TextSize);
    if (lstrcmpA(shown, text) != 0) SetWindowTextA(control, text);
}

// Every field of the question, untrimmed and folded, equals its stored
// answer: spaces around a right answer earn "BRAVO" but reveal nothing.
static bool questionComplete(const Quiz* quiz, HWND board, int index, const Question* question) {
    const int format = quiz->questionFormat;
    for (int j = 1; j <= format; ++j) {
        Text typed;
        readControlText(board, AnswerFieldBase + format * index + j, typed, TextSize);
        upperCaseAscii(typed);
        Text stored;
        copyText(stored, storedAnswer(question, j != 1));
        upperCaseAscii(stored);
        if (lstrcmpA(typed, stored) != 0) return false;
    }
    return true;
}

// Puts answer picture i in the picture box, centred in the cell's picture
// square where scrolling has moved the cell to. Without a picture box (every
// style but pictures) the picture is not even loaded, as it would go nowhere.
static void showAnswerPicture(const Quiz* quiz, HWND board, int i) {
    HWND box = boardItem(board, PictureBoxBase + i);
    if (!box) return;
    HBITMAP picture = loadPicture(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(AnswerPictureBase + i), MediaResourceType,
                                  PictureSquareSize, PictureSquareSize);
    if (!picture) return;
    BITMAP size = {};
    GetObjectA(picture, sizeof size, &size);
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0));

    const int squareLeft =
        gridColumnLeft(i, quiz->questionFormat) + 30 - GetScrollPos(board, SB_HORZ) * scrollUnit;
    const int squareTop =
        gridRowBase(i, quiz->answerMode) - PictureSquareSize - GetScrollPos(board, SB_VERT) * scrollUnit;
    SetWindowPos(box, HWND_TOPMOST, squareLeft + (PictureSquareSize - size.bmWidth) / 2,
                 squareTop + (PictureSquareSize - size.bmHeight) / 2, size.bmWidth, size.bmHeight,
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    UpdateWindow(box);
    SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (shown) DeleteObject(shown);
}

static void revealQuestion(const Quiz* quiz, HWND board, int i, const Question* question) {
    switch (quiz->answerMode) {
    case 1:
        showAnswerPicture(quiz, board, i);
        break;
    case 2:
        setControlText(board, RevealBoxBase + i, question->reveal);
        break;
    case 3:
        setControlText(board, RevealBoxBase + i, question->reveal);
        showAnswerPicture(quiz, board, i);
        break;
    }
}

void judgeAnswer(Quiz* quiz, HWND board, int fieldId) {
    FieldTarget target;
    if (!quiz || !fieldTarget(quiz->questionFormat, fieldId, &target)) return;
    const Question* question = questionAt(quiz, target.questionIndex);
    if (!question || target.questionIndex >= quiz->questionCount) return;
    const int i = target.questionIndex + 1;

    Text typed;
    readControlText(board, fieldId, typed, TextSize);
    const char* verdict = chooseVerdict(typed, storedAnswer(question, target.secondAnswer));
    const bool right = lstrcmpA(verdict, VerdictRight) == 0;

    const bool revealsAtOnce = quiz->answerMode >= 1 && quiz->answerMode <= 3;
    if (right && revealsAtOnce && questionComplete(quiz, board, target.questionIndex, question))
        revealQuestion(quiz, board, i, question);
    if (!right) setControlText(board, RevealBoxBase + i, "");
    setControlText(board, fieldId + VerdictLabelOffset, verdict);
    if (recountDeferred) recountPending = true;
    else updateScore(quiz, board);
}

void deferScoreRecount() {
    recountDeferred = true;
    recountPending = false;
}

void finishDeferredScoreRecount(Quiz* quiz, HWND board) {
    const bool pending = recountPending;
    recountDeferred = false;
    recountPending = false;
    if (pending) updateScore(quiz, board);
}

static bool labelSaysRight(HWND board, int labelId) {
    char label[VerdictReadSize];
    readControlText(board, labelId, label, VerdictReadSize);
    return lstrcmpA(label, VerdictRight) == 0;
}

void updateScore(Quiz* quiz, HWND board) {
    const int n = quiz->questionCount;
    const int format = quiz->questionFormat;
    int score = 0;
    for (int i = 1; i <= n; ++i) {
        int rightFields = 0;
        for (int j = 1; j <= format; ++j)
            if (labelSaysRight(board, VerdictLabelBase + format * (i - 1) + j)) ++rightFields;
        if (rightFields == format) ++score;
    }

    HWND frame = GetParent(board);
    char scoreText[32];
    snprintf(scoreText, sizeof scoreText, " %d / %d", score, n);
    SetDlgItemTextA(frame, ScoreDisplayId, scoreText);
    const bool hasCode = score >= 1 && score <= MaxQuestions;
    SetDlgItemTextA(frame, CodeDisplayId, hasCode ? quiz->codes[score - 1] : noCode);

    if (score == n && quiz->answerMode == 4) {
        for (int i = 1; i <= n; ++i) {
            const Question* question = questionAt(quiz, i - 1);
            if (question) setControlText(board, RevealBoxBase + i, question->reveal);
        }
    }
}
