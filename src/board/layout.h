#pragma once
// Board geometry in pixels of the board's client area, no platform calls.

int listRowTop(int i);                  // style 0, row of question i (from 1)
int soundRowTop(int i);                 // style 2
int gridColumnLeft(int i, int format);  // styles 1 to 3
int gridRowBase(int i, int mode);       // styles 1 and 3

struct ContentSize {
    int width;
    int height;
};

// The board's scrollable content for a quiz; a style outside 0 to 3 is laid
// out as style 0.
ContentSize contentSizeFor(int style, int questionCount, int questionFormat, int answerMode);

// The style the board lays out: 0 to 3, anything else as text rows (0).
int boardStyle(int style);

// A control's place: left, top, width, height.
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
    Box pictureSquare;   // style 1: the 260 x 260 square the picture is centred in
    Box revealBox;       // style 1
    Box playButton;      // styles 2 and 3
    Box stopButton;      // styles 2 and 3
    Box videoBox;        // style 3
    Box answerFields[2];
    Box verdictLabels[2];
};
CellGeometry cellGeometry(int style, int i, int format, int mode);

// The picture box of a style 1 cell: a picture of w x h centred in its
// square (260 x 260 when there is no picture).
Box pictureBoxFor(const CellGeometry& cell, int pictureWidth, int pictureHeight);

// Row caption `which` (0 first, 1 second) beside the row of cell i; used for
// format 2 on cells 1, 4, 7, ...
Box rowCaptionBox(int style, int i, int which, int mode);
