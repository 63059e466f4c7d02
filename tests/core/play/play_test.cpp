// The play model's rules, natively: what a judgement shows, how the score
// and code follow, where Tab goes, which fields F1 fills, and the lines of
// the results file. The board under Wine shows the same through its windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/play.h"
#include "shared/testquiz.h"

namespace {

class PlayTest : public ::testing::Test {
protected:
    Quiz quiz;
    PlayState play;
    void start(int style, int count, int format, int mode) {
        fillTestQuiz(&quiz, style, count, format, mode);
        startPlay(&play, &quiz);
    }
    // Judges field k with text and counts the score, as the board does.
    Judgement judge(int k, const char* text) {
        Judgement judgement = judgeField(&play, k, text);
        updateScore(&play);
        return judgement;
    }
    std::string score() {
        char text[32];
        scoreText(&play, text, sizeof text);
        return text;
    }
    std::string reveals() {
        std::string joined;
        for (int i = 1; i <= play.questionCount; ++i) joined += (i > 1 ? "|" : "") + std::string(revealText(&play, i));
        return joined;
    }
};

TEST_F(PlayTest, EachJudgementSetsTheVerdictTheRevealTheScoreAndTheCode) {
    struct Step {
        int field;
        const char *typed, *verdict, *reveals, *score, *code;
    };
    const struct { int count, format, mode; std::vector<Step> steps; } games[] = {
        {3, 1, 2, {{2, "reponse2", "BRAVO", "|Revele 2|", " 1 / 3", "CODE1"},
                   {1, "reponse", "Quasiment", "|Revele 2|", " 1 / 3", "CODE1"},
                   // Spaces around a right answer: right, so counted and revealed.
                   {3, "  reponse3 ", "BRAVO", "|Revele 2|Revele 3", " 2 / 3", "CODE2"},
                   // A wrong or empty answer takes reveal and point back.
                   {2, "", "?", "||Revele 3", " 1 / 3", "CODE1"},
                   {3, "faux", "FAUX", "||", " 0 / 3", "      "}}},
        // Two fields: counted and revealed once both are right.
        {2, 2, 3, {{3, "reponse2", "BRAVO", "|", " 0 / 2", "      "},
                   {4, "second2", "BRAVO", "|Revele 2", " 1 / 2", "CODE1"},
                   {4, "second", "Quasiment", "|", " 0 / 2", "      "}}},
        // Every text once all are solved; a question turned wrong takes only its own away.
        {3, 1, 4, {{1, "reponse1", "BRAVO", "||", " 1 / 3", "CODE1"},
                   {2, "reponse2", "BRAVO", "||", " 2 / 3", "CODE2"},
                   {3, "reponse3", "BRAVO", "Revele 1|Revele 2|Revele 3", " 3 / 3", "CODE3"},
                   {2, "x", "FAUX", "Revele 1||Revele 3", " 2 / 3", "CODE2"}}},
        // Answer pictures only: no text is revealed.
        {2, 1, 1, {{1, "reponse1", "BRAVO", "|", " 1 / 2", "CODE1"}}},
    };
    for (const auto& g : games) {
        start(StylePictures, g.count, g.format, g.mode);
        EXPECT_EQ(score(), " 0 / " + std::to_string(g.count));
        for (const Step& step : g.steps) {
            SCOPED_TRACE(testing::Message() << "mode " << g.mode << ", field " << step.field << " <- " << step.typed);
            Judgement judgement = judge(step.field, step.typed);
            EXPECT_STREQ(verdictText(judgement.verdict), step.verdict);
            EXPECT_EQ(reveals(), step.reveals);
            EXPECT_EQ(score(), step.score);
            EXPECT_STREQ(codeLine(&play), step.code);
        }
    }
}

TEST_F(PlayTest, AJudgementReportsOnlyWhatChangesAndAnAnswerPictureEachTimeASolvedQuestionIsJudged) {
    start(StylePictures, 2, 1, ModeRevealAndPicture);
    Judgement first = judge(1, "reponse1");
    EXPECT_TRUE(first.verdictChanged);
    EXPECT_EQ(first.reveal, RevealChange::Shown);
    EXPECT_TRUE(first.showAnswerPicture);
    Judgement again = judge(1, " REPONSE1 ");
    EXPECT_FALSE(again.verdictChanged);
    EXPECT_EQ(again.reveal, RevealChange::Kept);
    EXPECT_TRUE(again.showAnswerPicture) << "judged again, the picture is shown anew";
    Judgement wrong = judge(1, "reponse");
    EXPECT_EQ(wrong.reveal, RevealChange::Cleared);
    EXPECT_FALSE(wrong.showAnswerPicture);
    EXPECT_EQ(judge(2, "").reveal, RevealChange::Kept) << "an empty box stays empty";
    // Text reveals only: no picture; no field past the last.
    start(StylePictures, 2, 1, ModeRevealText);
    EXPECT_FALSE(judge(1, "reponse1").showAnswerPicture);
    EXPECT_EQ(judge(3, "reponse3").question, 0);
}

TEST_F(PlayTest, TabStepsWrapAroundAndScrollAsLittleAsShowsTheCellOrElseTheFieldReached) {
    // Picture cells of 280 x 381 pixels from y 20, 410, 800 and x 10, 300, 590.
    start(StylePictures, 9, 1, ModeRevealText);
    const struct { int from, direction; Box view; int to, across, down; } steps[] = {
        {1, 1, {0, 0, 900, 500}, 2, 0, 0},        {3, 1, {0, 0, 900, 500}, 4, 0, 291},
        {4, -1, {0, 400, 900, 500}, 3, 0, -380},  {9, 1, {0, 800, 900, 500}, 1, 0, -780},  // around to row 1
        {1, -1, {0, 0, 900, 500}, 9, 0, 681},     {4, 1, {0, 300, 900, 500}, 5, 0, 0},     // in view already
        {2, 1, {0, 0, 600, 500}, 3, 270, 0},      // the third column, across
        {3, 1, {0, 0, 900, 300}, 4, 0, 419},      // a cell taller than the view: its field and verdict
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.from << " by " << s.direction << " at " << s.view.x << "," << s.view.y);
        TabStep step = tabStep(&play, s.from, s.direction, s.view);
        EXPECT_EQ(step.target, s.to);
        EXPECT_EQ(step.across, s.across);
        EXPECT_EQ(step.down, s.down);
    }
}

TEST_F(PlayTest, F1FillsEveryFieldThatIsNotRightAskingAgainBeforeEachOne) {
    start(StylePictures, 4, 1, ModeRevealText);
    judge(2, "reponse2");
    std::vector<int> filled;
    for (int k = nextFieldToTry(&play, 0); k != 0; k = nextFieldToTry(&play, k)) {
        filled.push_back(k);
        judge(k, "reponse3");
    }
    EXPECT_EQ(filled, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(score(), " 2 / 4");
    // A field made right before its turn is skipped.
    start(StylePictures, 3, 1, ModeRevealText);
    EXPECT_EQ(nextFieldToTry(&play, 0), 1);
    judge(2, "reponse2");
    EXPECT_EQ(nextFieldToTry(&play, 1), 3);
}

TEST_F(PlayTest, TheResultsFileHasALinePerDeclaredFieldAndFillsTheFieldsBack) {
    start(StyleText, 2, 2, ModeRevealText);
    restoreAnswers(&play, "un\r\n*\r\ntrois", 13);
    const char* expected[] = {"un", "", "trois", ""};
    for (int k = 1; k <= 4; ++k) EXPECT_STREQ(playField(&play, k)->text, expected[k - 1]) << k;
    setFieldText(&play, 4, "quatre");
    std::string file;
    for (int k = 1; k <= answerLineCount(&play); ++k) {
        char line[TextSize + 2];
        file.append(line, answerLine(&play, k, line));
    }
    EXPECT_EQ(file, "un\r\n*\r\ntrois\r\nquatre\r\n");
    // A format the board cannot show has no fields but keeps its lines.
    start(StyleText, 2, 3, ModeRevealText);
    EXPECT_EQ(play.fieldCount, 0);
    EXPECT_EQ(answerLineCount(&play), 6);
}

TEST_F(PlayTest, AJudgementSaysWhenItsFieldHoldsAnotherTextThanTheResultsFileWasLastGiven) {
    start(StyleText, 3, 1, ModeRevealText);
    restoreAnswers(&play, "un\r\n*\r\n", 7);
    EXPECT_FALSE(answersUnsaved(&play));  // what was read is what the file holds
    const struct { int k; const char* typed; bool unsaved; } steps[] = {
        {1, "un", false}, {2, "", false}, {3, "", false},  // judged again as read: nothing to write
        {1, "deux", true}, {1, "deux", true},               // still unwritten until written
        {1, "un", false},                                   // typed back to what the file holds
    };
    for (const auto& step : steps) {
        EXPECT_EQ(judge(step.k, step.typed).answerUnsaved, step.unsaved) << step.k << " " << step.typed;
        EXPECT_EQ(answersUnsaved(&play), step.unsaved) << step.k << " " << step.typed;
    }
    setFieldText(&play, 3, "trois");  // typed, not yet judged: the file is behind all the same
    EXPECT_TRUE(answersUnsaved(&play));
    markAnswersSaved(&play);
    EXPECT_FALSE(answersUnsaved(&play));
    EXPECT_FALSE(judge(3, "trois").answerUnsaved);
    EXPECT_TRUE(judge(2, "*").answerUnsaved);
}

}  // namespace
