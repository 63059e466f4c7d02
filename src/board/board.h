#pragma once
// The board: the scrolling child dialog that shows one cell per question.
// It draws the play model and forwards what the player does to it.
#include <windows.h>

#include "content/quiz.h"
#include "media/picture.h"
#include "media/playback.h"
#include "play/play.h"

enum {
    NumberLabelId = 153,
    RowCaptionId = 156,
    QuestionLabelId = 3000,
    AnswerFieldBase = 4000,   // answer field k: 4000 + k
    VerdictLabelBase = 5000,  // its verdict label: 5000 + k
    PlayButtonBase = 6000,    // cell i: 6000 + i
    StopButtonBase = 7000,
    RevealBoxBase = 8000,
    PictureBoxBase = 9000,
    VideoBoxBase = 9900,
    // Sent to the board's parent whenever the score has been counted anew:
    // it shows the model's score and code line.
    BoardScoreChanged = WM_APP + 1,
    // Posted to the board's parent after a judgement of a field whose text
    // the results file does not hold yet: the answers are to be written.
    BoardAnswersChanged = WM_APP + 2,
};

// What a board is made from; the quiz and the model outlive the board.
struct BoardParams {
    HINSTANCE instance;
    const Quiz* quiz;
    PlayState* play;                       // started, answers restored
    PicturePrefetch* prefetch;             // question pictures decoded ahead, or null
    AtlAxAttachControlProc attachControl;  // video hosting, null without
};

// Creates the board inside parent and builds its cells; null on failure.
HWND createBoard(HWND parent, const BoardParams* params);
// The board's child with this ID, as GetDlgItem finds it, but without a walk
// over every child for the controls of the cells.
HWND boardItem(HWND board, int id);
// Posts the board one vertical line step request per wheel step (positive:
// up), handled in message order as the wheel's notches always were.
void postWheelSteps(HWND board, int steps);
// Closes the board's sound window and video players and deletes the media
// files they let go (the quiz is closing); what a player still holds goes
// when the board is destroyed.
void closeBoardMedia(HWND board);
// The board's sound and video players.
MediaPlayers* boardMediaPlayers(HWND board);
