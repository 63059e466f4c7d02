// Stored quizzes with values out of range, through the whole loader: what the
// player ends up with and what it tells the player.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "content/codec.h"
#include "content/message.h"
#include "content/parse.h"

namespace {

typedef std::vector<unsigned char> Bytes;
typedef std::vector<std::pair<std::string, std::string>> Messages;

Messages shown;
void record(const char* text, const char* caption) { shown.push_back({text, caption}); }

Bytes encoded(const Bytes& plain) {
    unsigned char* out = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(encodeContent(plain.data(), uint32_t(plain.size()), &out, &length), CoderOk);
    Bytes stream(out, out + length - 1);
    releaseContent(out);
    return stream;
}

void putText(Bytes* out, const std::string& text) {
    out->insert(out->end(), text.begin(), text.end());
    out->push_back('|');
}

// Decoded content: header, five quiz texts, count questions of `fields`
// fields each, answer mode 1 (no reveals), colour.
Bytes content(int styleByte, int count, int format, int fields) {
    Bytes out = {0, (unsigned char)styleByte, (unsigned char)count, (unsigned char)format};
    for (const char* text : {"Titre", "Auteur", "Explications", "Nom", "Oeuvre"}) putText(&out, text);
    for (int i = 0; i < count; ++i)
        for (int f = 0; f < fields; ++f) putText(&out, "q" + std::to_string(i) + "f" + std::to_string(f));
    out.insert(out.end(), {1, 0x10, 0x20, 0x30});
    return out;
}

Bytes codeLines(int count) {
    Bytes out;
    for (int i = 0; i < count; ++i) {
        std::string line = "code" + std::to_string(i) + "\r\n";
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

class StoredQuizOutOfRange : public ::testing::Test {
protected:
    MessageSink previous = nullptr;
    void SetUp() override {
        shown.clear();
        previous = setMessageSink(record);
    }
    void TearDown() override { setMessageSink(previous); }

    LoadOutcome load(Quiz* quiz, const Bytes& plainContent, const Bytes& plainCodes) {
        storedContent = encoded(plainContent);
        storedCodes = encoded(plainCodes);
        ResourceBytes contentResource = {true, storedContent.data(), uint32_t(storedContent.size())};
        ResourceBytes codesResource = {true, storedCodes.data(), uint32_t(storedCodes.size())};
        return loadContentFrom(quiz, contentResource, codesResource);
    }
    Bytes storedContent, storedCodes;
};

}  // namespace

TEST_F(StoredQuizOutOfRange, NinetyOneQuestionsAreReportedAsUndecodableAndGiveAnEmptyQuiz) {
    Quiz quiz;
    EXPECT_EQ(load(&quiz, content(1, 91, 1, 2), codeLines(91)), LoadContentNotDecodable);
    EXPECT_EQ(shown, Messages({{"Erreur dans le d\xE9" "cryptage des reponses", "Quizz"}}));
    EXPECT_EQ(quiz.questionCount, 0);
    EXPECT_STREQ(quiz.title, "");
    // The codes resource is never read: no code line can be past the 90.
    for (const Text& code : quiz.codes) EXPECT_STREQ(code, "");
    shown.clear();
    EXPECT_EQ(load(&quiz, content(1, 90, 1, 2), codeLines(90)), LoadComplete);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(quiz.questionCount, 90);
    EXPECT_STREQ(quiz.codes[89], "code89");
}

TEST_F(StoredQuizOutOfRange, StyleAndFormatBytesOutOfRangeLoadSilentlyForTheBoardToShow) {
    // Styles outside the four are kept (the board shows text rows); a format
    // other than 2 reads two fields a question and no second answer.
    const struct { int styleByte, format; } cases[] = {{0, 1}, {5, 1}, {255, 1}, {1, 0}, {1, 3}, {1, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.styleByte * 1000 + c.format);
        shown.clear();
        Quiz quiz;
        EXPECT_EQ(load(&quiz, content(c.styleByte, 2, c.format, 2), codeLines(2)), LoadComplete);
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(quiz.style, c.styleByte - 1);
        EXPECT_EQ(quiz.questionFormat, c.format);
        ASSERT_EQ(quiz.questionCount, 2);
        EXPECT_STREQ(quiz.firstQuestion->answer, "q0f0");
        EXPECT_STREQ(quiz.firstQuestion->secondAnswer, "");
        EXPECT_STREQ(quiz.lastQuestion->caption, "q1f1");
    }
}
