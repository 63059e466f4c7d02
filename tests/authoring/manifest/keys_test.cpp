// The table of the manifest's keys: every key written and read back through
// it, its JSON paths, and the names and choices the messages quote from it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "manifestcheck.h"
#include "manifestjson.h"
#include "manifestkeys.h"

namespace {

// A manifest that checks without an error, every key at its default.
Manifest plainManifest() {
    Manifest manifest;
    manifest.questions.resize(2);
    manifest.questions[0].answer = "Paris";
    manifest.questions[1].answer = "Rome";
    return manifest;
}

// Gives one key a value other than its default; the value as read back.
std::string changeKey(const ManifestKey& key, Manifest* manifest) {
    switch (key.kind) {
    case KeyKind::Text:
        if (key.scope == KeyScope::Quiz) return manifest->*key.quizText = "\xC9t\xE9 \x80 1";  // "Été € 1"
        manifest->questionFormat = TwoAnswers;   // the second answer is stored in two-answer quizzes only
        for (ManifestQuestion& question : manifest->questions) question.secondAnswer = "Italie";
        return manifest->questions[1].*key.questionText = "Rome \xE0 " + std::string(key.name);
    case KeyKind::Path:
        manifest->style = StylePictures;
        manifest->answerMode = ModeRevealAndPicture;
        return manifest->questions[1].*key.questionText = "img/" + std::string(key.name) + ".jpg";
    case KeyKind::Number:
        // A two-answer quiz needs every second answer.
        if (key.field == Field::QuestionFormat)
            for (ManifestQuestion& question : manifest->questions) question.secondAnswer = "Italie";
        manifest->*key.number = key.high;
        return std::to_string(key.high);
    case KeyKind::Colour:
        manifest->red = 0x12, manifest->green = 0xAB, manifest->blue = 0xEF;
        return "#12ABEF";
    case KeyKind::Questions:
        manifest->questions.push_back(ManifestQuestion());
        manifest->questions.back().answer = "Berne";
        return "3 questions";
    case KeyKind::Codes:
        manifest->codes = {"C", "\xC9"};
        return "C,\xC9";
    }
    return "";
}

// The same value, as the manifest holds it.
std::string valueOf(const ManifestKey& key, const Manifest& manifest) {
    switch (key.kind) {
    case KeyKind::Text:
        return key.scope == KeyScope::Quiz ? manifest.*key.quizText : manifest.questions.at(1).*key.questionText;
    case KeyKind::Path: return manifest.questions.at(1).*key.questionText;
    case KeyKind::Number: return std::to_string(manifest.*key.number);
    case KeyKind::Colour: {
        char text[8];
        snprintf(text, sizeof text, "#%02X%02X%02X", manifest.red, manifest.green, manifest.blue);
        return text;
    }
    case KeyKind::Questions: return std::to_string(manifest.questions.size()) + " questions";
    case KeyKind::Codes: return manifest.codes.size() == 2 ? manifest.codes[0] + "," + manifest.codes[1] : "";
    }
    return "";
}

}  // namespace

TEST(ManifestKeys, EachKeySurvivesWritingAndReadingBack) {
    for (const ManifestKey& key : manifestKeys) {
        SCOPED_TRACE(key.name);
        Manifest manifest = plainManifest();
        const std::string value = changeKey(key, &manifest);
        ASSERT_NE(valueOf(key, plainManifest()), value) << "the test changes nothing";
        const std::string json = manifestToJson(manifest);
        EXPECT_NE(json.find("\"" + std::string(key.name) + "\": "), std::string::npos) << json;
        Manifest read;
        std::vector<Problem> problems;
        loadManifestText(json, &read, &problems);
        EXPECT_FALSE(hasErrors(problems)) << json;
        EXPECT_EQ(valueOf(key, read), value);
        EXPECT_EQ(manifestToJson(read), json);
    }
}

TEST(ManifestKeys, EveryFieldHasOneRowNamedOnceInItsScope) {
    std::set<std::string> names[2];
    std::set<int> fields, columns;
    for (const ManifestKey& key : manifestKeys) {
        ASSERT_NE(key.name, nullptr) << "a row of the table is missing";
        EXPECT_TRUE(names[key.scope == KeyScope::Question].insert(key.name).second) << key.name;
        EXPECT_TRUE(fields.insert(static_cast<int>(key.field)).second) << key.name;
        EXPECT_EQ(keyOf(key.field), &key);
        EXPECT_EQ(findKey(key.name, key.scope), &key);
        EXPECT_EQ(isQuestionField(key.field), key.scope == KeyScope::Question) << key.name;
        EXPECT_TRUE(key.french && *key.french && key.label && *key.label) << key.name;
        if (key.bankColumn) {
            EXPECT_TRUE(columns.insert(key.bankColumn).second) << key.name;
        }
    }
    EXPECT_EQ(fields.size(), static_cast<size_t>(Field::None));
    EXPECT_EQ(keyOf(Field::None), nullptr);
    EXPECT_EQ(findKey("answer", KeyScope::Quiz), nullptr);
}

TEST(ManifestKeys, PathsPlaceAKeyOfTheQuizOfAQuestionOrOfAList) {
    EXPECT_EQ(keyPath(Field::Title), "title");
    EXPECT_EQ(keyPath(Field::Codes, 2), "codes[2]");
    EXPECT_EQ(keyPath(Field::Questions, 3), "questions[3]");
    EXPECT_EQ(keyPath(Field::AnswerPicture, 0), "questions[0].answerPicture");
    EXPECT_EQ(textKindIn(*keyOf(Field::SecondAnswer), OneAnswer), PlainText);
    EXPECT_EQ(textKindIn(*keyOf(Field::SecondAnswer), TwoAnswers), AnswerText);
}

TEST(ManifestKeys, MessagesQuoteTheSettingsAsTheEditorNamesThem) {
    const Message style = meaningOf(*keyOf(Field::Style));
    EXPECT_EQ(style.english, "0 text, 1 pictures, 2 sounds, 3 videos");
    EXPECT_EQ(style.french, u8"0 Texte, 1 Images, 2 Sons, 3 Vidéos");
    EXPECT_EQ(meaningOf(*keyOf(Field::AnswerMode)).english, "a byte, 0 to 255");
    EXPECT_EQ(choicesOf(Field::AnswerMode).size(), 4u);
    EXPECT_EQ(choiceOf(Field::AnswerMode, 0), nullptr);

    Manifest manifest;   // a text quiz of one answer, reveal texts shown
    manifest.answerMode = ModeAnswerPicture;
    ManifestQuestion question;
    question.secondAnswer = "x";
    question.reveal = "y";
    question.media = "a.jpg";
    std::vector<Problem> problems;
    settleQuestion(manifest, "questions[0].", &question, &problems);
    ASSERT_EQ(problems.size(), 3u);
    const char* const expected[][3] = {
        {"questions[0].secondAnswer", "not stored: only questionFormat 2 has a second answer",
         u8"pas enregistrée : il faut « Deux réponses » dans Nombre de réponses"},
        {"questions[0].reveal", "not stored: only answerMode 2, 3 and 4 show reveal texts",
         u8"pas enregistrée : seuls les affichages « Texte », « Texte et image » et « Tous les textes à la fin » "
         u8"montrent la révélation"},
        {"questions[0].media", "a text quiz (style 0) shows no media; remove it or change the style",
         u8"un quiz de style Texte ne montre aucun média : retirez-le ou changez le style"},
    };
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(problems[i].where, expected[i][0]);
        EXPECT_EQ(problems[i].message, expected[i][1]);
        EXPECT_EQ(problems[i].french, expected[i][2]);
    }
    EXPECT_TRUE(question.secondAnswer.empty() && question.reveal.empty());
}
