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

std::string typedFor(const std::string& answer, const std::string& label) {
    for (const AnswerVariant& variant : likelyAnswers(answer))
        if (label == variant.label) return variant.typed;
    return "(none)";
}

}  // namespace

TEST(LikelyAnswers, StartWithTheAnswerItselfAndHoldNoDuplicatesAndAnEmptyAnswerHasNone) {
    EXPECT_TRUE(likelyAnswers("").empty());
    for (const char* answer : {"Paris", "Ath\xE8nes", "aa", "Le Caire", "x", "Rome"}) {
        std::vector<std::string> typed = typedOf(answer);
        ASSERT_FALSE(typed.empty());
        EXPECT_EQ(typed[0], answer);
        for (size_t i = 0; i < typed.size(); ++i)
            for (size_t k = i + 1; k < typed.size(); ++k) EXPECT_NE(typed[i], typed[k]) << answer;
    }
}

TEST(LikelyAnswers, FoldCaseAndAccentsMisspellMakeFrenchPluralsCutAndReorder) {
    EXPECT_EQ(lowerCaseCp1252("\xC9T\xC9 \x8C\x9F"), "\xE9t\xE9 \x9C\xFF");  // over the whole code page
    EXPECT_EQ(withoutAccentsCp1252("\xC9l\xE8ve \xE0 No\xEBl \xE7\xE0 \x8A"), "Eleve a Noel ca S");
    const char* cases[][3] = {
        {"Ath\xE8nes", "lower case", "ath\xE8nes"},  {"Ath\xE8nes", "no accents", "Athenes"},
        {"Berlin", "one letter missing", "Berin"},  {"Berlin", "one letter doubled", "Berllin"},
        {"Berlin", "two letters swapped", "Beriln"}, {"bateau", "plural", "bateaux"},
        {"chat", "plural", "chats"},                {"CHAT", "plural", "CHATS"},
        {"Paris", "plural", "(none)"},  // already ends like a plural
        {"Lisbonne", "half of it", "Lisb"},         {"Le Caire", "words in another order", "Caire Le"},
        {"Rome", "words in another order", "(none)"},
    };
    for (auto& c : cases) EXPECT_EQ(typedFor(c[0], c[1]), c[2]) << c[0] << ": " << c[1];
    std::string wrong = typedFor("Berlin", "one letter wrong");
    ASSERT_EQ(wrong.size(), 6u);
    int differences = 0;
    for (size_t i = 0; i < wrong.size(); ++i) differences += wrong[i] != "Berlin"[i];
    EXPECT_EQ(differences, 1);
}

TEST(LikelyAnswers, PutTheArticleThatFitsTheWordOrNoneThatCouldBeWrong) {
    const struct {
        const char* answer;
        std::vector<std::string> withArticles;   // every "with an article" variant, in order
    } cases[] = {
        {"avion", {"l'avion", "les avions"}},
        {"maison", {"la maison", "les maisons"}},
        {"bateau", {"le bateau", "les bateaux"}},
        {"plage", {"la plage", "les plages"}},        // feminine, though "-age" is mostly masculine
        {"for\xEAt", {"les for\xEAts"}},             // the ending does not tell: never "le for\xEAt"
        {"chat", {"les chats"}},
        {"cerf-volant", {"les cerf-volants"}},
        {"Gr\xE8" "ce", {}},                          // a name may take an article or none
        {"la Seine", {}},                               // the answer has its own
    };
    for (const auto& c : cases) {
        std::vector<std::string> shown;
        for (const AnswerVariant& variant : likelyAnswers(c.answer))
            if (std::string(variant.label) == "with an article") {
                shown.push_back(variant.typed);
                EXPECT_STREQ(variant.french, "avec un article");
            }
        EXPECT_EQ(shown, c.withArticles) << c.answer;
    }
}
