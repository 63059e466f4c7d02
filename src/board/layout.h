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
