#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "content/quiz.h"

TEST(QuizList, WalksBothWaysInAppendOrderClampsQuestionAtAndStartsAnewWhenCleared) {
    Quiz quiz;
    EXPECT_EQ(questionAt(&quiz, 0), nullptr);
    clearQuestions(&quiz);
    for (const char* name : {"A", "B", "C"}) appendQuestion(&quiz, name, "", "x");
    std::string forward, backward;
    for (Question* q = quiz.firstQuestion; q; q = q->next) forward += q->answer;
    for (Question* q = quiz.lastQuestion; q; q = q->prev) backward += q->answer;
    EXPECT_EQ(forward + backward, "ABCCBA");
    EXPECT_STREQ(questionAt(&quiz, 0)->answer, "A");
    EXPECT_STREQ(questionAt(&quiz, 5)->answer, "C");
    EXPECT_EQ(questionAt(&quiz, -1), nullptr);
    clearQuestions(&quiz);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    EXPECT_EQ(quiz.lastQuestion, nullptr);
    appendQuestion(&quiz, "c", "", "");
    EXPECT_STREQ(quiz.firstQuestion->answer, "c");
    EXPECT_EQ(quiz.firstQuestion, quiz.lastQuestion);
    EXPECT_EQ(quiz.firstQuestion->prev, nullptr);
    EXPECT_EQ(quiz.firstQuestion->next, nullptr);
}

TEST(QuizList, OverlongTextsAreCutTo259Bytes) {
    Quiz quiz;
    std::string longText(599, 'x');
    appendQuestion(&quiz, longText.c_str(), longText.c_str(), longText.c_str());
    EXPECT_EQ(strlen(quiz.firstQuestion->answer), 259u);
    EXPECT_EQ(strlen(quiz.firstQuestion->secondAnswer), 259u);
    EXPECT_EQ(strlen(quiz.firstQuestion->caption), 259u);
    EXPECT_STREQ(quiz.firstQuestion->reveal, "");
}
