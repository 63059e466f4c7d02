#include "layout/layout.h"

#include <algorithm>

// A text row holds one answer field, or two one above the other.
static int listRowPitch(int format) { return format == 2 ? 45 : 25; }

int listRowTop(int i, int format) { return (i - 1) * listRowPitch(format) + 10; }

int soundRowTop(int i) { return (i - 1) / 3 * 80 + 20; }

int gridColumnLeft(int i, int format) { return (i - 1) % 3 * 290 + (format == 2 ? 90 : 0); }

// Picture cells show a reveal box below their answer in the modes with
// texts: at once (2 and 3) or once the whole quiz is solved (4).
static bool hasRevealBox(int style, int mode) { return style == 1 && mode >= 2 && mode <= 4; }

// Grid rows with reveal texts below their answers need more room; video
// grids have always been laid out so in modes 2 and 3 too.
static int gridRowPitch(int style, int mode) {
    return hasRevealBox(style, mode) || mode == 2 || mode == 3 ? 390 : 330;
}

int gridRowBase(int i, int style, int mode) { return (i - 1) / 3 * gridRowPitch(style, mode) + 280; }

int wheelLineSteps(int* gathered, int delta) {
    if ((*gathered > 0 && delta < 0) || (*gathered < 0 && delta > 0)) *gathered = 0;
    *gathered += delta;
    const int steps = *gathered / WheelNotch;  // toward zero: the remainder keeps its sign
    *gathered -= steps * WheelNotch;
    return steps;
}

int boardStyle(int style) { return style >= 0 && style <= 3 ? style : 0; }

ContentSize contentSizeFor(int style, int questionCount, int questionFormat, int answerMode) {
    int n = questionCount;
    int rows = (n + 2) / 3;
    int gridWidth = n <= 2 ? 830 : (questionFormat == 1 ? 890 : 980);
    switch (boardStyle(style)) {
    case 1:
    case 3:
        return ContentSize{gridWidth, rows * gridRowPitch(boardStyle(style), answerMode) + 25};
    case 2:
        return ContentSize{gridWidth, rows * 80 + 20};
    default:
        return ContentSize{830, listRowPitch(questionFormat) * n + 25};
    }
}

static Box box(int x, int y, int width, int height) { return Box{x, y, width, height}; }

CellGeometry cellGeometry(int style, int i, int format, int mode) {
    CellGeometry cell = {};
    int x = gridColumnLeft(i, format);
    int ax = 0, ay = 0, aw = 0;
    Box singleVerdict = {};
    switch (boardStyle(style)) {
    case 0: {
        int y = listRowTop(i, format);
        cell.numberLabel = box(30, y + 3, 19, 17);
        cell.questionLabel = box(50, y, 550, 20);
        // Two answers share the row's whole answer strip (up to x 810, as a
        // single answer with its verdict), wide enough for their captions.
        ax = 615, ay = y, aw = format == 2 ? 180 : 100;
        singleVerdict = box(720, y - 1, 90, 20);
        break;
    }
    case 1: {
        int y = gridRowBase(i, 1, mode);
        cell.numberLabel = box(x + 10, y + 12, 19, 17);
        cell.pictureSquare = box(x + 30, y - PictureBoxSize, PictureBoxSize, PictureBoxSize);
        if (hasRevealBox(1, mode)) cell.revealBox = box(x + 30, y + 56, 260, 65);
        ax = x + 30, ay = y + 10, aw = format == 1 ? 260 : 240;
        singleVerdict = box(x + 30, y + 29, 260, 20);
        break;
    }
    case 2: {
        int y = soundRowTop(i);
        cell.numberLabel = box(x + 10, y + 2, 19, 17);
        cell.playButton = box(x + 30, y, 20, 21);
        cell.stopButton = box(x + 30, y + 21, 20, 20);
        ax = x + 50, ay = y, aw = 220;
        singleVerdict = box(x + 50, y + 19, 220, 20);
        break;
    }
    case 3: {
        int y = gridRowBase(i, 3, mode);
        cell.numberLabel = box(x - 10, y - 36, 19, 17);
        cell.playButton = box(x + 15, y - 40, 20, 20);
        cell.stopButton = box(x + 15, y - 20, 20, 20);
        cell.videoBox = box(x + 15, y - 250, 200, 150);
        ax = x + 35, ay = y - 40, aw = 230;
        singleVerdict = box(x + 35, y - 21, 230, 20);
        break;
    }
    }
    if (format == 1) {
        cell.answerFields[0] = box(ax, ay, aw, 20);
        cell.verdictLabels[0] = singleVerdict;
    } else if (format == 2) {
        for (int j = 0; j < 2; ++j) {
            cell.answerFields[j] = box(ax, ay + 20 * j, aw - 50, 21);
            cell.verdictLabels[j] = box(ax + aw - 45, ay + 1 + 20 * j, 60, 17);
        }
    }
    return cell;
}

Box pictureBoxFor(const CellGeometry& cell, int pictureWidth, int pictureHeight) {
    const Box& square = cell.pictureSquare;
    return box(square.x + (square.width - pictureWidth) / 2, square.y + (square.height - pictureHeight) / 2,
               pictureWidth, pictureHeight);
}

Box rowCaptionBox(int style, int i, int which, int mode) {
    int step = 20 * which;
    switch (boardStyle(style)) {
    case 1:
        return box(3, gridRowBase(i, 1, mode) + 12 + step, 95, 20);
    case 2:
        return box(3, soundRowTop(i) + 5 + step, 95, 20);
    case 3:
        // Beside the two answer fields, clear of the number label at x - 10.
        return box(3, gridRowBase(i, 3, mode) - 40 + step, 75, 20);
    default:
        return Box{};
    }
}

bool rowCaptionsInFields(int style) { return boardStyle(style) == 0; }

// Grows bounds to hold box; boxes all zero stand for no control.
static void extend(Box* bounds, const Box& box) {
    if (box.width == 0 && box.height == 0) return;
    if (bounds->width == 0 && bounds->height == 0) {
        *bounds = box;
        return;
    }
    const int right = std::max(bounds->x + bounds->width, box.x + box.width);
    const int bottom = std::max(bounds->y + bounds->height, box.y + box.height);
    bounds->x = std::min(bounds->x, box.x);
    bounds->y = std::min(bounds->y, box.y);
    bounds->width = right - bounds->x;
    bounds->height = bottom - bounds->y;
}

Box cellBounds(int style, int i, int format, int mode) {
    const CellGeometry cell = cellGeometry(style, i, format, mode);
    Box bounds = {};
    const Box* boxes[] = {&cell.numberLabel, &cell.questionLabel, &cell.pictureSquare, &cell.revealBox,
                          &cell.playButton,  &cell.stopButton,    &cell.videoBox,      &cell.answerFields[0],
                          &cell.answerFields[1], &cell.verdictLabels[0], &cell.verdictLabels[1]};
    for (const Box* box : boxes) extend(&bounds, *box);
    if (format == 2 && (i - 1) % 3 == 0)
        for (int which = 0; which < 2; ++which) extend(&bounds, rowCaptionBox(style, i, which, mode));
    // Only the part within the content can be scrolled to: a video cell's
    // number label starts 10 pixels left of it.
    if (bounds.x < 0) bounds.width += bounds.x, bounds.x = 0;
    return bounds;
}

Box answerFieldBounds(int style, int i, int j, int format, int mode) {
    Box bounds = {};
    if (j < 1 || j > 2) return bounds;
    const CellGeometry cell = cellGeometry(style, i, format, mode);
    extend(&bounds, cell.answerFields[j - 1]);
    extend(&bounds, cell.verdictLabels[j - 1]);
    return bounds;
}

int scrollToShow(int start, int size, int position, int visible) {
    if (size > visible || start < position) return start - position;
    const int overhang = start + size - (position + visible);
    return overhang > 0 ? overhang : 0;
}
