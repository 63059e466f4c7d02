#pragma once
// From decoded bytes to the Quiz record, and the loader's outcomes, without
// any platform call: the Windows loader finds and hands over the resources.
#include <stddef.h>
#include <stdint.h>
#include "content/quiz.h"

// Parses decoded content (count = decoded bytes, never read past). On
// malformed content returns false and leaves the quiz at its neutral values.
bool parseContent(Quiz* quiz, const unsigned char* bytes, size_t count);
// Parses decoded codes into quiz->codes; on malformed codes returns false
// and leaves every code line empty.
bool parseCodes(Quiz* quiz, const unsigned char* bytes, size_t count);
void fillDemonstrationQuiz(Quiz* quiz);

enum LoadOutcome {
    LoadContentMissing,
    LoadContentEmpty,
    LoadContentNotDecodable,
    LoadCodesMissing,
    LoadCodesEmpty,
    LoadCodesNotDecodable,
    LoadComplete,
};

// Decodes and parses both resources into a freshly constructed quiz, showing
// the loader's messages (caption "Quizz") through showMessage.
LoadOutcome loadContentFrom(Quiz* quiz, ResourceBytes content, ResourceBytes codes);
// True when the outcome got as far as the colour, so a brush is needed.
inline bool outcomeHasColour(LoadOutcome outcome) { return outcome >= LoadCodesMissing; }
