#pragma once
// Where everything of the board stands: pixels of the board's client area
// with both scroll positions at 0. No platform calls; the board, the play
// model (which field a Tab step reaches and how far the board scrolls to
// show it) and the tests all take their numbers from here.
#include "format/format.h"

enum {
    ScrollUnit = 1,          // pixels per scroll position
    VerticalLineStep = 30,   // a vertical line step, in scroll positions
    WheelNotch = 120,        // a mouse wheel's delta for one notch
};

// Adds a mouse wheel's delta to what a window has gathered and returns the
// vertical line steps it makes: one a notch, positive away from the user
// (towards the top). What is left over waits for the next delta; a turn the
// other way drops it, so that the wheel answers at once when reversed.
int wheelLineSteps(int* gathered, int delta);

int listRowTop(int i, int format);      // style 0, row of question i (from 1)
int soundRowTop(int i);                 // style 2
int gridColumnLeft(int i, int format);  // styles 1 to 3
int gridRowBase(int i, int style, int mode);  // styles 1 and 3

// The style the board lays out: 0 to 3, anything else as text rows (0).
int boardStyle(int style);

struct ContentSize {
    int width;
    int height;
};

// The board's scrollable content for a quiz; a style outside 0 to 3 is laid
// out as style 0.
ContentSize contentSizeFor(int style, int questionCount, int questionFormat, int answerMode);

// A control's place: left, top, width, height. All zero: no such control.
struct Box {
    int x;
    int y;
    int width;
    int height;
};

// Where every control of cell i (from 1) stands. Boxes of controls that the
// style does not create are left all zero. answerFields/verdictLabels hold
// field j (from 1) at index j - 1, for a format of 1 or 2.
struct CellGeometry {
    Box numberLabel;
    Box questionLabel;   // style 0
    Box pictureSquare;   // style 1: the square the picture is centred in
    Box revealBox;       // style 1
    Box playButton;      // styles 2 and 3
    Box stopButton;      // styles 2 and 3
    Box videoBox;        // style 3
    Box answerFields[2];
    Box verdictLabels[2];
};
CellGeometry cellGeometry(int style, int i, int format, int mode);

// A picture of w x h centred in the cell's picture square (the whole square
// when there is no picture).
Box pictureBoxFor(const CellGeometry& cell, int pictureWidth, int pictureHeight);

// Row caption `which` (0 first, 1 second) beside the grid row of cell i;
// the board makes them for format 2 on cells 1, 4, 7, ... All zero in text
// rows, which show the captions in the fields instead (rowCaptionsInFields).
Box rowCaptionBox(int style, int i, int which, int mode);
// Text rows have no room beside a row for a caption: each answer field
// shows its caption itself, as the text it holds while empty.
bool rowCaptionsInFields(int style);

// The smallest box holding every control of question i's cell in content
// pixels (with its grid row's captions for the first cell of a row), cut to
// the content, and that of answer field j (from 1) with its verdict label.
Box cellBounds(int style, int i, int format, int mode);
Box answerFieldBounds(int style, int i, int j, int format, int mode);

// How far, in pixels (positive: towards the end), a view of `visible`
// pixels starting at `position` must move along one axis so that the span
// of `size` pixels from `start` lies within it, moving as little as
// possible. A span larger than the view is aligned on its start.
int scrollToShow(int start, int size, int position, int visible);
