// The answers a learning platform keeps: packed into its 4,096 characters
// (how many answers of what length fit), read back from texts of every
// kind, and the platform's and the browser's copies merged.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/compose.h"
#include "module/game.h"
#include "module/kept.h"
#include "shared/stored.h"
#include "shared/testquiz.h"

namespace {

enum { PlatformLimit = 4096 };

class KeptTest : public ::testing::Test {
protected:
    Quiz quiz;
    std::unique_ptr<PlayState> play{new PlayState()};
    std::unique_ptr<KeptAnswers> platform{new KeptAnswers()}, browser{new KeptAnswers()};

    void start(int count, int format) {
        fillTestQuiz(&quiz, StyleText, count, format, ModeRevealText);
        startPlay(play.get(), &quiz);
    }
    // Every field holds text.
    void fillAll(const std::string& text) {
        for (int k = 1; k <= play->fieldCount; ++k) setFieldText(play.get(), k, text.c_str());
    }
    std::string pack(uint32_t version, const uint32_t* confirmed, size_t limit, int* fields = nullptr) {
        std::string out(PackedMaxLength + 1, '\0');
        out.resize(packAnswers(play.get(), version, confirmed, limit, &out[0], out.size(), fields));
        return out;
    }
    void unpack(const std::string& text, KeptAnswers* kept) { unpackAnswers(text.data(), text.size(), kept); }
    // Fields 1 to count of kept, "|" between.
    static std::string fields(const KeptAnswers& kept) {
        std::string all;
        for (int k = 1; k <= kept.count; ++k) all += (k > 1 ? "|" : "") + std::string(kept.fields[k - 1]);
        return all;
    }
    // Whether n fields of the given length all fit the platform's text.
    bool allFit(int count, int format, size_t length) {
        start(count, format);
        fillAll(std::string(length, 'a'));
        int packed = 0;
        const std::string text = pack(PackedVersionMax, nullptr, PlatformLimit, &packed);
        EXPECT_LE(text.size(), size_t(PlatformLimit));
        return packed == play->fieldCount && text.find('+') == std::string::npos;
    }
};

TEST_F(KeptTest, AnswersPackWithTheirFieldNumbersByPositionAndComeBackAsTyped) {
    start(4, TwoAnswers);
    setFieldText(play.get(), 1, "Pr\xE9nom");  // "Prénom"
    setFieldText(play.get(), 3, "a|b\\c");
    setFieldText(play.get(), 4, "\x80uro ");  // "€uro "
    const uint32_t confirmed = 7;
    EXPECT_EQ(pack(12, nullptr, 0), "12:Pr\xE9nom||a\\|b\\\\c|\x80uro ");
    const std::string browserCopy = pack(12, &confirmed, 0);
    EXPECT_EQ(browserCopy.substr(0, 6), "12,7:P");

    unpack(browserCopy, browser.get());
    EXPECT_TRUE(browser->present);
    EXPECT_FALSE(browser->cut);
    EXPECT_EQ(browser->marks.version, 12u);
    EXPECT_EQ(browser->marks.confirmed, 7u);
    EXPECT_EQ(fields(*browser), "Pr\xE9nom||a|b\\c|\x80uro ");

    // No answer at all: the counters only.
    start(4, TwoAnswers);
    EXPECT_EQ(pack(3, nullptr, 0), "3:");
    unpack("3:", platform.get());
    EXPECT_TRUE(platform->present);
    EXPECT_EQ(platform->count, 0);
}

TEST_F(KeptTest, AFullQuizOfTypicalAnswersFitsThePlatformsCharacters) {
    // 90 questions of two answers of 10 characters: 180 x 10 characters,
    // 179 separators and at most 10 of counter: 1,989 of 4,096.
    start(90, TwoAnswers);
    fillAll("abcdefghij");
    EXPECT_EQ(pack(PackedVersionMax, nullptr, PlatformLimit).size(), 10u + 180 * 10 + 179);
    // The longest answers that all fit: 21 characters in each of the 180
    // fields, 44 in each of 90 fields of one answer.
    EXPECT_TRUE(allFit(90, TwoAnswers, 21));
    EXPECT_FALSE(allFit(90, TwoAnswers, 22));
    EXPECT_TRUE(allFit(90, OneAnswer, 44));
    EXPECT_FALSE(allFit(90, OneAnswer, 45));
}

TEST_F(KeptTest, AnswersBeyondTheLimitAreLeftOutAndTheTextSaysItWasCut) {
    start(30, OneAnswer);
    fillAll(std::string(200, 'x'));
    setFieldText(play.get(), 3, "");
    int packed = 0;
    const std::string text = pack(5, nullptr, PlatformLimit, &packed);
    EXPECT_LE(text.size(), size_t(PlatformLimit));
    EXPECT_GT(text.size(), size_t(PlatformLimit) - 201);
    EXPECT_EQ(packed, 21);  // "5+", 20 fields of 200 and an empty one, 20 separators: 4,022
    EXPECT_EQ(text.substr(0, 2), "5+");
    unpack(text, platform.get());
    EXPECT_TRUE(platform->cut);
    EXPECT_EQ(platform->count, 21);
    EXPECT_STREQ(platform->fields[2], "");
    EXPECT_EQ(std::string(platform->fields[20]), std::string(200, 'x'));

    // Escapes count: a field of "|" takes two characters each.
    start(2, OneAnswer);
    setFieldText(play.get(), 1, "||||");
    EXPECT_EQ(pack(1, nullptr, 9, &packed), "1+");
    EXPECT_EQ(packed, 0);
    EXPECT_EQ(pack(1, nullptr, 10, &packed), "1:\\|\\|\\|\\|");
    EXPECT_EQ(packed, 2);
}

TEST_F(KeptTest, TextsThatAreNotPackedAnswersAreNotTakenForThem) {
    for (const char* other : {"", "paris", ":paris", "12", "12,:a", "12;a", "a12:b"}) {
        unpack(other, platform.get());
        EXPECT_FALSE(platform->present) << other;
    }
    // A longer field is cut at 259 characters, fields past the quiz's last
    // are dropped, a lone "\" at the end is kept.
    unpack("1:" + std::string(300, 'y') + "|" + std::string(MaxAnswerFields, '|') + "z", platform.get());
    EXPECT_EQ(std::string(platform->fields[0]), std::string(TextMaxLength, 'y'));
    EXPECT_EQ(platform->count, MaxAnswerFields);
    unpack("1:a\\", platform.get());
    EXPECT_STREQ(platform->fields[0], "a\\");
    // Counters of more than nine digits are not ours.
    unpack("1234567890:a", platform.get());
    EXPECT_FALSE(platform->present);
}

TEST_F(KeptTest, ThePlatformsAndTheBrowsersCopiesMergeByWhatThePlatformAccepted) {
    const struct {
        const char* name;
        const char* platform;  // "" for none
        bool platformRead;
        const char* browser;
        const char* fields;    // what comes back
        uint32_t version, confirmed;
    } cases[] = {
        {"the platform's alone", "4:a|b", true, "", "a|b", 4, 4},
        {"both at one save", "4:a|b", true, "4,4:a|b", "a|b", 4, 4},
        {"the browser holds saves the platform refused", "4:a", true, "6,4:a|b|c", "a|b|c", 6, 4},
        {"the platform refused every save", "", true, "3,0:a", "a", 3, 0},
        {"saved later on another computer", "9:x", true, "6,4:a|b|c", "x", 9, 9},
        {"the platform cut short of room", "5+a|b", true, "5,5:a|b|c|d", "a|b|c|d", 5, 5},
        {"cut, and its own fields win", "7+n|m", true, "5,5:a|b|c|d", "n|m|c|d", 7, 7},
        {"the platform started the pupil afresh", "", true, "5,5:a|b", "", 5, 5},
        {"the platform cleared the answers", "8:", true, "7,7:a|b", "", 8, 8},
        {"the platform could not be read", "", false, "5,5:a|b", "a|b", 5, 5},
        {"unreadable, nothing in the browser", "", false, "", "", 0, 0},
        {"the platform holds another's data", "viewed=1,2,3", true, "2,1:a", "a", 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        unpack(c.platform, platform.get());
        unpack(c.browser, browser.get());
        mergeKeptAnswers(platform.get(), c.platformRead, browser.get());
        EXPECT_EQ(fields(*platform), c.fields);
        EXPECT_EQ(platform->marks.version, c.version);
        EXPECT_EQ(platform->marks.confirmed, c.confirmed);
        EXPECT_FALSE(platform->cut);
    }
}

TEST_F(KeptTest, TheGameRestoresTheMergedAnswersJudgedAndPacksThemInUtf8) {
    std::unique_ptr<WebGame> game(new WebGame());
    fillTestQuiz(&quiz, StyleText, 3, OneAnswer, ModeRevealText);
    const Bytes content = encoded(composeContent(&quiz)), codes = encoded(composeCodes(&quiz));
    loadGame(game.get(), content.data(), uint32_t(content.size()), codes.data(), uint32_t(codes.size()));

    const std::string platformCopy = u8"4+reponse1", browserCopy = u8"4,4:x|Réponse2|reponse3";
    const KeptMarks marks = restoreKeptAnswers(game.get(), platformCopy.data(), platformCopy.size(), true,
                                               browserCopy.data(), browserCopy.size());
    EXPECT_EQ(marks.version, 4u);
    EXPECT_STREQ(playField(&game->play, 2)->text, "R\xE9ponse2");
    EXPECT_EQ(verdictText(playField(&game->play, 1)->verdict), std::string("BRAVO"));
    EXPECT_EQ(verdictText(playField(&game->play, 2)->verdict), std::string("Quasiment"));
    EXPECT_EQ(game->play.score, 2);
    EXPECT_FALSE(quizSolved(game.get()));

    char out[64];
    const uint32_t confirmed = 4;
    packedAnswers(game.get(), 5, &confirmed, 0, out, sizeof out);
    EXPECT_STREQ(out, u8"5,4:reponse1|Réponse2|reponse3");
    judgeAnswer(game.get(), 2, "reponse2", 8);
    EXPECT_TRUE(quizSolved(game.get()));
}

}  // namespace
