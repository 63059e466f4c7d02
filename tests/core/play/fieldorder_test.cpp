#include <gtest/gtest.h>

#include "play/fieldorder.h"

TEST(FieldOrder, StepsWrapAroundAndFieldsBelongToQuestionsInTurn) {
    const int steps[][4] = {{1, 1, 6, 2}, {6, 1, 6, 1}, {1, -1, 6, 6}, {6, -1, 6, 5}, {1, 1, 1, 1}, {1, -1, 1, 1}};
    for (auto& s : steps) EXPECT_EQ(nextFieldNumber(s[0], s[1], s[2]), s[3]) << s[0] << " " << s[1];
    const int questions[][3] = {{3, 1, 3}, {5, 2, 3}, {6, 2, 3}, {7, 2, 4}};
    for (auto& q : questions) EXPECT_EQ(questionOfField(q[0], q[1]), q[2]) << q[0] << " format " << q[1];
}
