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
    EXPECT_EQ(listRowTop(1), 10);
    EXPECT_EQ(listRowTop(4), 85);
    EXPECT_EQ(soundRowTop(1), 20);
    EXPECT_EQ(soundRowTop(3), 20);
    EXPECT_EQ(soundRowTop(5), 100);
    EXPECT_EQ(gridRowBase(4, 2), 670);
    EXPECT_EQ(gridRowBase(4, 3), 670);
    EXPECT_EQ(gridRowBase(4, 1), 610);
    EXPECT_EQ(gridRowBase(4, 4), 610);
    EXPECT_EQ(gridRowBase(3, 2), 280);
}

TEST(GridColumns, RepeatEveryThreeCellsAndShiftRightForTwoAnswers) {
    EXPECT_EQ(gridColumnLeft(1, 1), 0);
    EXPECT_EQ(gridColumnLeft(2, 1), 290);
    EXPECT_EQ(gridColumnLeft(3, 2), 670);
    EXPECT_EQ(gridColumnLeft(4, 2), 90);
}

TEST(ContentSize, OfTextRowsGrowsByTwentyFivePerQuestion) {
    ContentSize size = contentSizeFor(0, 10, 1, 2);
    EXPECT_EQ(size.width, 830);
    EXPECT_EQ(size.height, 275);
    EXPECT_EQ(contentSizeFor(0, 0, 1, 2).height, 25);
}

TEST(ContentSize, OfGridsCountsStartedRowsOfThree) {
    EXPECT_EQ(contentSizeFor(1, 10, 1, 2).height, 1585);
    EXPECT_EQ(contentSizeFor(1, 10, 1, 4).height, 1345);
    EXPECT_EQ(contentSizeFor(3, 10, 1, 3).height, 1585);
    EXPECT_EQ(contentSizeFor(3, 9, 1, 1).height, 1015);
    EXPECT_EQ(contentSizeFor(2, 10, 1, 2).height, 340);
    EXPECT_EQ(contentSizeFor(2, 0, 1, 2).height, 20);
}

TEST(ContentSize, OfGridsIsWiderForTwoAnswersUnlessThereAreAtMostTwoQuestions) {
    EXPECT_EQ(contentSizeFor(1, 2, 2, 2).width, 830);
    EXPECT_EQ(contentSizeFor(2, 1, 1, 2).width, 830);
    EXPECT_EQ(contentSizeFor(1, 3, 1, 2).width, 890);
    EXPECT_EQ(contentSizeFor(3, 3, 2, 2).width, 980);
    EXPECT_EQ(contentSizeFor(2, 30, 7, 2).width, 980);
}

TEST(ContentSize, OfAnUnknownStyleIsThatOfTextRows) {
    ContentSize size = contentSizeFor(7, 10, 2, 2);
    EXPECT_EQ(size.width, 830);
    EXPECT_EQ(size.height, 275);
    EXPECT_EQ(contentSizeFor(-1, 4, 1, 2).height, 125);
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

TEST(RowCaptions, StandAtTheLeftOfTheirGridRow) {
    expectBox(rowCaptionBox(1, 4, 0, 2), 3, 682, 95, 20);
    expectBox(rowCaptionBox(1, 4, 1, 2), 3, 702, 95, 20);
    expectBox(rowCaptionBox(2, 7, 0, 2), 3, 185, 95, 20);
    expectBox(rowCaptionBox(2, 7, 1, 2), 3, 205, 95, 20);
}

TEST(RowCaptions, OfVideoRowsFaceTheAnswerFieldsWithoutTouchingTheNumberLabel) {
    Box first = rowCaptionBox(3, 4, 0, 2);
    Box second = rowCaptionBox(3, 4, 1, 2);
    CellGeometry cell = cellGeometry(3, 4, 2, 2);
    EXPECT_EQ(first.y, cell.answerFields[0].y);
    EXPECT_EQ(second.y, cell.answerFields[1].y);
    EXPECT_LT(first.x + first.width, cell.numberLabel.x);
}

TEST(RowCaptions, OfTextRowsStayLeftOfTheNumberLabelsOnTheirOwnRow) {
    Box first = rowCaptionBox(0, 4, 0, 2);
    Box second = rowCaptionBox(0, 4, 1, 2);
    CellGeometry cell = cellGeometry(0, 4, 2, 2);
    EXPECT_EQ(first.y, listRowTop(4));
    EXPECT_EQ(second.y, listRowTop(4) + 20);
    EXPECT_LT(first.x + first.width, cell.numberLabel.x);
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
