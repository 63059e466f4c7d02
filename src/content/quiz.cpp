#include "content/quiz.h"

#include <stdlib.h>
#include <string.h>

Quiz::Quiz() : firstQuestion(nullptr), lastQuestion(nullptr) { resetQuizFields(this); }

Quiz::~Quiz() { clearQuestions(this); }

void resetQuizFields(Quiz* quiz) {
    quiz->style = 0;
    quiz->title[0] = quiz->creator[0] = quiz->explanation[0] = '\0';
    quiz->firstRowCaption[0] = quiz->secondRowCaption[0] = '\0';
    quiz->questionCount = 0;
    quiz->questionFormat = 0;
    for (Text& code : quiz->codes) code[0] = '\0';
    quiz->answerMode = 2;
    quiz->backColour = 0;
    quiz->backBrush = nullptr;
}

void appendQuestion(Quiz* quiz, const char* answer, const char* secondAnswer, const char* caption) {
    Question* node = static_cast<Question*>(calloc(1, sizeof(Question)));
    if (!node) return;  // out of memory: the list stays as it was
    copyText(node->answer, answer);
    copyText(node->secondAnswer, secondAnswer);
    copyText(node->caption, caption);
    node->prev = quiz->lastQuestion;
    if (quiz->lastQuestion) quiz->lastQuestion->next = node;
    if (!quiz->firstQuestion) quiz->firstQuestion = node;
    quiz->lastQuestion = node;
}

void clearQuestions(Quiz* quiz) {
    Question* node = quiz->firstQuestion;
    while (node) {
        Question* next = node->next;
        free(node);
        node = next;
    }
    quiz->firstQuestion = quiz->lastQuestion = nullptr;
}

Question* questionAt(const Quiz* quiz, int index) {
    Question* result = nullptr;
    int count = 0;
    for (Question* node = quiz->firstQuestion; node && count <= index; node = node->next, ++count)
        result = node;
    return result;
}
