#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "content/message.h"
#include "shared/stored.h"

typedef std::vector<std::pair<std::string, std::string>> Messages;

// Header 00 02 01 01 (style 1, one question, one answer field), texts T C E A K,
// question X / Y, answer mode 2 with reveal Z, colour red FF green 80 blue 00.
static const Bytes documented = bytesOf("\x00\x02\x01\x01T|C|E|A|K|X|Y|\x02Z|\xFF\x80\x00");

static Messages messages;
static void record(const char* text, const char* caption) { messages.push_back({text, caption}); }

class Loading : public ::testing::Test {
protected:
    MessageSink previous;
    void SetUp() override {
        messages.clear();
        previous = setMessageSink(record);
    }
    void TearDown() override { setMessageSink(previous); }
    static Messages quizz(const std::vector<const char*>& texts) {
        Messages expected;
        for (const char* text : texts) expected.push_back({text, "Quizz"});
        return expected;
    }
};

// A parsed quiz in one line: style, format, header texts, each question's
// answer / second answer / caption / reveal, mode, colour and question count.
static std::string summary(const Quiz& quiz) {
    char numbers[64];
    snprintf(numbers, sizeof numbers, "%d %d ", quiz.style, quiz.questionFormat);
    std::string text = numbers + std::string(quiz.title) + "|" + quiz.creator + "|" + quiz.explanation + "|" +
                       quiz.firstRowCaption + "|" + quiz.secondRowCaption + " ";
    for (Question* q = quiz.firstQuestion; q; q = q->next)
        text += std::string(q->answer) + "/" + q->secondAnswer + "/" + q->caption + "/" + q->reveal + " ";
    snprintf(numbers, sizeof numbers, "mode %d colour %06X count %d", quiz.answerMode, unsigned(quiz.backColour),
             quiz.questionCount);
    return text + numbers;
}

// What a failed load leaves: no texts, no questions, no colour, no codes.
static void expectNeutral(const Quiz& quiz) { EXPECT_EQ(summary(quiz) + quiz.codes[0], "0 0 |||| mode 2 colour 000000 count 0"); }

static const std::string Demonstration = "1 1 Nom du quizz|Createur quizz|Explications du quizz|Pr\xE9nom - Nom|Manga / Anime "
                                         "orvu/titi/titi/ tamrin/plouf/titi/ mode 3 colour 000000 count 2";

TEST(ParsingContent, ReadsEachLayoutField) {
    Bytes longTitle = {0, 1, 0, 1};
    longTitle.insert(longTitle.end(), 300, 'x');
    Bytes rest = bytesOf("|C\x00" "D|E|A|K|\x01\x01\x02\x03");
    longTitle.insert(longTitle.end(), rest.begin(), rest.end());
    const struct { Bytes bytes; std::string expected; } cases[] = {
        {documented, "1 1 T|C|E|A|K X//Y/Z mode 2 colour 0080FF count 1"},  // red is the lowest byte
        // No questions: the mode right after the header texts; mode 4 reads no
        // reveal field; bytes after the colour are ignored.
        {bytesOf("\x00\x01\x00\x01T||E|A|K|\x04\x10\x20\x30junk"), "0 1 T||E|A|K mode 4 colour 302010 count 0"},
        // Format 2: a second answer; mode 1: the colour follows at once.
        {bytesOf("\x00\x04\x02\x02T|C|E|A|K|a|b|c|d|e|f|\x01\x10\x20\x30"),
         "3 2 T|C|E|A|K a/b/c/ d/e/f/ mode 1 colour 302010 count 2"},
        // The same bytes in format 1: "e" is read as the mode byte and "|f|" as the colour.
        {bytesOf("\x00\x04\x02\x01T|C|E|A|K|a|b|c|d|e|f|\x01\x10\x20\x30"),
         "3 1 T|C|E|A|K a//b/ c//d/ mode 101 colour 7C667C count 2"},
        // Mode 3: the first of two reveal fields is kept.
        {bytesOf("\x00\x01\x02\x01T|C|E|A|K|a1|c1|a2|c2|\x03r1|u1|r2|u2|\x10\x20\x30"),
         "0 1 T|C|E|A|K a1//c1/r1 a2//c2/r2 mode 3 colour 302010 count 2"},
        // Fields cut to 259 bytes, zero bytes dropped.
        {longTitle, "0 1 " + std::string(259, 'x') + "|CD|E|A|K mode 1 colour 030201 count 0"},
    };
    for (const auto& c : cases) {
        Quiz quiz;
        ASSERT_TRUE(parseContent(&quiz, c.bytes.data(), c.bytes.size())) << c.expected;
        EXPECT_EQ(summary(quiz), c.expected);
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

TEST(ParsingCodes, ReadsOneLinePerQuestionSkippingTheByteAfterEachCRButEmptiesEveryLineWhenOneHasNoCR) {
    const struct { std::string bytes; bool read; std::string lines; } cases[] = {
        // The byte after a CR is never examined; zero bytes are dropped.
        {std::string("AB\r\nC\0D\rXEF\r", 12), true, "AB|CD|EF|"},
        {std::string(300, 'z') + "\r\nB\r\nC\r", true, std::string(259, 'z') + "|B|C|"},
        {"AB\r\nCD\r\nEF", false, "|||"},
    };
    for (const auto& c : cases) {
        Quiz quiz;
        quiz.questionCount = 3;
        EXPECT_EQ(parseCodes(&quiz, reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()), c.read);
        EXPECT_EQ(std::string(quiz.codes[0]) + "|" + quiz.codes[1] + "|" + quiz.codes[2] + "|" + quiz.codes[3], c.lines);
    }
}

// Each outcome of the loader: the messages it shows (caption "Quizz") and
// the quiz it leaves, with its first two code lines.
TEST_F(Loading, EachResourceMissingEmptyOrBrokenGivesItsMessagesAndKeepsWhatCouldBeRead) {
    const std::string read = "1 1 T|C|E|A|K X//Y/Z mode 2 colour 0080FF count 1";
    const std::string neutral = "0 0 |||| mode 2 colour 000000 count 0||";
    const Bytes broken = {0x20, 0x80}, good = encoded(documented), noLineEnd = encoded(bytesOf("no line end"));
    const Bytes codes = encoded(bytesOf("Code un\r\nignored\r\n")), cut(documented.begin(), documented.end() - 1);
    const char* decoding = "Erreur dans le d\xE9" "cryptage des reponses";
    const char* codesDecoding = "Erreur dans le d\xE9" "cryptage des codes";
    const struct { Bytes content; bool found; Bytes codes; bool codesFound; LoadOutcome outcome;
                   std::vector<const char*> messages; std::string quiz; } cases[] = {
        // No content: the demonstration, and the codes (that would not decode) are not read.
        {{}, false, broken, true, LoadContentMissing, {"Erreur dans le fichier", "Reponses non trouv\xE9" "es"},
         Demonstration + "||"},
        {{}, true, broken, true, LoadContentEmpty, {"Reponses non trouv\xE9" "es"}, Demonstration + "||"},
        // Content that does not decode or parse: an empty quiz, no code read.
        {broken, true, codes, true, LoadContentNotDecodable, {decoding}, neutral},
        {encoded(cut), true, codes, true, LoadContentNotDecodable, {decoding}, neutral},
        // Codes missing, empty or broken: the quiz without its codes.
        {good, true, {}, false, LoadCodesMissing, {"Codes non trouv\xE9s."}, read + "||"},
        {good, true, {}, true, LoadCodesEmpty, {"Codes non renseign\xE9s."}, read + "||"},
        {good, true, broken, true, LoadCodesNotDecodable, {codesDecoding}, read + "||"},
        {good, true, noLineEnd, true, LoadCodesNotDecodable, {codesDecoding}, read + "||"},
        // Complete, silently; code lines past the last question are ignored.
        {good, true, codes, true, LoadComplete, {}, read + "|Code un|"},
        // A quiz without questions reads no code line.
        {encoded(bytesOf("\x00\x01\x00\x01T|C|E|A|K|\x01\x00\x00\x00")), true, noLineEnd, true, LoadComplete, {},
         "0 1 T|C|E|A|K mode 1 colour 000000 count 0||"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outcome);
        messages.clear();
        Quiz quiz;
        EXPECT_EQ(loadFrom(&quiz, c.content, c.codes, c.found, c.codesFound), c.outcome);
        EXPECT_EQ(messages, quizz(c.messages));
        EXPECT_EQ(summary(quiz) + "|" + quiz.codes[0] + "|" + quiz.codes[1], c.quiz);
    }
}

static int allocationsLeft;
static void* failingAllocator(size_t size) { return allocationsLeft-- > 0 ? malloc(size) : nullptr; }

// A decoder that cannot obtain its output has its own message, shown before
// the loader's message for that resource.
TEST_F(Loading, ADecoderWithoutStorageIsToldBeforeTheResourcesDecodingMessage) {
    const Bytes content = encoded(documented), codes = encoded(bytesOf("Code un\r\n"));
    const struct { int allocations; LoadOutcome outcome; const char* decoding; } cases[] = {
        {0, LoadContentNotDecodable, "Erreur dans le d\xE9" "cryptage des reponses"},
        {1, LoadCodesNotDecodable, "Erreur dans le d\xE9" "cryptage des codes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outcome);
        messages.clear();
        allocationsLeft = c.allocations;
        CoderAllocator previous = setCoderAllocator(failingAllocator);
        Quiz quiz;
        LoadOutcome outcome = loadFrom(&quiz, content, codes);
        setCoderAllocator(previous);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(messages, (Messages{{"Impossible d'allouer la memoire", "information"}, {c.decoding, "Quizz"}}));
    }
}

// Stored quizzes with values out of range, through the whole loader: what the
// player ends up with and what it tells the player.
class StoredQuizOutOfRange : public Loading {
protected:
    // Stores and loads count questions of two fields each ("q<i>f0", "q<i>f1"),
    // answer mode 1 (no reveals), a colour, and count code lines ("code<i>").
    static LoadOutcome load(Quiz* quiz, int styleByte, int count, int format) {
        std::string text = std::string(1, '\0') + char(styleByte) + char(count) + char(format) + "Titre|Auteur|Explications|Nom|Oeuvre|";
        std::string codes;
        for (int i = 0; i < count; ++i) {
            text += "q" + std::to_string(i) + "f0|q" + std::to_string(i) + "f1|";
            codes += "code" + std::to_string(i) + "\r\n";
        }
        text += "\x01\x10\x20\x30";
        return loadFrom(quiz, encoded(Bytes(text.begin(), text.end())), encoded(Bytes(codes.begin(), codes.end())));
    }
};

TEST_F(StoredQuizOutOfRange, NinetyOneQuestionsAreReportedAsUndecodableAndGiveAnEmptyQuiz) {
    Quiz quiz;
    EXPECT_EQ(load(&quiz, 1, 91, 1), LoadContentNotDecodable);
    EXPECT_EQ(messages, quizz({"Erreur dans le d\xE9" "cryptage des reponses"}));
    expectNeutral(quiz);
    // The codes resource is never read: no code line can be past the 90.
    for (const Text& code : quiz.codes) EXPECT_STREQ(code, "");
    messages.clear();
    EXPECT_EQ(load(&quiz, 1, 90, 1), LoadComplete);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(quiz.questionCount, 90);
    EXPECT_STREQ(quiz.codes[89], "code89");
}

TEST_F(StoredQuizOutOfRange, StyleAndFormatBytesOutOfRangeLoadSilentlyForTheBoardToShow) {
    // Styles outside the four are kept (the board shows text rows); a format
    // other than 2 reads two fields a question and no second answer.
    const struct { int styleByte, format; } cases[] = {{0, 1}, {5, 1}, {255, 1}, {1, 0}, {1, 3}, {1, 255}};
    for (const auto& c : cases) {
        messages.clear();
        Quiz quiz;
        EXPECT_EQ(load(&quiz, c.styleByte, 2, c.format), LoadComplete);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(summary(quiz), std::to_string(c.styleByte - 1) + " " + std::to_string(c.format) + " Titre|Auteur|" +
                                     "Explications|Nom|Oeuvre q0f0//q0f1/ q1f0//q1f1/ mode 1 colour 302010 count 2");
    }
}
