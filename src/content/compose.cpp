#include "content/compose.h"

#include <string.h>

static void appendField(std::vector<unsigned char>* out, const char* text) {
    out->insert(out->end(), text, text + strlen(text));
    out->push_back('|');
}

std::vector<unsigned char> composeContent(const Quiz* quiz) {
    std::vector<unsigned char> out;
    out.push_back(0);  // the player never reads this byte
    out.push_back(static_cast<unsigned char>(quiz->style + 1));
    out.push_back(static_cast<unsigned char>(quiz->questionCount));
    out.push_back(static_cast<unsigned char>(quiz->questionFormat));
    for (const char* text : {quiz->title, quiz->creator, quiz->explanation, quiz->firstRowCaption,
                             quiz->secondRowCaption})
        appendField(&out, text);
    for (const Question* question = quiz->firstQuestion; question; question = question->next) {
        appendField(&out, question->answer);
        if (quiz->questionFormat == TwoAnswers) appendField(&out, question->secondAnswer);
        appendField(&out, question->caption);
    }
    out.push_back(static_cast<unsigned char>(quiz->answerMode));
    if (modeCarriesReveals(quiz->answerMode)) {
        for (const Question* question = quiz->firstQuestion; question; question = question->next) {
            appendField(&out, question->reveal);
            // This mode reads a second field a question that it never shows.
            if (quiz->answerMode == ModeRevealAndPicture) appendField(&out, "");
        }
    }
    out.push_back(static_cast<unsigned char>(quiz->backColour & 0xFF));
    out.push_back(static_cast<unsigned char>((quiz->backColour >> 8) & 0xFF));
    out.push_back(static_cast<unsigned char>((quiz->backColour >> 16) & 0xFF));
    return out;
}

std::vector<unsigned char> composeCodes(const Quiz* quiz) {
    std::vector<unsigned char> out;
    for (int i = 0; i < quiz->questionCount && i < MaxQuestions; ++i) {
        out.insert(out.end(), quiz->codes[i], quiz->codes[i] + strlen(quiz->codes[i]));
        out.push_back('\r');
        out.push_back('\n');
    }
    return out;
}
