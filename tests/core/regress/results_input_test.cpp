// Results files that once broke the reader's promises, found by fuzzing.
#include <gtest/gtest.h>
#include <string.h>

#include "results/results.h"

namespace {

bool readLine(ResultsReader* reader, char (&text)[TextSize]) {
    memset(text, 'x', sizeof text);
    return readAnswerLine(reader, text);
}

}  // namespace

TEST(ResultsFileWithBinaryBytes, AStarFollowedByAZeroByteIsStillAnEmptyField) {
    const char file[] = "*\0\r\nRome\r\n";
    ResultsReader reader = {file, sizeof file - 1, 0};
    char text[TextSize];
    ASSERT_TRUE(readLine(&reader, text));
    EXPECT_STREQ(text, "");
    ASSERT_TRUE(readLine(&reader, text));
    EXPECT_STREQ(text, "Rome");
    EXPECT_FALSE(readLine(&reader, text));
}

TEST(ResultsFileWithBinaryBytes, AZeroByteEndsTheFieldTextButNotTheLine) {
    const char file[] = "Par\0is\r\nRome";
    ResultsReader reader = {file, sizeof file - 1, 0};
    char text[TextSize];
    ASSERT_TRUE(readLine(&reader, text));
    EXPECT_STREQ(text, "Par");
    ASSERT_TRUE(readLine(&reader, text));
    EXPECT_STREQ(text, "Rome");
}

TEST(ResultsFileWithBinaryBytes, AStarWithMoreAfterItIsKeptAsTyped) {
    const char file[] = "*a\r\n**\r\n";
    ResultsReader reader = {file, sizeof file - 1, 0};
    char text[TextSize];
    ASSERT_TRUE(readLine(&reader, text));
    EXPECT_STREQ(text, "*a");
    ASSERT_TRUE(readLine(&reader, text));
    EXPECT_STREQ(text, "**");
}
