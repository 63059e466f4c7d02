// A game of the quiz in the page: read from the stored bytes as the player
// reads its resources, judged from typed UTF-8, F1, the answers kept and
// restored, and what each cell of the board has.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/compose.h"
#include "module/game.h"
#include "shared/stored.h"
#include "shared/testquiz.h"

namespace {

class GameTest : public ::testing::Test {
protected:
    std::unique_ptr<WebGame> game{new WebGame()};
    Bytes content, codes;

    void load(int style, int count, int format, int mode) {
        Quiz quiz;
        fillTestQuiz(&quiz, style, count, format, mode);
        content = encoded(composeContent(&quiz));
        codes = encoded(composeCodes(&quiz));
        loadGame(game.get(), content.data(), uint32_t(content.size()), codes.data(), uint32_t(codes.size()));
    }
    std::string judge(int k, const std::string& utf8) {
        return verdictText(judgeAnswer(game.get(), k, utf8.data(), utf8.size()).verdict);
    }
    void tryEverywhere(int k, const std::string& utf8) { tryAnswerEverywhere(game.get(), k, utf8.data(), utf8.size()); }
    std::string text(int k) { return playField(&game->play, k)->text; }
    std::string verdict(int k) { return verdictText(playField(&game->play, k)->verdict); }
    std::string verdicts() {
        std::string all;
        for (int k = 1; k <= game->play.fieldCount; ++k) all += (k > 1 ? "|" : "") + verdict(k);
        return all;
    }
    std::string kept() {
        std::string out(MaxAnswerFields * 3 * (TextSize + 2), '\0');
        out.resize(keptAnswers(game.get(), &out[0], out.size()));
        return out;
    }
    void restore(const std::string& utf8) { restoreGame(game.get(), utf8.data(), utf8.size()); }
};

TEST_F(GameTest, LoadingReadsTheStoredQuizAndStartsAFreshGame) {
    load(StylePictures, 4, TwoAnswers, ModeRevealAndPicture);
    EXPECT_EQ(game->outcome, LoadComplete);
    EXPECT_STREQ(game->messages, "");
    EXPECT_STREQ(game->quiz.title, "Titre");
    EXPECT_STREQ(questionAt(&game->quiz, 3)->secondAnswer, "SECOND4");
    EXPECT_STREQ(game->quiz.codes[3], "CODE4");
    EXPECT_EQ(game->play.fieldCount, 8);
    EXPECT_EQ(verdicts(), "?|?|?|?|?|?|?|?");
    EXPECT_EQ(game->play.score, 0);
}

TEST_F(GameTest, StoredBytesThePlayerCannotReadGiveItsMessagesAndFallbacks) {
    load(StyleText, 3, OneAnswer, ModeRevealText);
    Bytes broken = content;
    broken.resize(broken.size() / 2);
    loadGame(game.get(), broken.data(), uint32_t(broken.size()), codes.data(), uint32_t(codes.size()));
    EXPECT_EQ(game->outcome, LoadContentNotDecodable);
    EXPECT_STREQ(game->messages, "Erreur dans le d\xE9" "cryptage des reponses");
    EXPECT_EQ(game->play.fieldCount, 0);

    loadGame(game.get(), content.data(), uint32_t(content.size()), nullptr, 0);
    EXPECT_EQ(game->outcome, LoadCodesEmpty);
    EXPECT_STREQ(game->messages, "Codes non renseign\xE9s.");
    EXPECT_EQ(game->play.fieldCount, 3);

    loadGame(game.get(), nullptr, 0, codes.data(), uint32_t(codes.size()));
    EXPECT_EQ(game->outcome, LoadContentEmpty);
    EXPECT_STREQ(game->messages, "Reponses non trouv\xE9" "es");
    EXPECT_STREQ(game->quiz.title, "Nom du quizz");  // the player's demonstration quiz
}

TEST_F(GameTest, TypedTextIsJudgedAsTheWindowsPlayerReceivesIt) {
    load(StyleText, 2, OneAnswer, ModeRevealText);
    copyText(questionAt(&game->quiz, 0)->answer, "\xC9L\xC8VE");  // "ÉLÈVE"
    copyText(questionAt(&game->quiz, 1)->answer, "LODZ");
    // Macros quote their arguments in the execution character set, which
    // has no "Ł": the texts are named outside them.
    const std::string lodz = u8"Łodz", lodzAccented = u8"Łódź";
    EXPECT_EQ(judge(1, u8"ÉLÈVE"), "BRAVO");
    EXPECT_EQ(text(1), "\xC9L\xC8VE");
    EXPECT_EQ(judge(1, u8"élève"), "Presque");  // only ASCII letters are compared without case
    EXPECT_EQ(judge(2, lodz), "BRAVO");  // the model receives "Lodz"
    EXPECT_EQ(text(2), "Lodz");
    EXPECT_EQ(judge(2, lodzAccented), "Quasiment");
    EXPECT_EQ(game->play.score, 0);
}

TEST_F(GameTest, EachJudgementCountsTheScoreAndShowsAnswerPicturesThatStay) {
    load(StylePictures, 3, OneAnswer, ModeAnswerPicture);
    EXPECT_EQ(judge(2, "reponse2"), "BRAVO");
    EXPECT_EQ(game->play.score, 1);
    EXPECT_TRUE(game->answerPictureShown[1]);
    // A wrong answer takes the point back; the answer picture stays shown.
    EXPECT_EQ(judge(2, "reponse"), "Quasiment");
    EXPECT_EQ(game->play.score, 0);
    EXPECT_TRUE(game->answerPictureShown[1]);
    EXPECT_FALSE(game->answerPictureShown[0]);

    load(StylePictures, 3, OneAnswer, ModeRevealText);
    judge(1, "REPONSE1");
    EXPECT_FALSE(game->answerPictureShown[0]);
    EXPECT_STREQ(revealText(&game->play, 1), "Revele 1");
}

TEST_F(GameTest, F1FillsEveryFieldThatIsNotRightAndJudgesEachAsThePlayerDoes) {
    load(StylePictures, 4, OneAnswer, ModeRevealText);
    judge(1, "REPONSE1");
    // The right answer to question 3, typed into field 4.
    tryEverywhere(4, "reponse3");
    EXPECT_EQ(verdicts(), "BRAVO|Quasiment|BRAVO|Quasiment");
    EXPECT_EQ(text(1), "REPONSE1");
    EXPECT_EQ(text(2), "reponse3");
    EXPECT_EQ(game->play.score, 2);
    EXPECT_STREQ(revealText(&game->play, 3), "Revele 3");

    // From an empty field: every field that is not right is emptied.
    tryEverywhere(2, "");
    EXPECT_EQ(verdicts(), "BRAVO|?|BRAVO|?");
    EXPECT_EQ(text(4), "");
    EXPECT_EQ(game->play.score, 2);

    // Every field right: nothing changes.
    load(StyleText, 1, OneAnswer, ModeRevealText);
    judge(1, "reponse1");
    tryEverywhere(1, "autre");
    EXPECT_EQ(verdicts(), "BRAVO");
}

TEST_F(GameTest, RestoredAnswersAreJudgedAndCounted) {
    load(StylePictures, 3, TwoAnswers, ModeRevealAndPicture);
    restore(u8"reponse1\r\nSECOND1\r\n*\r\nsecond2\r\nRéponse\n");
    EXPECT_EQ(verdicts(), "BRAVO|BRAVO|?|BRAVO|Presque|?");
    EXPECT_EQ(text(5), "R\xE9ponse");
    EXPECT_EQ(game->play.score, 1);
    EXPECT_STREQ(codeLine(&game->play), "CODE1");
    EXPECT_TRUE(game->answerPictureShown[0]);
    EXPECT_FALSE(game->answerPictureShown[1]);
    EXPECT_STREQ(revealText(&game->play, 1), "Revele 1");

    // Kept answers of another quiz fill what they can.
    restore("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\n");
    EXPECT_EQ(text(6), "f");
    restore("");
    EXPECT_EQ(verdicts(), "?|?|?|?|?|?");
}

TEST_F(GameTest, KeptAnswersAreTheResultsLinesInUtf8AndBringTheSameFieldsBack) {
    load(StyleText, 3, OneAnswer, ModeRevealText);
    typeAnswer(game.get(), 1, u8"Prénom", strlen(u8"Prénom"));
    judge(3, u8"€uro");
    const std::string answers = kept();
    EXPECT_EQ(answers, u8"Prénom\r\n*\r\n€uro\r\n");
    load(StyleText, 3, OneAnswer, ModeRevealText);
    restore(answers);
    EXPECT_EQ(text(1), "Pr\xE9nom");
    EXPECT_EQ(text(2), "");
    EXPECT_EQ(text(3), "\x80uro");

    // Short of room: whole lines only.
    char small[13];
    EXPECT_EQ(keptAnswers(game.get(), small, sizeof small), strlen(u8"Prénom\r\n*\r\n"));
    EXPECT_STREQ(small, u8"Prénom\r\n*\r\n");
}

TEST_F(GameTest, ClearingStartsAFreshGameOverTheSameQuiz) {
    load(StylePictures, 2, OneAnswer, ModeAnswerPicture);
    judge(1, "reponse1");
    clearGame(game.get());
    EXPECT_EQ(verdicts(), "?|?");
    EXPECT_EQ(text(1), "");
    EXPECT_EQ(game->play.score, 0);
    EXPECT_FALSE(game->answerPictureShown[0]);
    EXPECT_EQ(kept(), "*\r\n*\r\n");
}

TEST_F(GameTest, TheStorageKeyFollowsTheStoredContentAndCodes) {
    char first[24], again[24], other[24];
    load(StyleText, 2, OneAnswer, ModeRevealText);
    storageKey(game.get(), first);
    load(StyleText, 2, OneAnswer, ModeRevealText);
    storageKey(game.get(), again);
    codes.back() ^= 1;
    loadGame(game.get(), content.data(), uint32_t(content.size()), codes.data(), uint32_t(codes.size()));
    storageKey(game.get(), other);
    EXPECT_STREQ(first, again);
    EXPECT_STRNE(first, other);
    EXPECT_EQ(strlen(first), 21u);
    EXPECT_EQ(std::string(first).substr(0, 5), "quiz-");
}

TEST_F(GameTest, EachStyleAndAnswerModeGivesTheCellsTheirParts) {
    const struct { int style, format, mode; bool picture, reveal, buttons, video, rowCaptions; } cases[] = {
        {StyleText, 2, 2, false, false, false, false, false},
        {StylePictures, 1, 1, true, false, false, false, false},
        {StylePictures, 1, 4, true, true, false, false, false},
        {StylePictures, 2, 3, true, true, false, false, true},
        {StyleSounds, 1, 2, false, false, true, false, false},
        {StyleVideos, 2, 2, false, false, true, true, true},
    };
    for (const auto& c : cases) {
        load(c.style, 3, c.format, c.mode);
        const CellParts parts = cellParts(game.get());
        SCOPED_TRACE(testing::Message() << "style " << c.style << ", format " << c.format << ", mode " << c.mode);
        EXPECT_EQ(parts.picture, c.picture);
        EXPECT_EQ(parts.reveal, c.reveal);
        EXPECT_EQ(parts.buttons, c.buttons);
        EXPECT_EQ(parts.video, c.video);
        EXPECT_EQ(parts.rowCaptions, c.rowCaptions);
    }
}

}  // namespace
