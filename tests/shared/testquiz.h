#pragma once
// The quiz the play tests use, natively and under Windows.
#include <string>

#include "content/quiz.h"

// Fills quiz with count questions: answer "REPONSE<i>", second answer
// "SECOND<i>" (format 2), caption "Question <i>", reveal "Revele <i>",
// code line "CODE<i>", title "Titre", creator "Auteur", explanation
// "Explication", row captions "Ligne 1" / "Ligne 2", a white background.
inline void fillTestQuiz(Quiz* quiz, int style, int count, int format, int answerMode) {
    clearQuestions(quiz);
    resetQuizFields(quiz);
    quiz->style = style;
    quiz->questionCount = count;
    quiz->questionFormat = format;
    quiz->answerMode = answerMode;
    copyText(quiz->title, "Titre");
    copyText(quiz->creator, "Auteur");
    copyText(quiz->explanation, "Explication");
    copyText(quiz->firstRowCaption, "Ligne 1");
    copyText(quiz->secondRowCaption, "Ligne 2");
    quiz->backColour = 0xFFFFFF;
    for (int i = 1; i <= count && i <= MaxQuestions; ++i) {
        const std::string n = std::to_string(i);
        appendQuestion(quiz, ("REPONSE" + n).c_str(), format == 2 ? ("SECOND" + n).c_str() : "",
                       ("Question " + n).c_str());
        copyText(quiz->lastQuestion->reveal, ("Revele " + n).c_str());
        copyText(quiz->codes[i - 1], ("CODE" + n).c_str());
    }
}
