#pragma once
// Invariants every Quiz must keep after parsing, whatever the input was.
#include "check.h"
#include "content/quiz.h"

// Every text field terminated inside its 260 bytes, the count within bounds,
// and the list exactly questionCount nodes long with consistent links.
inline void checkQuizShape(const Quiz& quiz) {
    FUZZ_CHECK(fitsTextField(quiz.title));
    FUZZ_CHECK(fitsTextField(quiz.creator));
    FUZZ_CHECK(fitsTextField(quiz.explanation));
    FUZZ_CHECK(fitsTextField(quiz.firstRowCaption));
    FUZZ_CHECK(fitsTextField(quiz.secondRowCaption));
    FUZZ_CHECK(quiz.questionCount >= 0 && quiz.questionCount <= MaxQuestions);
    for (int i = 0; i < MaxQuestions; ++i) FUZZ_CHECK(fitsTextField(quiz.codes[i]));

    int nodes = 0;
    const Question* previous = nullptr;
    for (const Question* q = quiz.firstQuestion; q; q = q->next) {
        FUZZ_CHECK(nodes < MaxQuestions);
        FUZZ_CHECK(q->prev == previous);
        FUZZ_CHECK(fitsTextField(q->answer));
        FUZZ_CHECK(fitsTextField(q->secondAnswer));
        FUZZ_CHECK(fitsTextField(q->caption));
        FUZZ_CHECK(fitsTextField(q->reveal));
        previous = q;
        ++nodes;
    }
    FUZZ_CHECK(quiz.lastQuestion == previous);
    FUZZ_CHECK(nodes == quiz.questionCount);
}

// The neutral record a failed parse must leave behind.
inline void checkQuizNeutral(const Quiz& quiz) {
    FUZZ_CHECK(quiz.title[0] == '\0');
    FUZZ_CHECK(quiz.creator[0] == '\0');
    FUZZ_CHECK(quiz.explanation[0] == '\0');
    FUZZ_CHECK(quiz.questionCount == 0);
    FUZZ_CHECK(quiz.firstQuestion == nullptr);
    FUZZ_CHECK(quiz.lastQuestion == nullptr);
}

inline bool allCodesEmpty(const Quiz& quiz) {
    for (int i = 0; i < MaxQuestions; ++i)
        if (quiz.codes[i][0] != '\0') return false;
    return true;
}
