#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "content/text.h"
#include "judge/compare.h"

// Accented letters are written as Windows-1252 escapes: é is 0xE9, É 0xC9.
static std::string verdict(const char* typed, const char* stored) { return chooseVerdict(typed, stored); }

TEST(VerdictTexts, AreTheExactLabelBytes) {
    const unsigned char idea[] = {'y', 'a', 'd', 'e', ' ', 'l', 'i', 'd', 0xE9, 'e', 0};
    ASSERT_EQ(strlen(VerdictIdea), 10u);
    EXPECT_EQ(memcmp(VerdictIdea, idea, sizeof idea), 0);
    EXPECT_STREQ(VerdictEmpty, "?");
    EXPECT_STREQ(VerdictRight, "BRAVO");
    EXPECT_STREQ(VerdictAnagram, "Anagramme");
    EXPECT_STREQ(VerdictAlmost, "Quasiment");
    EXPECT_STREQ(VerdictNearly, "Presque");
    EXPECT_STREQ(VerdictTooLong, "Trop long");
    EXPECT_STREQ(VerdictTooShort, "Trop court");
    EXPECT_STREQ(VerdictNotFar, "pas loin");
    EXPECT_STREQ(VerdictWrong, "FAUX");
}

TEST(VerdictTexts, TheSourceLiteralOfTheIdeaVerdictIsCompiledToWindows1252) {
    // The project compiles its UTF-8 sources to Windows-1252 literals.
    EXPECT_STREQ(VerdictIdea, "yade lidée");
}

// --- normalising --------------------------------------------------------

static std::string normalised(const char* text) {
    Text buffer;
    copyText(buffer, text);
    normaliseTypedAnswer(buffer);
    return buffer;
}

TEST(NormaliseTypedAnswer, TrimsSpacesAtBothEndsAndFoldsPlainLetters) {
    EXPECT_EQ(normalised("  chat  "), "CHAT");
    EXPECT_EQ(normalised("chat noir"), "CHAT NOIR");
    EXPECT_EQ(normalised(" a"), "A");
}

TEST(NormaliseTypedAnswer, KeepsInnerRunsOfSpacesAndEveryOtherEdgeByte) {
    EXPECT_EQ(normalised("  le   chat "), "LE   CHAT");
    EXPECT_EQ(normalised("\tchat\t"), "\tCHAT\t");
    EXPECT_EQ(normalised("chat\xA0"), "CHAT\xA0");  // no-break space stays
}

TEST(NormaliseTypedAnswer, TurnsATextOfSpacesOnlyIntoTheEmptyText) {
    EXPECT_EQ(normalised(" "), "");
    EXPECT_EQ(normalised("     "), "");
    EXPECT_EQ(normalised(""), "");
}

TEST(UpperCaseAscii, FoldsOnlyTheLettersAToZ) {
    Text text;
    copyText(text, "abz\xE9\xE0\xFF-'1 {`");
    upperCaseAscii(text);
    EXPECT_STREQ(text, "ABZ\xE9\xE0\xFF-'1 {`");
}

// --- sorting and containment --------------------------------------------

TEST(SortLetters, OrdersBytesAsSignedValuesSoAccentsComeFirst) {
    Text text;
    copyText(text, "b\xE9" "a\x80 Z");
    sortLetters(text);
    EXPECT_STREQ(text, "\x80\xE9 Zab");
}

TEST(SortLetters, KeepsEveryByteWithItsCount) {
    Text text;
    copyText(text, "NICHE");
    sortLetters(text);
    EXPECT_STREQ(text, "CEHIN");
    copyText(text, "");
    sortLetters(text);
    EXPECT_STREQ(text, "");
}

TEST(SortLetters, GivesShortAndLongTextsTheSameSignedOrder) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> byteOf(1, 255);
    for (size_t length : {2u, 31u, 32u, 33u, 100u, 259u}) {
        Text text;
        for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>(byteOf(random));
        text[length] = '\0';
        std::vector<signed char> expected(text, text + length);
        std::sort(expected.begin(), expected.end());
        sortLetters(text);
        ASSERT_EQ(strlen(text), length);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<signed char*>(text))) << length;
    }
}

TEST(FindContainment, IsTwoWhenTheTypedTextHoldsTheStoredOne) {
    EXPECT_EQ(findContainment("CHAT", "LE CHAT"), 2);
    EXPECT_EQ(findContainment("CHAT", "CHAT"), 2);
}

TEST(FindContainment, IsMinusTwoWhenAShorterTypedTextIsAPieceOfTheStoredOne) {
    EXPECT_EQ(findContainment("CROCODILE", "CODI"), -2);
    EXPECT_EQ(findContainment("CROCODILE", "ILE"), -2);
}

TEST(FindContainment, IsZeroForUnrelatedTextsAndWheneverTheShorterIsEmpty) {
    EXPECT_EQ(findContainment("CHAT", "CHIEN"), 0);
    EXPECT_EQ(findContainment("CHAT", "HCA"), 0);
    EXPECT_EQ(findContainment("", "CHAT"), 0);
    EXPECT_EQ(findContainment("CHAT", ""), 0);
    EXPECT_EQ(findContainment("", ""), 0);
}

// --- verdicts -----------------------------------------------------------

TEST(ChooseVerdict, SaysQuestionMarkWhenNothingIsTyped) {
    EXPECT_EQ(verdict("", "CHAT"), "?");
    EXPECT_EQ(verdict("   ", "CHAT"), "?");
    EXPECT_EQ(verdict("", ""), "?");
}

TEST(ChooseVerdict, AcceptsTheAnswerWhateverTheCaseAndTheSpacesAroundTheTypedText) {
    EXPECT_EQ(verdict("  chat  ", "Chat"), "BRAVO");
    EXPECT_EQ(verdict("Chat", "CHAT"), "BRAVO");
    EXPECT_EQ(verdict("chat", "chat"), "BRAVO");
}

TEST(ChooseVerdict, NeverTrimsTheStoredAnswer) {
    EXPECT_EQ(verdict("chat", "CHAT "), "Quasiment");
    EXPECT_EQ(verdict("chat ", "CHAT "), "Quasiment");  // only the typed side loses its space
    EXPECT_EQ(verdict("  chat", " CHAT"), "Quasiment");
}

TEST(ChooseVerdict, ComparesAccentedLettersAsTheirOwnBytes) {
    // éléphant against ÉLÉPHANT: two differing bytes.
    EXPECT_EQ(verdict("\xE9l\xE9phant", "\xC9L\xC9PHANT"), "Presque");
    EXPECT_EQ(verdict("\xE9l\xE9phant", "\xE9L\xE9PHANT"), "BRAVO");
    EXPECT_EQ(verdict("elephant", "\xC9L\xC9PHANT"), "Presque");
}

TEST(ChooseVerdict, SaysAnagramForTheSameCharactersInAnotherOrder) {
    EXPECT_EQ(verdict("chien", "NICHE"), "Anagramme");
    EXPECT_EQ(verdict("CAHT", "CHAT"), "Anagramme");         // a swap, distance 2
    EXPECT_EQ(verdict("noir chat", "CHAT NOIR"), "Anagramme");  // the space counts
}

TEST(ChooseVerdict, GradesOneAndTwoEditsBeforeAnyContainment) {
    EXPECT_EQ(verdict("CHATS", "CHAT"), "Quasiment");
    EXPECT_EQ(verdict("CHA", "CHAT"), "Quasiment");
    EXPECT_EQ(verdict("CHOT", "CHAT"), "Quasiment");
    EXPECT_EQ(verdict("CHATON", "CHAT"), "Presque");
    EXPECT_EQ(verdict("CROCODILE DU N", "CROCODILE DU NIL"), "Presque");
    EXPECT_EQ(verdict("ABCDEFGH", "ABCDEFGHIJ"), "Presque");
}

TEST(ChooseVerdict, SaysTooLongWhenTheTypedTextHoldsTheAnswerAndMore) {
    EXPECT_EQ(verdict("LE CHAT", "CHAT"), "Trop long");
    EXPECT_EQ(verdict("un gros chat noir", "CHAT"), "Trop long");
}

TEST(ChooseVerdict, GradesAPieceOfALongAnswerByItsShareOfTheLength) {
    EXPECT_EQ(verdict("CROCODILE DU", "CROCODILE DU NIL"), "Trop court");  // 75
    EXPECT_EQ(verdict("CROCODILE", "CROCODILE DU NIL"), "pas loin");       // 56.25
    EXPECT_EQ(verdict("CROCO", "CROCODILE DU NIL"), "FAUX");               // 31.25
}

TEST(ChooseVerdict, GivesRatiosOfExactlySeventyAndFiftyTheLowerVerdict) {
    EXPECT_EQ(verdict("ABCDEFG", "ABCDEFGHIJ"), "pas loin");  // exactly 70
    EXPECT_EQ(verdict("ABCDE", "ABCDEFGHIJ"), "FAUX");        // exactly 50
    // Just above each boundary: 71.43 and 52.38.
    EXPECT_EQ(verdict("ABCDEFGHIJ", "ABCDEFGHIJKLMN"), "Trop court");
    EXPECT_EQ(verdict("ABCDEFGHIJK", "ABCDEFGHIJKLMNOPQRSTU"), "pas loin");
}

TEST(ChooseVerdict, RefusesAPieceOfAnAnswerShorterThanTenCharacters) {
    EXPECT_EQ(verdict("PAPI", "PAPILLON"), "FAUX");
    EXPECT_EQ(verdict("ABCDEF", "ABCDEFGHI"), "FAUX");     // 9 characters, ratio 66.7
    EXPECT_EQ(verdict("ABCDEFG", "ABCDEFGHIJ"), "pas loin");  // 10 characters
}

TEST(ChooseVerdict, SaysGoodIdeaForALongAnswerMostlyRight) {
    // 16 characters, 3 replaced: 100 * 13 / 16 = 81.25.
    EXPECT_STREQ(chooseVerdict("ABCDEFGHIJKLMXYZ", "ABCDEFGHIJKLMNOP"), VerdictIdea);
    // 15 characters, 3 replaced: exactly 80 is not above 80.
    EXPECT_EQ(verdict("ABCDEFGHIJKLXYZ", "ABCDEFGHIJKLMNO"), "FAUX");
    // Different lengths count against the longer one: L = 20, d = 3 gives 85;
    // L = 15, d = 3 gives exactly 80.
    EXPECT_STREQ(chooseVerdict("XBCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQRST"), VerdictIdea);
    EXPECT_EQ(verdict("XBCDEFGHIJKLMY", "ABCDEFGHIJKLMNO"), "FAUX");
    EXPECT_STREQ(chooseVerdict("ABCDEFGHIJKLMNOPQXYZ", "ABCDEFGHIJKLMNOPQRST"), VerdictIdea);
}

TEST(ChooseVerdict, SaysWrongForUnrelatedTexts) {
    EXPECT_EQ(verdict("CHIEN", "CHAT"), "FAUX");
    EXPECT_EQ(verdict("x", "yade lid\xE9" "e"), "FAUX");
}

TEST(ChooseVerdict, GradesATypedTextAgainstAnEmptyStoredAnswerByItsLength) {
    EXPECT_EQ(verdict("a", ""), "Quasiment");
    EXPECT_EQ(verdict("ab", ""), "Presque");
    EXPECT_EQ(verdict("abc", ""), "FAUX");
    EXPECT_EQ(verdict("abcdefghijklmnopqrst", ""), "FAUX");
}

TEST(ChooseVerdict, GivesTheSameVerdictWhateverTheCaseOfPlainLetters) {
    const char* stored[] = {"CHAT", "CROCODILE DU NIL", "NICHE", "ABCDEFGHIJKLMNOP"};
    const char* typed[][3] = {{"Chat", "chat", "CHAT"},
                              {"Crocodile", "crocodile", "CROCODILE"},
                              {"Chien", "chien", "CHIEN"},
                              {"Abcdefghijklmxyz", "abcdefghijklmxyz", "ABCDEFGHIJKLMXYZ"}};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(verdict(typed[s][0], stored[s]), verdict(typed[s][2], stored[s])) << stored[s];
        EXPECT_EQ(verdict(typed[s][1], stored[s]), verdict(typed[s][2], stored[s])) << stored[s];
    }
}

TEST(ChooseVerdict, LeavesBothArgumentsUnchanged) {
    char typed[] = "  chat ";
    char stored[] = "Chat";
    EXPECT_EQ(verdict(typed, stored), "BRAVO");
    EXPECT_STREQ(typed, "  chat ");
    EXPECT_STREQ(stored, "Chat");
}

TEST(ChooseVerdict, HandlesTextsOfTheFullLength) {
    std::string stored(TextMaxLength, 'A');
    std::string typed = stored;
    EXPECT_EQ(verdict(typed.c_str(), stored.c_str()), "BRAVO");
    typed[100] = 'B';
    EXPECT_EQ(verdict(typed.c_str(), stored.c_str()), "Quasiment");
    std::string other(TextMaxLength, 'Z');
    EXPECT_EQ(verdict(other.c_str(), stored.c_str()), "FAUX");
}

// --- edit distance ------------------------------------------------------

// The classic table, row by row, as the reference.
static int referenceDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<int>> table(a.size() + 1, std::vector<int>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) table[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= b.size(); ++j) table[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j) {
            int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            table[i][j] = std::min(std::min(table[i - 1][j] + 1, table[i][j - 1] + 1), table[i - 1][j - 1] + cost);
        }
    return table[a.size()][b.size()];
}

TEST(EditDistance, CountsInsertionsDeletionsAndSubstitutionsButNoSwaps) {
    EXPECT_EQ(editDistance("", ""), 0);
    EXPECT_EQ(editDistance("", "ABC"), 3);
    EXPECT_EQ(editDistance("ABC", ""), 3);
    EXPECT_EQ(editDistance("CHAT", "CHAT"), 0);
    EXPECT_EQ(editDistance("CHAT", "CAHT"), 2);
    EXPECT_EQ(editDistance("KITTEN", "SITTING"), 3);
    EXPECT_EQ(editDistance("\xC9L\xC9PHANT", "\xE9L\xE9PHANT"), 2);
}

TEST(EditDistance, CrossesTheSixtyFourCharacterWordBoundaries) {
    for (size_t length : {63u, 64u, 65u, 127u, 128u, 129u, 192u, 193u, 255u, 256u, 259u}) {
        std::string a(length, 'A');
        std::string b = a;
        b[length - 1] = 'B';
        EXPECT_EQ(editDistance(a.c_str(), b.c_str()), 1) << length;
        EXPECT_EQ(editDistance(a.c_str(), (a.substr(1)).c_str()), 1) << length;
        std::string z(length, 'Z');
        EXPECT_EQ(editDistance(a.c_str(), z.c_str()), static_cast<int>(length)) << length;
    }
}

static std::string randomText(std::mt19937& random, size_t maxLength, int alphabet) {
    std::uniform_int_distribution<size_t> lengthOf(0, maxLength);
    // Small alphabets make long common runs; the full one mixes in bytes
    // 0x80 to 0xFF. Never the terminating zero.
    std::uniform_int_distribution<int> byteOf(1, 255);
    std::uniform_int_distribution<int> letterOf(0, alphabet - 1);
    static const unsigned char letters[] = {'A', 0xE9, ' ', 0xFF, 'B', 0x80, 'Z', 'C'};
    std::string text(lengthOf(random), ' ');
    for (char& c : text)
        c = static_cast<char>(alphabet >= 256 ? byteOf(random) : letters[letterOf(random)]);
    return text;
}

TEST(EditDistance, AgreesWithTheClassicTableOnRandomTextsUpToTheFullLength) {
    std::mt19937 random(20240611);
    const int alphabets[] = {2, 4, 8, 256};
    for (int round = 0; round < 1200; ++round) {
        int alphabet = alphabets[round % 4];
        size_t maxLength = round % 3 == 0 ? TextMaxLength : (round % 3 == 1 ? 70 : 10);
        std::string a = randomText(random, maxLength, alphabet);
        std::string b = randomText(random, maxLength, alphabet);
        ASSERT_EQ(editDistance(a.c_str(), b.c_str()), referenceDistance(a, b))
            << "round " << round << " lengths " << a.size() << ", " << b.size();
    }
}

TEST(EditDistance, AgreesWithTheClassicTableOnSmallMutationsOfALongText) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> edits(1, 6);
    for (int round = 0; round < 300; ++round) {
        std::string a = randomText(random, TextMaxLength, 256);
        std::string b = a;
        for (int e = edits(random); e > 0 && !b.empty(); --e) {
            size_t at = std::uniform_int_distribution<size_t>(0, b.size() - 1)(random);
            switch (e % 3) {
                case 0: b.erase(at, 1); break;
                case 1: b[at] = static_cast<char>(0xE9); break;
                default: if (b.size() < TextMaxLength) b.insert(at, 1, 'Q'); break;
            }
        }
        ASSERT_EQ(editDistance(a.c_str(), b.c_str()), referenceDistance(a, b)) << "round " << round;
        ASSERT_EQ(editDistance(b.c_str(), a.c_str()), referenceDistance(a, b)) << "round " << round;
    }
}
