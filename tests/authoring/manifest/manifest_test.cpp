// The manifest model: what loading accepts and reports, and the exact bytes
// composed for the player. Manifest texts here are JSON with \u escapes, so
// they stay UTF-8 whatever the compiler's execution character set.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "manifestcompose.h"
#include "manifestjson.h"
#include "shared/stored.h"

namespace {

std::vector<Problem> load(const std::string& json, Manifest* manifest) {
    std::vector<Problem> problems;
    loadManifestText(json, manifest, &problems);
    return problems;
}

std::vector<Problem> load(const std::string& json) {
    Manifest manifest;
    return load(json, &manifest);
}

// A one-question manifest with extra top-level keys and question keys.
std::string oneQuestion(const std::string& top, const std::string& question) {
    return "{" + top + (top.empty() ? "" : ",") + "\"questions\":[{\"answer\":\"Paris\"" +
           (question.empty() ? "" : ",") + question + "}]}";
}

bool hasErrorAt(const std::vector<Problem>& problems, const std::string& where) {
    for (const Problem& problem : problems)
        if (problem.error && problem.where == where) return true;
    return false;
}

std::string bytesOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

TEST(ManifestErrors, EachBadValueIsAnErrorAtItsOwnKey) {
    std::string fits(259, 'a'), accents;
    for (int i = 0; i < 259; ++i) accents += "\\u00e9";  // 518 UTF-8 bytes, 259 in Windows-1252
    const struct { std::string top, question, where; bool error; } cases[] = {
        {"\"style\":4", "", "style", true}, {"\"style\":-1", "", "style", true},
        {"\"style\":\"1\"", "", "style", true}, {"\"questionFormat\":3", "", "questionFormat", true},
        {"\"questionFormat\":0", "", "questionFormat", true}, {"\"answerMode\":256", "", "answerMode", true},
        {"\"answerMode\":255", "", "answerMode", false}, {"\"answerMode\":0", "", "answerMode", false},
        {"\"answerMode\":2.5", "", "answerMode", true}, {"\"title\":12", "", "title", true},
        {"", "\"media\":true", "questions[0].media", true}, {"\"codes\":\"A\"", "", "codes", true},
        {"\"codes\":[1]", "", "codes[0]", true}, {"\"backColour\":\"FF8000\"", "", "backColour", true},
        {"\"backColour\":\"#FF800\"", "", "backColour", true}, {"\"backColour\":\"#GG8000\"", "", "backColour", true},
        {"\"backColour\":16744448", "", "backColour", true}, {"\"creator\":\"a|b\"", "", "creator", true},
        {"", "\"reveal\":\"a|b\"", "questions[0].reveal", true}, {"\"codes\":[\"a|b\"]", "", "codes[0]", true},
        {"\"explanation\":\"" + fits + "\"", "", "explanation", false},
        {"\"explanation\":\"" + fits + "a\"", "", "explanation", true},
        {"\"title\":\"" + accents + "\"", "", "title", false}, {"\"codes\":[\"A\\r\\nB\"]", "", "codes[0]", true},
        {"\"codes\":[\"A\\nB\"]", "", "codes[0]", true}, {"\"codes\":[\"A\"]", "", "codes", false},
        {"\"codes\":[\"A\",\"B\"]", "", "codes", true},  // more codes than questions
        {"\"style\":0", "\"media\":\"a.jpg\"", "questions[0].media", true},
        {"\"style\":1", "\"media\":\"a.jpg\"", "questions[0].media", false}, {"\"titel\":\"x\"", "", "titel", true},
        {"", "\"anwser\":\"x\"", "questions[0].anwser", true},
        {"", "\"caption\":\"a \\u2192 b\"", "questions[0].caption", true},  // not in Windows-1252
    };
    for (const auto& c : cases) {
        std::vector<Problem> problems = load(oneQuestion(c.top, c.question));
        EXPECT_EQ(hasErrorAt(problems, c.where), c.error) << c.top << c.question;
        EXPECT_EQ(hasErrors(problems), c.error) << c.top << c.question;
        for (const Problem& problem : problems) EXPECT_FALSE(problem.french.empty()) << problem.message;
    }
    EXPECT_TRUE(hasErrorAt(load("{\"questions\":[\"Paris\"]}"), "questions[0]"));
    EXPECT_TRUE(hasErrorAt(load("{\"questions\":{}}"), "questions"));
}

TEST(ManifestErrors, AnAnswerThePlayerCannotTakeIsAnErrorSayingWhatToDoInstead) {
    const struct {
        std::string json, where, says, french;
    } cases[] = {
        {"{\"questions\":[{\"answer\":\"\",\"caption\":\"France ?\"}]}", "questions[0].answer",
         "is empty: no typed answer can ever be right, so no pupil can finish the quiz; fill it in, or delete the "
         "question",
         u8"remplissez-la, ou supprimez la question"},
        {"{\"questionFormat\":2,\"questions\":[{\"answer\":\"Paris\",\"secondAnswer\":\"France\"},"
         "{\"answer\":\"Rome\",\"secondAnswer\":\"\"}]}",
         "questions[1].secondAnswer", "fill it in, or make a one-answer quiz (questionFormat 1; when importing, --format 1)",
         u8"est vide dans un quiz à « Deux réponses » : aucune réponse tapée ne pourra être juste et aucun élève ne "
         u8"pourra finir le quiz ; remplissez-la, ou choisissez « Une réponse » dans Nombre de réponses"},
        {"{\"questions\":[{\"answer\":\"Paris|Lutece\"}]}", "questions[0].answer",
         "write one answer per field; a second spelling needs the second answer field, in a two-answer quiz",
         u8"écrivez une seule réponse par champ"},
        {oneQuestion("\"title\":\"Vrai | faux\"", ""), "title", "write another character, such as '/' or '-'",
         u8"écrivez un autre caractère, comme « / » ou « - »"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        std::vector<Problem> problems = load(c.json);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_TRUE(problems[0].error);
        EXPECT_EQ(problems[0].where, c.where);
        EXPECT_NE(problems[0].message.find(c.says), std::string::npos) << problems[0].message;
        EXPECT_NE(problems[0].french.find(c.french), std::string::npos) << problems[0].french;
    }
    // A one-answer quiz asks for no second answer.
    EXPECT_TRUE(load(oneQuestion("\"questionFormat\":1", "\"secondAnswer\":\"\"")).empty());
}

TEST(ManifestErrors, QuestionsNumberOneToNinety) {
    for (int count : {0, 1, 90, 91}) {
        std::string list;
        for (int i = 0; i < count; ++i) list += std::string(i ? "," : "") + "{\"answer\":\"A\"}";
        EXPECT_EQ(hasErrorAt(load("{\"questions\":[" + list + "]}"), "questions"), count == 0 || count == 91) << count;
    }
}

TEST(ManifestErrors, BrokenJsonIsOneWholeFileError) {
    for (const char* text : {"{\"questions\": [", "", "[1,2]", "{\"title\":\"\xC3\"}"}) {
        std::vector<Problem> problems = load(text);
        ASSERT_EQ(problems.size(), 1u) << text;
        EXPECT_TRUE(problems[0].error);
        EXPECT_EQ(problems[0].where, "");
        EXPECT_FALSE(problems[0].french.empty());
    }
}

TEST(ManifestWarnings, DoubtfulValuesGetOneWarningAtTheirKeyAndWhatIsStoredFollows) {
    auto quiz = [](const std::string& top, const std::string& questions) {
        return "{" + top + "\"questions\":[" + questions + "]}";
    };
    auto answer = [&](const std::string& text) { return quiz("", "{\"answer\":\"" + text + "\"}"); };
    const struct {
        std::string json, where;
        size_t problems;
        std::string ManifestQuestion::*field;  // of the last question, when checked
        std::string stored, says;
    } cases[] = {
        // Answers players cannot type as stored: warned about, stored anyway.
        {answer("l\\u2019eau"), "questions[0].answer", 1, &ManifestQuestion::answer, "l\x92" "eau", ""},  // curly apostrophe
        {answer("\\u00abOui\\u00bb"), "questions[0].answer", 1, nullptr, "", ""},  // guillemets
        {answer("New\\u00a0York"), "questions[0].answer", 1, nullptr, "", ""},      // non-breaking space
        {answer(" Paris"), "questions[0].answer", 1, nullptr, "", ""},
        {answer("Paris "), "questions[0].answer", 1, nullptr, "", ""},
        {answer("\\u00c9cole"), "questions[0].answer", 1, nullptr, "", ""},  // accented capital
        {answer("Stra\\u00dfe"), "questions[0].answer", 1, nullptr, "", ""},  // a letter no French keyboard has
        // Plain French: no problem at all.
        {answer("l'\\u00e9l\\u00e8ve na\\u00efve \\u00e0 No\\u00ebl, 3\\u00b0"), "", 0, nullptr, "", ""},
        // The second answer is checked only where it is used, and dropped elsewhere.
        {oneQuestion("\"questionFormat\":2", "\"secondAnswer\":\" x\""), "questions[0].secondAnswer", 1,
         &ManifestQuestion::secondAnswer, " x", ""},
        {oneQuestion("\"questionFormat\":1", "\"secondAnswer\":\" x\""), "questions[0].secondAnswer", 1,
         &ManifestQuestion::secondAnswer, "", "not stored"},
        // A reveal a mode never shows is dropped.
        {oneQuestion("\"answerMode\":1", "\"reveal\":\"Seine\""), "questions[0].reveal", 1, &ManifestQuestion::reveal, "", ""},
        // Reveals outside a picture quiz: one warning for all, naming the settings that show them, still stored.
        {quiz("\"style\":0,", "{\"answer\":\"A\",\"reveal\":\"R\"},{\"answer\":\"B\",\"reveal\":\"S\"}"), "questions", 1,
         &ManifestQuestion::reveal, "S", "only a picture quiz (style 1) shows them, with answerMode 2, 3 and 4"},
        // Row captions outside a two-answer quiz are never shown; still stored.
        {oneQuestion("\"secondRowCaption\":\"Pays\"", ""), "secondRowCaption", 1, nullptr, "",
         "never shown: only a two-answer quiz (questionFormat 2) shows the row captions"},
        // A caption outside a text quiz is never shown; still stored.
        {quiz("\"style\":2,", "{\"answer\":\"A\",\"caption\":\"Qui chante ?\"}"), "questions[0].caption", 1,
         &ManifestQuestion::caption, "Qui chante ?", "never shown: only a text quiz (style 0) shows a question's caption"},
        {quiz("\"style\":1,", "{\"answer\":\"A\",\"reveal\":\"R\"}"), "", 0, &ManifestQuestion::reveal, "R", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        Manifest manifest;
        std::vector<Problem> problems = load(c.json, &manifest);
        ASSERT_EQ(problems.size(), c.problems);
        if (c.problems) {
            EXPECT_FALSE(problems[0].error);
            EXPECT_EQ(problems[0].where, c.where);
            EXPECT_NE(problems[0].message.find(c.says), std::string::npos) << problems[0].message;
            EXPECT_FALSE(problems[0].french.empty());
        }
        if (c.field) {
            EXPECT_EQ(manifest.questions.back().*c.field, c.stored);
        }
    }
}

TEST(ContentComposition, WritesTheBytesThePlayerReads) {
    const struct { const char* json; std::string content, codes; } cases[] = {
        // Header 00, style 1 stored as 2, 1 question, format 1; texts T C E A K; X / Y;
        // mode 2 with reveal Z; colour FF 80 00.
        {"{\"title\":\"T\",\"creator\":\"C\",\"explanation\":\"E\",\"firstRowCaption\":\"A\",\"secondRowCaption\":\"K\","
         "\"style\":1,\"answerMode\":2,\"backColour\":\"#FF8000\",\"questions\":[{\"answer\":\"X\",\"caption\":\"Y\",\"reveal\":\"Z\"}]}",
         std::string("\x00\x02\x01\x01T|C|E|A|K|X|Y|\x02Z|\xFF\x80\x00", 24), "\r\n"},
        // Format 2: the second answer between answer and caption; mode 0: the colour at once.
        {"{\"questionFormat\":2,\"answerMode\":0,\"backColour\":\"#010203\","
         "\"questions\":[{\"answer\":\"A\",\"secondAnswer\":\"B\",\"caption\":\"C\"},{\"answer\":\"D\"}]}",
         std::string("\x00\x01\x02\x02|||||A|B|C|D|||\x00\x01\x02\x03", 23), "\r\n\r\n"},
        // Mode 3: an empty second reveal field per question.
        {"{\"answerMode\":3,\"questions\":[{\"answer\":\"A\",\"reveal\":\"R\"},{\"answer\":\"B\"}],\"codes\":[\"one\"]}",
         std::string("\x00\x01\x02\x01|||||A||B||\x03R||||\xFF\xFF\xFF", 24), "one\r\n\r\n"},
        // Modes without reveals: the colour right after the mode byte; accents as Windows-1252.
        {"{\"answerMode\":255,\"title\":\"\\u00c9t\\u00e9\",\"questions\":[{\"answer\":\"Ath\\u00e8nes\"}],\"codes\":[\"\\u20ac\"]}",
         std::string("\x00\x01\x01\x01\xC9t\xE9|||||Ath\xE8nes||\xFF\xFF\xFF\xFF", 25), "\x80\r\n"},
        // Left-out keys take their defaults: style 0, format 1, mode 2, no codes; a
        // byte order mark is skipped and the colour may be written in small letters.
        {"\xEF\xBB\xBF{\"backColour\":\"#ff8001\",\"title\":\"Caf\\u00e9 \\u20ac\",\"questions\":[{\"answer\":\"Paris\","
         "\"caption\":\"\\u0153uvre\"}]}",
         std::string("\x00\x01\x01\x01" "Caf\xE9 \x80|||||Paris|\x9Cuvre|\x02|\xFF\x80\x01", 32), "\r\n"},
    };
    for (const auto& c : cases) {
        Manifest manifest;
        ASSERT_FALSE(hasErrors(load(c.json, &manifest))) << c.json;
        EXPECT_EQ(bytesOf(composeContent(manifest)), c.content) << c.json;
        EXPECT_EQ(bytesOf(composeCodes(manifest)), c.codes) << c.json;
    }
}

TEST(ContentComposition, ComposedBytesEncodeAndParseBackIntoTheSameQuiz) {
    Manifest manifest;
    ASSERT_FALSE(hasErrors(load("{\"title\":\"Caf\\u00e9\",\"style\":1,\"questionFormat\":2,\"answerMode\":3,"
                                "\"backColour\":\"#102030\",\"questions\":[{\"answer\":\"Un\",\"secondAnswer\":\"Deux\","
                                "\"caption\":\"Trois\",\"reveal\":\"Quatre\"},{\"answer\":\"Cinq\"}],\"codes\":[\"AB\"]}",
                                &manifest)));
    Quiz quiz;
    ASSERT_EQ(loadFrom(&quiz, encoded(composeContent(manifest)), encoded(composeCodes(manifest))), LoadComplete);
    EXPECT_EQ(std::make_tuple(quiz.style, quiz.questionFormat, quiz.answerMode, quiz.backColour, quiz.questionCount),
              std::make_tuple(1, 2, 3, 0x302010u, 2));
    EXPECT_STREQ(quiz.title, "Caf\xE9");
    EXPECT_STREQ(questionAt(&quiz, 0)->secondAnswer, "Deux");
    EXPECT_STREQ(questionAt(&quiz, 0)->reveal, "Quatre");
    EXPECT_STREQ(questionAt(&quiz, 1)->answer, "Cinq");
    EXPECT_STREQ(quiz.codes[0], "AB");
    EXPECT_STREQ(quiz.codes[1], "");
}

TEST(ManifestWriter, WritesEveryKeyInTheReadmeOrderAndLoadsBackTheSameQuiz) {
    const std::string json =
        u8"{\"title\":\"Été\",\"creator\":\"Moi\",\"explanation\":\"Tapez\",\"firstRowCaption\":\"Ville\","
        u8"\"secondRowCaption\":\"Pays\",\"style\":1,\"questionFormat\":2,\"answerMode\":3,\"backColour\":\"#FF8001\","
        u8"\"questions\":[{\"answer\":\"Athènes\",\"secondAnswer\":\"Grèce\",\"caption\":\"un\",\"reveal\":\"€\","
        u8"\"media\":\"img/é.jpg\",\"answerPicture\":\"r/a.jpg\"}],\"codes\":[\"C\"]}";
    Manifest manifest, again;
    std::vector<Problem> problems;
    loadManifestText(json, &manifest, &problems);
    ASSERT_FALSE(hasErrors(problems));
    std::string written = manifestToJson(manifest);
    EXPECT_EQ(written.compare(0, 22, u8"{\n  \"title\": \"Été\",\n"), 0) << written;  // UTF-8, indented by two
    size_t previous = 0;
    for (const char* key : {"creator", "explanation", "firstRowCaption", "secondRowCaption", "style", "questionFormat",
                            "answerMode", "backColour", "questions", "answer", "secondAnswer", "caption", "reveal",
                            "media", "answerPicture", "codes"}) {
        size_t at = written.find("\"" + std::string(key) + "\":");
        EXPECT_TRUE(at != std::string::npos && at > previous) << key << " out of order in " << written;
        previous = at;
    }
    loadManifestText(written, &again, &problems);
    EXPECT_FALSE(hasErrors(problems));
    EXPECT_EQ(composeContent(again), composeContent(manifest));
    EXPECT_EQ(composeCodes(again), composeCodes(manifest));
    EXPECT_EQ(std::make_tuple(again.questions[0].media, again.questions[0].answerPicture),
              std::make_tuple(std::string(u8"img/é.jpg"), std::string("r/a.jpg")));
}
