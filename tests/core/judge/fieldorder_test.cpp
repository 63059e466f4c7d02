#include <gtest/gtest.h>

#include "judge/fieldorder.h"

TEST(FieldOrder, StepsWrapAroundAndRowsOfThreeQuestionsOpenAtTheirFirstField) {
    const int steps[][4] = {{1, 1, 6, 2}, {6, 1, 6, 1}, {1, -1, 6, 6}, {6, -1, 6, 5}, {1, 1, 1, 1}, {1, -1, 1, 1}};
    for (auto& s : steps) EXPECT_EQ(nextFieldNumber(s[0], s[1], s[2]), s[3]) << s[0] << " " << s[1];
    // One field a question: 4, 7, 10 open rows 2, 3, 4; two: 7 and 13.
    const int fields[][3] = {{1, 1, 0}, {3, 1, 0}, {4, 1, 1}, {5, 1, 0}, {7, 1, 1},
                             {4, 2, 0}, {7, 2, 1}, {8, 2, 0}, {13, 2, 1}};
    for (auto& f : fields) EXPECT_EQ(opensLaterGridRow(f[0], f[1]), f[2] == 1) << f[0] << " format " << f[1];
    const int questions[][3] = {{3, 1, 3}, {5, 2, 3}, {6, 2, 3}, {7, 2, 4}};
    for (auto& q : questions) EXPECT_EQ(questionOfField(q[0], q[1]), q[2]) << q[0] << " format " << q[1];
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

TEST(LineStepsToShow, ScrollsJustUntilTheSpanIsInViewKeepingTheTopOfATallOne) {
    const struct { VerticalSpan span; int position, visible, steps; } cases[] = {
        {{100, 200}, 0, 500, 0}, {{100, 500}, 0, 500, 0}, {{100, 200}, 100, 100, 0},  // already visible
        {{410, 791}, 0, 500, 10},  // 291 pixels: nine steps would leave 21 hidden
        {{410, 530}, 0, 500, 1},   {{410, 531}, 0, 500, 2},
        {{410, 791}, 440, 500, -1}, {{410, 791}, 441, 500, -2}, {{0, 50}, 300, 500, -10},
        {{410, 791}, 0, 300, 13},  // taller than the view: its top 20 pixels below the view's top
    };
    for (const auto& c : cases)
        EXPECT_EQ(lineStepsToShow(c.span, c.position, c.visible, 30), c.steps)
            << c.span.top << "-" << c.span.bottom << " at " << c.position << " in " << c.visible;
}
