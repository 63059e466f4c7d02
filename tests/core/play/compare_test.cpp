#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "format/text.h"
#include "play/compare.h"

// Accented letters are written as Windows-1252 escapes: é is 0xE9, É 0xC9.
static std::string verdict(const char* typed, const char* stored) { return chooseVerdict(typed, stored); }

static std::string normalised(const char* text) {
    Text buffer;
    copyText(buffer, text);
    normaliseTypedAnswer(buffer);
    return buffer;
}

TEST(NormaliseTypedAnswer, TrimsOnlyPlainSpacesAtBothEndsAndFoldsOnlyAToZ) {
    const char* cases[][2] = {
        {"  chat  ", "CHAT"},
        {"  le   chat ", "LE   CHAT"},  // inner runs stay
        {"\tchat\t", "\tCHAT\t"},      // other edge bytes stay
        {"chat\xA0", "CHAT\xA0"},      // so does a no-break space
        {"abz\xE9\xE0\xFF-'1{`", "ABZ\xE9\xE0\xFF-'1{`"}, {"     ", ""}, {"", ""},
    };
    for (auto& c : cases) EXPECT_EQ(normalised(c[0]), c[1]) << c[0];
}

TEST(SortLetters, OrdersBytesAsSignedValuesWhateverTheLength) {
    Text text;
    copyText(text, "b\xE9" "a\x80 Z");
    sortLetters(text);
    EXPECT_STREQ(text, "\x80\xE9 Zab");  // accents first
    std::mt19937 random(3);
    std::uniform_int_distribution<int> byteOf(1, 255);
    for (size_t length : {0u, 2u, 31u, 32u, 33u, 100u, 259u}) {
        for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>(byteOf(random));
        text[length] = '\0';
        std::vector<signed char> expected(text, text + length);
        std::sort(expected.begin(), expected.end());
        sortLetters(text);
        ASSERT_EQ(strlen(text), length);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<signed char*>(text))) << length;
    }
}

TEST(FindContainment, IsTwoWhenTypedHoldsStoredMinusTwoForAShorterPieceAndZeroOtherwise) {
    const struct { const char* stored; const char* typed; int expected; } cases[] = {
        {"CHAT", "LE CHAT", 2},   {"CHAT", "CHAT", 2},   {"CROCODILE", "CODI", -2}, {"CROCODILE", "ILE", -2},
        {"CHAT", "CHIEN", 0},     {"CHAT", "HCA", 0},    {"", "CHAT", 0},           {"CHAT", "", 0},
        {"", "", 0},
    };
    for (auto& c : cases) EXPECT_EQ(findContainment(c.stored, c.typed), c.expected) << c.stored << " / " << c.typed;
}

// Every rule of the verdict with the examples on both sides of its boundaries.
struct VerdictCase {
    std::string typed, stored;
    const char* verdict;
};
static const std::string fullLength(TextMaxLength, 'A');
static const std::string oneWrong = fullLength.substr(0, 100) + "B" + fullLength.substr(101);
static const VerdictCase verdictCases[] = {
    {"", "CHAT", "?"}, {"   ", "CHAT", "?"}, {"", "", "?"}, {"chat", "chat", "BRAVO"},
    {"  chat  ", "Chat", "BRAVO"},  // case and spaces around the typed text
    {"chat", "CHAT ", "Quasiment"},  // the stored answer is never trimmed
    {"  chat", " CHAT", "Quasiment"},
    {"\xE9l\xE9phant", "\xC9L\xC9PHANT", "Presque"},  // accents are their own bytes
    {"\xE9l\xE9phant", "\xE9L\xE9PHANT", "BRAVO"}, {"elephant", "\xC9L\xC9PHANT", "Presque"},
    {"chien", "NICHE", "Anagramme"}, {"noir chat", "CHAT NOIR", "Anagramme"},
    {"CAHT", "CHAT", "Anagramme"},  // a swap: distance 2, yet an anagram first
    {"CHATS", "CHAT", "Quasiment"},  // one and two edits before any containment
    {"CHA", "CHAT", "Quasiment"}, {"CHOT", "CHAT", "Quasiment"},
    {"CHATON", "CHAT", "Presque"}, {"CROCODILE DU N", "CROCODILE DU NIL", "Presque"},
    {"LE CHAT", "CHAT", "Trop long"}, {"un gros chat noir", "CHAT", "Trop long"},
    {"CROCODILE DU", "CROCODILE DU NIL", "Trop court"},  // 75 % of the length
    {"CROCODILE", "CROCODILE DU NIL", "pas loin"},      // 56.25 %
    {"CROCO", "CROCODILE DU NIL", "FAUX"},              // 31.25 %
    {"ABCDEFG", "ABCDEFGHIJ", "pas loin"},              // exactly 70 %: the lower verdict
    {"ABCDEFGHIJ", "ABCDEFGHIJKLMN", "Trop court"},     // 71.43 %
    {"ABCDE", "ABCDEFGHIJ", "FAUX"},                    // exactly 50 %
    {"ABCDEFGHIJK", "ABCDEFGHIJKLMNOPQRSTU", "pas loin"},  // 52.38 %
    {"PAPI", "PAPILLON", "FAUX"},                       // pieces of answers under 10 characters
    {"ABCDEF", "ABCDEFGHI", "FAUX"},                    // 9 characters, 66.7 %
    {"ABCDEFGHIJKLMXYZ", "ABCDEFGHIJKLMNOP", "yade lid\xE9" "e"},  // 16 long, 3 replaced: 81.25 %
    {"ABCDEFGHIJKLXYZ", "ABCDEFGHIJKLMNO", "FAUX"},                // 15 long, 3 replaced: exactly 80 %
    {"XBCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQRST", "yade lid\xE9" "e"},  // the longer length 20, d 3: 85 %
    {"XBCDEFGHIJKLMY", "ABCDEFGHIJKLMNO", "FAUX"},                 // L 15, d 3: exactly 80 %
    {"CHIEN", "CHAT", "FAUX"}, {"x", "yade lid\xE9" "e", "FAUX"},
    {"a", "", "Quasiment"},  // against an empty stored answer, by length
    {"ab", "", "Presque"}, {"abc", "", "FAUX"},
    {fullLength, fullLength, "BRAVO"}, {oneWrong, fullLength, "Quasiment"},  // texts of the full length
    {std::string(TextMaxLength, 'Z'), fullLength, "FAUX"},
};

// Lower and upper case of plain letters give the same verdict, and neither
// text is changed.
TEST(ChooseVerdict, GivesEachRuleItsVerdictOnBothSidesOfItsBoundariesWhateverTheCaseOfPlainLetters) {
    for (const VerdictCase& c : verdictCases) {
        std::string lower = c.typed, upper = c.typed, stored = c.stored;
        for (char& ch : lower) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
        for (char& ch : upper) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
        for (const std::string& typed : {c.typed, lower, upper}) {
            std::string kept = typed;
            EXPECT_EQ(verdict(kept.c_str(), stored.c_str()), c.verdict) << typed << " / " << c.stored;
            EXPECT_EQ(kept + " / " + stored, typed + " / " + c.stored);
        }
    }
    // The source literal of the idea verdict is compiled to Windows-1252.
    EXPECT_STREQ(VerdictIdea, "yade lidée");
}

// The classic table is the fuzz target's oracle (fuzz/verdict.cpp); here the
// examples and the 64-character word boundaries of the fast algorithm.
TEST(EditDistance, CountsInsertionsDeletionsAndSubstitutionsButNoSwaps) {
    const struct { const char *a, *b; int distance; } cases[] = {
        {"", "", 0}, {"", "ABC", 3}, {"ABC", "", 3}, {"CHAT", "CAHT", 2}, {"KITTEN", "SITTING", 3},
        {"\xC9L\xC9PHANT", "\xE9L\xE9PHANT", 2}};
    for (const auto& c : cases) EXPECT_EQ(editDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
}

TEST(EditDistance, CrossesTheSixtyFourCharacterWordBoundaries) {
    for (size_t length : {63u, 64u, 65u, 127u, 128u, 129u, 192u, 193u, 255u, 256u, 259u}) {
        SCOPED_TRACE(length);
        std::string a(length, 'A');
        std::string b = a;
        b[length - 1] = 'B';
        EXPECT_EQ(editDistance(a.c_str(), b.c_str()), 1);
        EXPECT_EQ(editDistance(a.c_str(), a.substr(1).c_str()), 1);
        EXPECT_EQ(editDistance(a.c_str(), std::string(length, 'Z').c_str()), static_cast<int>(length));
        // Changes around each boundary and one deletion shifting the rest:
        // a run of one letter needs exactly one edit for each.
        std::string c = a;
        int edits = 1;
        for (size_t at : {0u, 62u, 63u, 64u, 128u}) {
            if (at < length) c[at] = 'C';
            edits += at < length && at != length / 2;
        }
        c.erase(length / 2, 1);
        EXPECT_EQ(editDistance(a.c_str(), c.c_str()), edits);
        EXPECT_EQ(editDistance(c.c_str(), a.c_str()), edits);
    }
}
