#include <gtest/gtest.h>

#include "judge/fieldorder.h"

TEST(NextFieldNumber, StepsForwardAndBackWrappingAroundAtBothEnds) {
    EXPECT_EQ(nextFieldNumber(1, 1, 6), 2);
    EXPECT_EQ(nextFieldNumber(6, 1, 6), 1);
    EXPECT_EQ(nextFieldNumber(1, -1, 6), 6);
    EXPECT_EQ(nextFieldNumber(6, -1, 6), 5);
    EXPECT_EQ(nextFieldNumber(1, 1, 1), 1);
    EXPECT_EQ(nextFieldNumber(1, -1, 1), 1);
}

TEST(OpensLaterGridRow, PicksTheFirstFieldOfEveryRowButTheFirst) {
    // One field per question: fields 4, 7, 10 open rows 2, 3, 4.
    EXPECT_FALSE(opensLaterGridRow(1, 1));
    EXPECT_FALSE(opensLaterGridRow(3, 1));
    EXPECT_TRUE(opensLaterGridRow(4, 1));
    EXPECT_FALSE(opensLaterGridRow(5, 1));
    EXPECT_TRUE(opensLaterGridRow(7, 1));
    // Two fields per question: six to a row, so 7 and 13.
    EXPECT_FALSE(opensLaterGridRow(4, 2));
    EXPECT_TRUE(opensLaterGridRow(7, 2));
    EXPECT_FALSE(opensLaterGridRow(8, 2));
    EXPECT_TRUE(opensLaterGridRow(13, 2));
}

TEST(QuestionOfField, GroupsFieldsByTheirQuestion) {
    EXPECT_EQ(questionOfField(3, 1), 3);
    EXPECT_EQ(questionOfField(5, 2), 3);
    EXPECT_EQ(questionOfField(6, 2), 3);
    EXPECT_EQ(questionOfField(7, 2), 4);
}

TEST(CellVerticalSpan, ReachesFromThePictureSquareToTheRevealBoxInThePictureGrid) {
    // Question 4 opens the second row: baseline 670 with the 390 pitch.
    VerticalSpan span = cellVerticalSpan(1, 4, 1, 2);
    EXPECT_EQ(span.top, 410);
    EXPECT_EQ(span.bottom, 791);
    // Without a reveal box the cell ends below its verdict label.
    span = cellVerticalSpan(1, 4, 1, 1);
    EXPECT_EQ(span.top, 610 - 260);
    EXPECT_EQ(span.bottom, 610 + 49);
}

TEST(CellVerticalSpan, CoversEachStylesControls) {
    VerticalSpan sound = cellVerticalSpan(2, 5, 2, 2);  // row top 100
    EXPECT_EQ(sound.top, 100);
    EXPECT_EQ(sound.bottom, 145);
    VerticalSpan video = cellVerticalSpan(3, 4, 1, 1);  // baseline 610
    EXPECT_EQ(video.top, 360);
    EXPECT_EQ(video.bottom, 610);
    VerticalSpan row = cellVerticalSpan(0, 4, 1, 2);  // row top 85
    EXPECT_EQ(row.top, 84);
    EXPECT_EQ(row.bottom, 105);
    VerticalSpan unknown = cellVerticalSpan(7, 4, 1, 2);
    EXPECT_EQ(unknown.top, row.top);
    EXPECT_EQ(unknown.bottom, row.bottom);
}

TEST(LineStepsToShow, LeavesAVisibleSpanAlone) {
    EXPECT_EQ(lineStepsToShow(VerticalSpan{100, 200}, 0, 500, 30), 0);
    EXPECT_EQ(lineStepsToShow(VerticalSpan{100, 500}, 0, 500, 30), 0);
    EXPECT_EQ(lineStepsToShow(VerticalSpan{100, 200}, 100, 100, 30), 0);
}

TEST(LineStepsToShow, ScrollsDownJustUntilTheBottomIsInView) {
    // 791 - 500 = 291 pixels: ten steps of 30, nine would leave 21 hidden.
    EXPECT_EQ(lineStepsToShow(VerticalSpan{410, 791}, 0, 500, 30), 10);
    EXPECT_EQ(lineStepsToShow(VerticalSpan{410, 530}, 0, 500, 30), 1);
    EXPECT_EQ(lineStepsToShow(VerticalSpan{410, 531}, 0, 500, 30), 2);
}

TEST(LineStepsToShow, ScrollsUpJustUntilTheTopIsInView) {
    EXPECT_EQ(lineStepsToShow(VerticalSpan{410, 791}, 440, 500, 30), -1);
    EXPECT_EQ(lineStepsToShow(VerticalSpan{410, 791}, 441, 500, 30), -2);
    EXPECT_EQ(lineStepsToShow(VerticalSpan{0, 50}, 300, 500, 30), -10);
}

TEST(LineStepsToShow, KeepsTheTopOfASpanTallerThanTheView) {
    // 381 pixels in a 300 pixel view, top 410 pixels down: 13 steps leave
    // the top 20 pixels below the view's top edge.
    EXPECT_EQ(lineStepsToShow(VerticalSpan{410, 791}, 0, 300, 30), 13);
}
