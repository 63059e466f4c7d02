#pragma once
// The board's own state, reached from its window (DWLP_USER), and what its
// files share. Only the board folder includes this.
#include "board/board.h"
#include "layout/layout.h"

// The handles of the controls the board looks up by ID, recorded as it
// creates them: GetDlgItem walks every child, several hundred in a full
// grid.
struct ControlTable {
    HWND answerFields[MaxAnswerFields + 1];
    HWND verdictLabels[MaxAnswerFields + 1];
    HWND revealBoxes[MaxQuestions + 1];
    HWND pictureBoxes[MaxQuestions + 1];
};

struct BoardState {
    HWND board;
    HINSTANCE instance;
    const Quiz* quiz;
    PlayState* play;
    PicturePrefetch* prefetch;  // only while the cells are built
    int style;                  // the style laid out (an unknown one as text rows)
    ContentSize content;
    int visibleWidth;           // the client area, at most the content
    int visibleHeight;
    ControlTable controls;
    HBRUSH questionBrush;                   // made when first needed
    HBRUSH verdictBrushes[VerdictCount];    // likewise, one a verdict
    HICON playIcon;
    HICON stopIcon;
    MediaPlayers media;
    int wheelGathered;      // wheel deltas short of a notch (wheelLineSteps)
    bool building;          // the cells are being made: the score is counted once, at the end
    bool judgedWhileBuilding;
    bool toldNoVideoPlayer;  // the player knows a video player could not be made
};

BoardState* boardState(HWND board);
HWND boardControl(const BoardState* state, int id);
// Notes a control the board made, for boardControl.
void recordControl(BoardState* state, int id, HWND control);

// Builds every cell (WM_INITDIALOG).
void buildCells(BoardState* state);
// Sets both scroll bars from the client area and the content size.
void updateScrollBars(BoardState* state);
// Scrolls the content by so many positions across and down (negative: back),
// within the bars' ranges.
void scrollBoardBy(BoardState* state, int across, int down);

// Judges answer field k as it reads now and shows what changed; outside
// the building of the cells, the score too.
void judgeAnswerField(BoardState* state, int k);
// Counts the score anew and has the frame show it; in answer mode 4 fills
// the reveal boxes once every question is solved.
void showScore(BoardState* state);

// The answer fields' keyboard procedure and the procedure it forwards to.
LRESULT CALLBACK answerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
void subclassAnswerField(HWND field);
