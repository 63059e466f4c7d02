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

TEST(CellVerticalSpan, ReachesFromTheTopOfEachStylesCellToItsLowestControl) {
    const struct { int style, i, format, mode, top, bottom; } cases[] = {
        {1, 4, 1, 2, 410, 791},        // picture square to reveal box; question 4 opens row 2 (baseline 670)
        {1, 4, 1, 1, 610 - 260, 659},  // without a reveal box: down to below the verdict label
        {2, 5, 2, 2, 100, 145},        // sound, row top 100
        {3, 4, 1, 1, 360, 610},        // video, baseline 610
        {0, 4, 1, 2, 84, 105},         // text row, row top 85
        {7, 4, 1, 2, 84, 105},         // an unknown style as a text row
    };
    for (const auto& c : cases) {
        VerticalSpan span = cellVerticalSpan(c.style, c.i, c.format, c.mode);
        EXPECT_EQ(span.top, c.top) << c.style << " mode " << c.mode;
        EXPECT_EQ(span.bottom, c.bottom) << c.style << " mode " << c.mode;
    }
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
