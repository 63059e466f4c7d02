#pragma once
// The answers players are likely to type instead of the stored one, to show
// authors how the player's verdicts take them. Texts are Windows-1252.
#include <string>
#include <vector>

struct AnswerVariant {
    const char* label;    // what was done to the answer, in English
    const char* french;   // the same in French (UTF-8), for the editor
    std::string typed;
};

// The stored answer itself, then its likely misspellings, each different
// from every variant before it. Empty for an empty answer.
std::vector<AnswerVariant> likelyAnswers(const std::string& answer);

std::string lowerCaseCp1252(const std::string& text);
std::string withoutAccentsCp1252(const std::string& text);
