#pragma once
// The one quiz record of the process and its doubly linked question list.
#include <stdint.h>
#include "format/format.h"
#include "format/text.h"

struct Question {
    Text answer;
    Text secondAnswer;   // used only when questionFormat is 2
    Text caption;
    Text reveal;
    Question* prev;
    Question* next;
};

struct Quiz {
    int style;                 // 0 text rows, 1 pictures, 2 sounds, 3 videos
    Text title;
    Text creator;
    Text explanation;
    Text firstRowCaption;
    Text secondRowCaption;
    int questionCount;         // 0 to MaxQuestions
    int questionFormat;        // answer fields per question: 1 or 2
    Text codes[MaxQuestions];  // codes[k] is shown once the score reaches k + 1
    int answerMode;
    uint32_t backColour;       // COLORREF 0x00BBGGRR
    void* backBrush;           // HBRUSH of backColour, made by the Windows loader
    Question* firstQuestion;
    Question* lastQuestion;

    Quiz();                    // neutral values: empty texts, zeros, answerMode 2
    ~Quiz();                   // clearQuestions
    Quiz(const Quiz&) = delete;
    Quiz& operator=(const Quiz&) = delete;
};

// Gives every field but the list its neutral value (the constructor's).
void resetQuizFields(Quiz* quiz);
void appendQuestion(Quiz* quiz, const char* answer, const char* secondAnswer, const char* caption);
void clearQuestions(Quiz* quiz);
// Question index (from 0); an index past the end gives the last question,
// an empty list or a negative index gives null.
Question* questionAt(const Quiz* quiz, int index);
