// parseContent and parseCodes on arbitrary decoded bytes. The first byte of
// the input picks the question count used for the codes pass (0 to 90); the
// whole input is parsed as content and the rest as codes. Nothing may be read
// past the bytes given, and every outcome must leave a well-formed record:
// either the parsed quiz or the neutral one.
#include <stddef.h>
#include <stdint.h>

#include "check.h"
#include "content/parse.h"
#include "quizcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        Quiz quiz;
        bool parsed = parseContent(&quiz, data, size);
        checkQuizShape(quiz);
        if (!parsed) checkQuizNeutral(quiz);
        // Content never fills code lines.
        FUZZ_CHECK(allCodesEmpty(quiz));
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
