#include <gtest/gtest.h>

#include "play/fieldorder.h"

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
