#include <gtest/gtest.h>

#include <string>

#include "content/quiz.h"

TEST(QuizList, WalksBothWaysInAppendOrderCutsTextsTo259BytesClampsQuestionAtAndStartsAnewWhenCleared) {
    Quiz quiz;
    EXPECT_EQ(questionAt(&quiz, 0), nullptr);
    const std::string longText(599, 'C');
    for (const char* text : {"A", "B", longText.c_str()}) appendQuestion(&quiz, text, text, text);
    std::string forward, backward;
    for (Question* q = quiz.firstQuestion; q; q = q->next) forward += q->answer[0];
    for (Question* q = quiz.lastQuestion; q; q = q->prev) backward += q->answer[0];
    EXPECT_EQ(forward + backward, "ABCCBA");
    EXPECT_STREQ(questionAt(&quiz, 0)->answer, "A");
    const Question* last = questionAt(&quiz, 5);  // past the end: the last one
    EXPECT_EQ(std::string(last->answer) + last->secondAnswer + last->caption, std::string(3 * 259, 'C'));
    EXPECT_STREQ(last->reveal, "");
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
