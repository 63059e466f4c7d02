#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "content/codec.h"
#include "content/message.h"
#include "content/parse.h"

typedef std::vector<unsigned char> Bytes;
typedef std::vector<std::pair<std::string, std::string>> Messages;

// A byte literal with its embedded zeros, without the terminating zero.
template <size_t N>
static Bytes bytesOf(const char (&s)[N]) { return Bytes(s, s + N - 1); }

// Header 00 02 01 01 (style 1, one question, one answer field), texts T C E A K,
// question X / Y, answer mode 2 with reveal Z, colour red FF green 80 blue 00.
static const Bytes documented = bytesOf("\x00\x02\x01\x01T|C|E|A|K|X|Y|\x02Z|\xFF\x80\x00");

static Messages messages;
static void record(const char* text, const char* caption) { messages.push_back({text, caption}); }

struct Resources {
    Bytes content, codes;
    ResourceBytes contentResource(bool found = true) const { return {found, content.data(), uint32_t(content.size())}; }
    ResourceBytes codesResource(bool found = true) const { return {found, codes.data(), uint32_t(codes.size())}; }
};

static Bytes encoded(const Bytes& plain) {
    unsigned char* out = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(encodeContent(plain.data(), uint32_t(plain.size()), &out, &length), 0);
    Bytes stream(out, out + length - 1);
    releaseContent(out);
    return stream;
}

class Loading : public ::testing::Test {
protected:
    MessageSink previous;
    void SetUp() override {
        messages.clear();
        previous = setMessageSink(record);
    }
    void TearDown() override { setMessageSink(previous); }
    static Messages quizz(std::initializer_list<const char*> texts) {
        Messages expected;
        for (const char* text : texts) expected.push_back({text, "Quizz"});
        return expected;
    }
};

static void expectNeutral(const Quiz& quiz) {
    EXPECT_EQ(quiz.questionCount, 0);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    EXPECT_STREQ(quiz.title, "");
    EXPECT_EQ(quiz.answerMode, 2);
    EXPECT_EQ(quiz.backColour, 0u);
    EXPECT_STREQ(quiz.codes[0], "");
}

static void expectDemonstration(const Quiz& quiz) {
    EXPECT_STREQ(quiz.title, "Nom du quizz");
    EXPECT_STREQ(quiz.firstRowCaption, "Pr\xE9nom - Nom");
    EXPECT_EQ(quiz.questionCount, 2);
    EXPECT_EQ(quiz.answerMode, 3);
    EXPECT_EQ(quiz.style, 1);
    EXPECT_STREQ(questionAt(&quiz, 0)->secondAnswer, "titi");
    EXPECT_STREQ(questionAt(&quiz, 1)->answer, "tamrin");
}

// A parsed quiz in one line: style, format, header texts, each question's
// answer / second answer / caption / reveal, mode and colour.
static std::string summary(const Quiz& quiz) {
    char numbers[64];
    snprintf(numbers, sizeof numbers, "%d %d ", quiz.style, quiz.questionFormat);
    std::string text = numbers + std::string(quiz.title) + "|" + quiz.creator + "|" + quiz.explanation + "|" +
                       quiz.firstRowCaption + "|" + quiz.secondRowCaption + " ";
    for (Question* q = quiz.firstQuestion; q; q = q->next)
        text += std::string(q->answer) + "/" + q->secondAnswer + "/" + q->caption + "/" + q->reveal + " ";
    snprintf(numbers, sizeof numbers, "mode %d colour %06X", quiz.answerMode, unsigned(quiz.backColour));
    return text + numbers;
}

TEST(ParsingContent, ReadsEachLayoutField) {
    Bytes longTitle = {0, 1, 0, 1};
    longTitle.insert(longTitle.end(), 300, 'x');
    Bytes rest = bytesOf("|C\x00" "D|E|A|K|\x01\x01\x02\x03");
    longTitle.insert(longTitle.end(), rest.begin(), rest.end());
    const struct { Bytes bytes; std::string expected; } cases[] = {
        {documented, "1 1 T|C|E|A|K X//Y/Z mode 2 colour 0080FF"},  // red is the lowest byte
        // No questions: the mode right after the header texts; mode 4 reads no
        // reveal field; bytes after the colour are ignored.
        {bytesOf("\x00\x01\x00\x01T||E|A|K|\x04\x10\x20\x30junk"), "0 1 T||E|A|K mode 4 colour 302010"},
        // Format 2: a second answer; mode 1: the colour follows at once.
        {bytesOf("\x00\x04\x02\x02T|C|E|A|K|a|b|c|d|e|f|\x01\x10\x20\x30"),
         "3 2 T|C|E|A|K a/b/c/ d/e/f/ mode 1 colour 302010"},
        // The same bytes in format 1: "e" is read as the mode byte and "|f|" as the colour.
        {bytesOf("\x00\x04\x02\x01T|C|E|A|K|a|b|c|d|e|f|\x01\x10\x20\x30"),
         "3 1 T|C|E|A|K a//b/ c//d/ mode 101 colour 7C667C"},
        // Mode 3: the first of two reveal fields is kept.
        {bytesOf("\x00\x01\x02\x01T|C|E|A|K|a1|c1|a2|c2|\x03r1|u1|r2|u2|\x10\x20\x30"),
         "0 1 T|C|E|A|K a1//c1/r1 a2//c2/r2 mode 3 colour 302010"},
        // Fields cut to 259 bytes, zero bytes dropped.
        {longTitle, "0 1 " + std::string(259, 'x') + "|CD|E|A|K mode 1 colour 030201"},
    };
    for (const auto& c : cases) {
        Quiz quiz;
        ASSERT_TRUE(parseContent(&quiz, c.bytes.data(), c.bytes.size())) << c.expected;
        EXPECT_EQ(summary(quiz), c.expected);
        EXPECT_EQ(quiz.questionCount, int(std::count(c.expected.begin(), c.expected.end(), '/') / 3));
    }
}

TEST(ParsingContent, RefusesEveryCutShortContentAndLeavesItNeutral) {
    // Every prefix ends inside the header, a field, the mode byte or the colour.
    for (size_t size = 0; size < documented.size(); ++size) {
        Quiz quiz;
        EXPECT_FALSE(parseContent(&quiz, documented.data(), size)) << size << " bytes";
        expectNeutral(quiz);
    }
    Bytes modeThree = bytesOf("\x00\x01\x01\x01T|C|E|A|K|a|c|\x03r|u");  // second reveal field unfinished
    Quiz quiz;
    EXPECT_FALSE(parseContent(&quiz, modeThree.data(), modeThree.size()));
}

TEST(ParsingCodes, ReadsOneLinePerQuestionSkippingTheByteAfterEachCR) {
    Quiz quiz;
    quiz.questionCount = 3;
    Bytes codes = bytesOf("AB\r\nC\x00" "D\rXEF\r");  // the byte after a CR is never examined
    ASSERT_TRUE(parseCodes(&quiz, codes.data(), codes.size()));
    EXPECT_STREQ(quiz.codes[0], "AB");
    EXPECT_STREQ(quiz.codes[1], "CD");
    EXPECT_STREQ(quiz.codes[2], "EF");
    EXPECT_STREQ(quiz.codes[3], "");
    const std::string longText = std::string(300, 'z') + "\r\nB\r\nC\r";
    Bytes longLine(longText.begin(), longText.end());
    ASSERT_TRUE(parseCodes(&quiz, longLine.data(), longLine.size()));
    EXPECT_EQ(strlen(quiz.codes[0]), 259u);
    EXPECT_STREQ(quiz.codes[1], "B");
}

TEST(ParsingCodes, EmptiesEveryLineWhenALineHasNoCR) {
    Quiz quiz;
    quiz.questionCount = 2;
    Bytes codes = bytesOf("AB\r\nCD");
    EXPECT_FALSE(parseCodes(&quiz, codes.data(), codes.size()));
    EXPECT_STREQ(quiz.codes[0], "");
    EXPECT_STREQ(quiz.codes[1], "");
}

TEST_F(Loading, AMissingContentResourceGivesTwoMessagesAndTheDemonstration) {
    Quiz quiz;
    Resources none;
    EXPECT_EQ(loadContentFrom(&quiz, none.contentResource(false), none.codesResource()), LoadContentMissing);
    EXPECT_EQ(messages, quizz({"Erreur dans le fichier", "Reponses non trouv\xE9" "es"}));
    expectDemonstration(quiz);
    EXPECT_FALSE(outcomeHasColour(LoadContentMissing));
}

TEST_F(Loading, AnEmptyContentResourceGivesTheDemonstration) {
    Quiz quiz;
    Resources empty;
    EXPECT_EQ(loadContentFrom(&quiz, empty.contentResource(), empty.codesResource()), LoadContentEmpty);
    EXPECT_EQ(messages, quizz({"Reponses non trouv\xE9" "es"}));
    expectDemonstration(quiz);
}

TEST_F(Loading, ContentThatDoesNotDecodeOrParseLeavesTheRecordNeutral) {
    Bytes cut(documented.begin(), documented.end() - 1);
    for (const Bytes& stored : {Bytes{0x20, 0x80}, encoded(cut)}) {
        messages.clear();
        Quiz quiz;
        Resources resources = {stored, encoded(bytesOf("C1\r\n"))};
        EXPECT_EQ(loadContentFrom(&quiz, resources.contentResource(), resources.codesResource()),
                  LoadContentNotDecodable);
        EXPECT_EQ(messages, quizz({"Erreur dans le d\xE9" "cryptage des reponses"}));
        expectNeutral(quiz);
    }
}

TEST_F(Loading, CodesThatAreMissingEmptyOrBrokenLeaveAllButTheCodes) {
    struct Case { Bytes codes; bool found; LoadOutcome outcome; const char* message; };
    const Case cases[] = {
        {{}, false, LoadCodesMissing, "Codes non trouv\xE9s."},
        {{}, true, LoadCodesEmpty, "Codes non renseign\xE9s."},
        {{0x20, 0x80}, true, LoadCodesNotDecodable, "Erreur dans le d\xE9" "cryptage des codes"},
        {encoded(bytesOf("no line end")), true, LoadCodesNotDecodable, "Erreur dans le d\xE9" "cryptage des codes"},
    };
    for (const Case& c : cases) {
        messages.clear();
        Quiz quiz;
        Resources resources = {encoded(documented), c.codes};
        EXPECT_EQ(loadContentFrom(&quiz, resources.contentResource(), resources.codesResource(c.found)), c.outcome);
        EXPECT_EQ(messages, quizz({c.message}));
        EXPECT_TRUE(outcomeHasColour(c.outcome));
        EXPECT_STREQ(quiz.title, "T");
        EXPECT_STREQ(questionAt(&quiz, 0)->reveal, "Z");
        EXPECT_EQ(quiz.backColour, 0x000080FFu);
        EXPECT_STREQ(quiz.codes[0], "");
    }
}

TEST_F(Loading, CompleteResourcesFillEverythingSilently) {
    Quiz quiz;
    Resources resources = {encoded(documented), encoded(bytesOf("Code un\r\nignored\r\n"))};
    EXPECT_EQ(loadContentFrom(&quiz, resources.contentResource(), resources.codesResource()), LoadComplete);
    EXPECT_TRUE(messages.empty());
    EXPECT_STREQ(quiz.explanation, "E");
    EXPECT_STREQ(quiz.firstQuestion->answer, "X");
    EXPECT_STREQ(quiz.codes[0], "Code un");
    EXPECT_STREQ(quiz.codes[1], "");
    EXPECT_TRUE(outcomeHasColour(LoadComplete));
}

TEST_F(Loading, AQuizWithoutQuestionsReadsNoCodeLine) {
    Quiz quiz;
    Resources resources = {encoded(bytesOf("\x00\x01\x00\x01T|C|E|A|K|\x01\x00\x00\x00")),
                           encoded(bytesOf("no line end"))};
    EXPECT_EQ(loadContentFrom(&quiz, resources.contentResource(), resources.codesResource()), LoadComplete);
    EXPECT_TRUE(messages.empty());
    EXPECT_STREQ(quiz.codes[0], "");
}

TEST(ParsingContent, ReadsArbitraryBytesWithoutPassingTheirEnd) {
    std::mt19937 random(7);
    const unsigned char pool[] = {0, 1, 2, 3, 4, '|', '|', '|', 'a', 0xE9};
    for (int run = 0; run < 3000; ++run) {
        // Exactly sized storage, so a read past the end is caught by sanitizers.
        std::vector<unsigned char> bytes(random() % 80);
        for (unsigned char& b : bytes) b = pool[random() % sizeof pool];
        Quiz quiz;
        if (!parseContent(&quiz, bytes.data(), bytes.size())) expectNeutral(quiz);
        else EXPECT_LE(quiz.questionCount, 4);
        EXPECT_TRUE(parseCodes(&quiz, bytes.data(), bytes.size()) || quiz.codes[0][0] == '\0');
    }
}
