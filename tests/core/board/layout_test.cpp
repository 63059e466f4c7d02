#include <gtest/gtest.h>

#include "app/placement.h"
#include "board/layout.h"

namespace {

void expectBox(const Box& box, int x, int y, int width, int height) {
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

TEST(RowPositions, FollowTheirPitchesFromTheFirstRow) {
    const struct { int (*row)(int); int i, top; } rows[] = {
        {listRowTop, 1, 10}, {listRowTop, 4, 85}, {soundRowTop, 1, 20}, {soundRowTop, 3, 20}, {soundRowTop, 5, 100}};
    for (const auto& r : rows) EXPECT_EQ(r.row(r.i), r.top) << r.i;
    // Grid rows: a 390 pitch with reveal boxes (modes 2 and 3), 330 without.
    const int bases[][3] = {{4, 2, 670}, {4, 3, 670}, {4, 1, 610}, {4, 4, 610}, {3, 2, 280}};
    for (auto& b : bases) EXPECT_EQ(gridRowBase(b[0], b[1]), b[2]) << b[0] << " mode " << b[1];
    const int columns[][3] = {{1, 1, 0}, {2, 1, 290}, {3, 2, 670}, {4, 2, 90}};
    for (auto& c : columns) EXPECT_EQ(gridColumnLeft(c[0], c[1]), c[2]) << c[0] << " format " << c[1];
}

TEST(ContentSize, FollowsStyleCountFormatAndMode) {
    const struct { int style, count, format, mode, width, height; } cases[] = {
        {0, 10, 1, 2, 830, 275},  {0, 0, 1, 2, 830, 25},     // text rows: 25 a question
        {1, 10, 1, 2, 890, 1585}, {1, 10, 1, 4, 890, 1345},  // grids count started rows of three
        {3, 10, 1, 3, 890, 1585}, {3, 9, 1, 1, 890, 1015},   {2, 10, 1, 2, 890, 340},
        {2, 0, 1, 2, 830, 20},
        {1, 2, 2, 2, 830, 415},   {2, 1, 1, 2, 830, 100},    // wider only past two questions
        {3, 3, 2, 2, 980, 415},   {2, 30, 7, 2, 980, 820},
        {7, 10, 2, 2, 830, 275},  {-1, 4, 1, 2, 830, 125},   // unknown styles as text rows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << c.count << " " << c.format << " " << c.mode);
        ContentSize size = contentSizeFor(c.style, c.count, c.format, c.mode);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
    }
    EXPECT_EQ(boardStyle(4), 0);
    EXPECT_EQ(boardStyle(3), 3);
}

TEST(CellGeometry, OfATextRowPlacesCaptionAnswerAndVerdictOnTheRow) {
    CellGeometry cell = cellGeometry(0, 2, 1, 2);
    expectBox(cell.numberLabel, 30, 38, 19, 17);
    expectBox(cell.questionLabel, 50, 35, 550, 20);
    expectBox(cell.answerFields[0], 615, 35, 100, 20);
    expectBox(cell.verdictLabels[0], 720, 34, 90, 20);
    expectBox(cell.playButton, 0, 0, 0, 0);
}

TEST(CellGeometry, OfAPictureCellHangsThePictureAboveTheRowBase) {
    CellGeometry cell = cellGeometry(1, 5, 1, 2);  // X 290, Y 670
    expectBox(cell.numberLabel, 300, 682, 19, 17);
    expectBox(cell.pictureSquare, 320, 410, 260, 260);
    expectBox(cell.revealBox, 320, 726, 260, 65);
    expectBox(cell.answerFields[0], 320, 680, 260, 20);
    expectBox(cell.verdictLabels[0], 320, 699, 260, 20);
}

TEST(CellGeometry, CentresAPictureInItsSquareAndFillsItWithoutOne) {
    CellGeometry cell = cellGeometry(1, 1, 1, 2);  // square at 30, 20
    expectBox(pictureBoxFor(cell, 260, 195), 30, 52, 260, 195);
    expectBox(pictureBoxFor(cell, 101, 260), 109, 20, 101, 260);
    expectBox(pictureBoxFor(cell, 260, 260), 30, 20, 260, 260);
}

TEST(CellGeometry, OfASoundCellStacksPlayOverStop) {
    CellGeometry cell = cellGeometry(2, 6, 1, 2);  // X 580, Y 100
    expectBox(cell.numberLabel, 590, 102, 19, 17);
    expectBox(cell.playButton, 610, 100, 20, 21);
    expectBox(cell.stopButton, 610, 121, 20, 20);
    expectBox(cell.answerFields[0], 630, 100, 220, 20);
    expectBox(cell.verdictLabels[0], 630, 119, 220, 20);
}

TEST(CellGeometry, OfAVideoCellPutsTheButtonsBelowThePlayer) {
    CellGeometry cell = cellGeometry(3, 1, 1, 4);  // X 0, Y 280
    expectBox(cell.numberLabel, -10, 244, 19, 17);
    expectBox(cell.playButton, 15, 240, 20, 20);
    expectBox(cell.stopButton, 15, 260, 20, 20);
    expectBox(cell.videoBox, 15, 30, 200, 150);
    expectBox(cell.answerFields[0], 35, 240, 230, 20);
    expectBox(cell.verdictLabels[0], 35, 259, 230, 20);
}

TEST(CellGeometry, WithTwoAnswersPutsEachVerdictBesideItsField) {
    CellGeometry cell = cellGeometry(1, 1, 2, 2);  // X 90, Y 280, AW 240
    expectBox(cell.answerFields[0], 120, 290, 190, 21);
    expectBox(cell.answerFields[1], 120, 310, 190, 21);
    expectBox(cell.verdictLabels[0], 315, 291, 60, 17);
    expectBox(cell.verdictLabels[1], 315, 311, 60, 17);
    CellGeometry sound = cellGeometry(2, 2, 2, 2);  // X 380, Y 20, AW 220
    expectBox(sound.answerFields[1], 430, 40, 170, 21);
    expectBox(sound.verdictLabels[1], 605, 41, 60, 17);
}

TEST(CellGeometry, WithAnUnsupportedFormatHasNoAnswerFields) {
    CellGeometry cell = cellGeometry(0, 1, 3, 2);
    expectBox(cell.answerFields[0], 0, 0, 0, 0);
    expectBox(cell.verdictLabels[1], 0, 0, 0, 0);
    expectBox(cell.numberLabel, 30, 13, 19, 17);
}

TEST(RowCaptions, StandAtTheLeftOfTheirRowWithoutTouchingTheNumberLabel) {
    expectBox(rowCaptionBox(1, 4, 0, 2), 3, 682, 95, 20);
    expectBox(rowCaptionBox(1, 4, 1, 2), 3, 702, 95, 20);
    expectBox(rowCaptionBox(2, 7, 1, 2), 3, 205, 95, 20);
    // Video and text rows: facing the answer fields, left of the number label.
    for (int style : {3, 0}) {
        CellGeometry cell = cellGeometry(style, 4, 2, 2);
        for (int which : {0, 1}) {
            Box caption = rowCaptionBox(style, 4, which, 2);
            EXPECT_EQ(caption.y, style ? cell.answerFields[which].y : listRowTop(4) + 20 * which) << style;
            EXPECT_LT(caption.x + caption.width, cell.numberLabel.x) << style;
        }
    }
}

TEST(FramePlacement, CentresWithTruncationTowardZero) {
    EXPECT_EQ(centredStart(0, 1280, 870), 205);
    EXPECT_EQ(centredStart(0, 1024, 650), 187);
    EXPECT_EQ(centredStart(0, 800, 870), -35);
    EXPECT_EQ(centredStart(0, 801, 870), -34);  // -69 / 2 truncates to -34
    EXPECT_EQ(centredStart(100, 1000, 500), 350);
}

TEST(FramePlacement, LinkFontIsThreeQuartersOfTheLinkHeight) {
    EXPECT_EQ(linkFontHeight(18), -13);
    EXPECT_EQ(linkFontHeight(20), -15);
    EXPECT_EQ(linkFontHeight(1), 0);
}

}  // namespace
