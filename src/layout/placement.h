#pragma once
// Frame window arithmetic, no platform calls: the window code asks the
// system for its metrics and hands them over.
#include "layout/layout.h"

enum {
    FrameStandardWidth = 870,  // outer pixels, where the board's content fits in it
    FrameHeight = 650,         // outer pixels, whatever the quiz
    VersionLineHeight = 15,
};

// Start of a window of innerSize centred on a span of outerSize beginning at
// outerStart; the half is truncated toward zero, so a window wider than the
// span overhangs both of its edges equally.
int centredStart(int outerStart, int outerSize, int innerSize);

// Height of the link's font: three quarters of its client height, as a
// character height (negative), truncated toward zero.
int linkFontHeight(int clientHeight);

// The board's place in the frame's client area: below the header, 5 pixels
// from the left edge, 6 from the right, 18 from the bottom (the version line).
Box boardPlace(int clientWidth, int clientHeight);

// The version line in the bottom-right corner, as wide as its text, its
// right edge 15 pixels from the client area's.
Box versionLinePlace(int clientWidth, int clientHeight, int textWidth);

// What the frame's width depends on, in pixels, as the system gives them.
struct FrameMetrics {
    int nonClientWidth;  // the frame's outer width less its client width
    int boardBorder;     // the board's border, on one side
    int scrollBarWidth;  // a vertical scroll bar
    int screenWidth;     // 0: unknown, no limit
};

// The frame's outer width: enough for the board to show contentWidth whole
// beside its vertical scroll bar, at least the standard width, at most the
// screen's.
int frameOuterWidth(int contentWidth, const FrameMetrics& metrics);
