// The likely answers that 'quizmaker try' judges: Windows-1252 throughout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "variants.h"

namespace {

std::vector<std::string> typedOf(const std::string& answer) {
    std::vector<std::string> typed;
    for (const AnswerVariant& variant : likelyAnswers(answer)) typed.push_back(variant.typed);
    return typed;
}

bool contains(const std::vector<std::string>& list, const std::string& text) {
    for (const std::string& item : list)
        if (item == text) return true;
    return false;
}

std::string typedFor(const std::string& answer, const std::string& label) {
    for (const AnswerVariant& variant : likelyAnswers(answer))
        if (label == variant.label) return variant.typed;
    return "(none)";
}

}  // namespace

TEST(LikelyAnswers, StartWithTheAnswerItselfAndHoldNoDuplicates) {
    for (const char* answer : {"Paris", "Ath\xE8nes", "aa", "Le Caire", "x", "Rome"}) {
        std::vector<std::string> typed = typedOf(answer);
        ASSERT_FALSE(typed.empty());
        EXPECT_EQ(typed[0], answer);
        for (size_t i = 0; i < typed.size(); ++i)
            for (size_t k = i + 1; k < typed.size(); ++k) EXPECT_NE(typed[i], typed[k]) << answer;
    }
}

TEST(LikelyAnswers, AnEmptyAnswerHasNone) { EXPECT_TRUE(likelyAnswers("").empty()); }

TEST(LikelyAnswers, FoldCaseAndAccentsOverTheWholeCodePage) {
    EXPECT_EQ(lowerCaseCp1252("\xC9T\xC9 \x8C\x9F"), "\xE9t\xE9 \x9C\xFF");
    EXPECT_EQ(withoutAccentsCp1252("\xC9l\xE8ve \xE0 No\xEBl \xE7\xE0 \x8A"), "Eleve a Noel ca S");
    EXPECT_EQ(typedFor("Ath\xE8nes", "lower case"), "ath\xE8nes");
    EXPECT_EQ(typedFor("Ath\xE8nes", "no accents"), "Athenes");
}

TEST(LikelyAnswers, MisspellEachLetterEditOnce) {
    EXPECT_EQ(typedFor("Berlin", "one letter missing"), "Berin");
    EXPECT_EQ(typedFor("Berlin", "one letter doubled"), "Berllin");
    EXPECT_EQ(typedFor("Berlin", "two letters swapped"), "Beriln");
    std::string wrong = typedFor("Berlin", "one letter wrong");
    ASSERT_EQ(wrong.size(), 6u);
    int differences = 0;
    for (size_t i = 0; i < wrong.size(); ++i) differences += wrong[i] != "Berlin"[i];
    EXPECT_EQ(differences, 1);
}

TEST(LikelyAnswers, MakeFrenchPluralsAndArticles) {
    EXPECT_EQ(typedFor("bateau", "plural"), "bateaux");
    EXPECT_EQ(typedFor("chat", "plural"), "chats");
    EXPECT_EQ(typedFor("CHAT", "plural"), "CHATS");
    EXPECT_EQ(typedFor("Paris", "plural"), "(none)");  // already ends like a plural
    std::vector<std::string> vowel = typedOf("avion");
    EXPECT_TRUE(contains(vowel, "l'avion"));
    EXPECT_TRUE(contains(vowel, "les avion"));
    EXPECT_FALSE(contains(vowel, "le avion"));
    std::vector<std::string> consonant = typedOf("chat");
    EXPECT_TRUE(contains(consonant, "le chat"));
    EXPECT_TRUE(contains(consonant, "la chat"));
}

TEST(LikelyAnswers, CutInHalfAndReorderWords) {
    EXPECT_EQ(typedFor("Lisbonne", "half of it"), "Lisb");
    EXPECT_EQ(typedFor("Le Caire", "words in another order"), "Caire Le");
    EXPECT_EQ(typedFor("Rome", "words in another order"), "(none)");
}
