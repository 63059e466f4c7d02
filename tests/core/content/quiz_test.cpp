#include <gtest/gtest.h>
#include <string.h>

#include "content/quiz.h"

TEST(QuizList, AppendingToAnEmptyListMakesTheNodeBothEnds) {
    Quiz quiz;
    appendQuestion(&quiz, "Paris", "", "France");
    ASSERT_NE(quiz.firstQuestion, nullptr);
    EXPECT_EQ(quiz.firstQuestion, quiz.lastQuestion);
    EXPECT_EQ(quiz.firstQuestion->prev, nullptr);
    EXPECT_EQ(quiz.firstQuestion->next, nullptr);
    EXPECT_STREQ(quiz.firstQuestion->reveal, "");
}

TEST(QuizList, WalksBothWaysInAppendOrder) {
    Quiz quiz;
    const char* names[] = {"A", "B", "C"};
    for (const char* name : names) appendQuestion(&quiz, name, "", "x");
    int i = 0;
    for (Question* q = quiz.firstQuestion; q; q = q->next) EXPECT_STREQ(q->answer, names[i++]);
    EXPECT_EQ(i, 3);
    for (Question* q = quiz.lastQuestion; q; q = q->prev) EXPECT_STREQ(q->answer, names[--i]);
    EXPECT_EQ(i, 0);
}

TEST(QuizList, QuestionAtClampsToTheLastAndIsNullWhenEmpty) {
    Quiz quiz;
    EXPECT_EQ(questionAt(&quiz, 0), nullptr);
    appendQuestion(&quiz, "one", "", "");
    appendQuestion(&quiz, "two", "", "");
    EXPECT_STREQ(questionAt(&quiz, 0)->answer, "one");
    EXPECT_STREQ(questionAt(&quiz, 5)->answer, "two");
    EXPECT_EQ(questionAt(&quiz, -1), nullptr);
}

TEST(QuizList, ClearingEmptiesTheListAndAppendingStartsAnew) {
    Quiz quiz;
    clearQuestions(&quiz);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    appendQuestion(&quiz, "a", "", "");
    appendQuestion(&quiz, "b", "", "");
    clearQuestions(&quiz);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    EXPECT_EQ(quiz.lastQuestion, nullptr);
    appendQuestion(&quiz, "c", "", "");
    EXPECT_STREQ(quiz.firstQuestion->answer, "c");
    EXPECT_EQ(quiz.firstQuestion, quiz.lastQuestion);
}

TEST(QuizList, OverlongTextsAreCutTo259Bytes) {
    Quiz quiz;
    char longText[600];
    memset(longText, 'x', sizeof longText - 1);
    longText[sizeof longText - 1] = '\0';
    appendQuestion(&quiz, longText, longText, longText);
    EXPECT_EQ(strlen(quiz.firstQuestion->answer), 259u);
    EXPECT_EQ(strlen(quiz.firstQuestion->caption), 259u);
}

TEST(QuizRecord, ConstructorGivesNeutralValues) {
    Quiz quiz;
    EXPECT_EQ(quiz.answerMode, 2);
    EXPECT_EQ(quiz.questionCount, 0);
    EXPECT_STREQ(quiz.title, "");
    EXPECT_STREQ(quiz.codes[89], "");
    EXPECT_EQ(quiz.backBrush, nullptr);
}
