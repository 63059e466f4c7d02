// parseContent and parseCodes on arbitrary decoded bytes. The first byte of
// the input picks the question count used for the codes pass (0 to 90); the
// whole input is parsed as content and the rest as codes. Nothing may be read
// past the bytes given, and every outcome must leave a well-formed record:
// either the parsed quiz or the neutral one. A quiz that parsed, written out
// again in the same layout, must parse to the very same record.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "check.h"
#include "content/parse.h"
#include "quizcheck.h"

typedef std::vector<unsigned char> Bytes;

static void putField(Bytes* out, const char* text) {
    out->insert(out->end(), text, text + strlen(text));
    out->push_back('|');
}

// The decoded content layout, from a parsed record.
static Bytes writeContent(const Quiz& quiz) {
    Bytes out = {0, (unsigned char)(quiz.style + 1), (unsigned char)quiz.questionCount,
                 (unsigned char)quiz.questionFormat};
    for (const char* text : {quiz.title, quiz.creator, quiz.explanation, quiz.firstRowCaption,
                             quiz.secondRowCaption})
        putField(&out, text);
    for (const Question* q = quiz.firstQuestion; q; q = q->next) {
        putField(&out, q->answer);
        if (quiz.questionFormat == 2) putField(&out, q->secondAnswer);
        putField(&out, q->caption);
    }
    out.push_back((unsigned char)quiz.answerMode);
    if (quiz.answerMode >= 2 && quiz.answerMode <= 4) {
        for (const Question* q = quiz.firstQuestion; q; q = q->next) {
            putField(&out, q->reveal);
            if (quiz.answerMode == 3) putField(&out, "");
        }
    }
    out.push_back(quiz.backColour & 0xFF);
    out.push_back(quiz.backColour >> 8 & 0xFF);
    out.push_back(quiz.backColour >> 16 & 0xFF);
    return out;
}

static bool sameText(const char* a, const char* b) { return strcmp(a, b) == 0; }

static void checkSameQuiz(const Quiz& a, const Quiz& b) {
    FUZZ_CHECK(a.style == b.style);
    FUZZ_CHECK(a.questionCount == b.questionCount);
    FUZZ_CHECK(a.questionFormat == b.questionFormat);
    FUZZ_CHECK(a.answerMode == b.answerMode);
    FUZZ_CHECK(a.backColour == b.backColour);
    FUZZ_CHECK(sameText(a.title, b.title) && sameText(a.creator, b.creator));
    FUZZ_CHECK(sameText(a.explanation, b.explanation));
    FUZZ_CHECK(sameText(a.firstRowCaption, b.firstRowCaption));
    FUZZ_CHECK(sameText(a.secondRowCaption, b.secondRowCaption));
    const Question* p = a.firstQuestion;
    const Question* q = b.firstQuestion;
    for (; p && q; p = p->next, q = q->next) {
        FUZZ_CHECK(sameText(p->answer, q->answer));
        FUZZ_CHECK(sameText(p->secondAnswer, q->secondAnswer));
        FUZZ_CHECK(sameText(p->caption, q->caption));
        FUZZ_CHECK(sameText(p->reveal, q->reveal));
    }
    FUZZ_CHECK(p == nullptr && q == nullptr);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        Quiz quiz;
        bool parsed = parseContent(&quiz, data, size);
        checkQuizShape(quiz);
        if (!parsed) checkQuizNeutral(quiz);
        // Content never fills code lines.
        FUZZ_CHECK(allCodesEmpty(quiz));
        if (parsed) {
            if (quiz.questionFormat != 2)
                for (const Question* q = quiz.firstQuestion; q; q = q->next) FUZZ_CHECK(q->secondAnswer[0] == '\0');
            Bytes again = writeContent(quiz);
            Quiz reparsed;
            FUZZ_CHECK(parseContent(&reparsed, again.data(), again.size()));
            checkSameQuiz(quiz, reparsed);
        }
    }
    if (size == 0) return 0;
    {
        Quiz quiz;
        quiz.questionCount = data[0] % (MaxQuestions + 1);
        bool parsed = parseCodes(&quiz, data + 1, size - 1);
        for (int i = 0; i < MaxQuestions; ++i) FUZZ_CHECK(fitsTextField(quiz.codes[i]));
        if (!parsed) FUZZ_CHECK(allCodesEmpty(quiz));
        // Only the lines of the declared questions are ever filled.
        for (int i = quiz.questionCount; i < MaxQuestions; ++i) FUZZ_CHECK(quiz.codes[i][0] == '\0');
    }
    return 0;
}
