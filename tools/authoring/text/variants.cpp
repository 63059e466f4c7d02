#include "variants.h"

#include "encoding.h"

static bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7) ||
           c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

static bool isUpper(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C || c == 0x8E ||
           c == 0x9F;
}

std::string lowerCaseCp1252(const std::string& text) {
    std::string out = text;
    for (char& ch : out) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == 0x9F) ch = static_cast<char>(0xFF);
        else if (c == 0x8A || c == 0x8C || c == 0x8E) ch = static_cast<char>(c + 0x10);
        else if (isUpper(c)) ch = static_cast<char>(c + 0x20);
    }
    return out;
}

std::string withoutAccentsCp1252(const std::string& text) {
    std::string out = text;
    for (char& ch : out) {
        const char plain = plainLetterCp1252(static_cast<unsigned char>(ch));
        if (plain) ch = plain;
    }
    return out;
}

// Positions of the letters, so edits land on letters and not on spaces.
static std::vector<size_t> letterPositions(const std::string& text) {
    std::vector<size_t> positions;
    for (size_t i = 0; i < text.size(); ++i)
        if (isLetter(static_cast<unsigned char>(text[i]))) positions.push_back(i);
    return positions;
}

static bool isVowel(unsigned char c) {
    c = static_cast<unsigned char>(withoutAccentsCp1252(std::string(1, static_cast<char>(c)))[0]);
    c = static_cast<unsigned char>(lowerCaseCp1252(std::string(1, static_cast<char>(c)))[0]);
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

// A neighbouring key's worth of error: a vowel for a vowel, else the next
// consonant, in the same case.
static char wrongLetter(unsigned char c) {
    bool upper = isUpper(c);
    unsigned char plain = static_cast<unsigned char>(lowerCaseCp1252(withoutAccentsCp1252(std::string(1, static_cast<char>(c))))[0]);
    char replacement;
    if (plain < 'a' || plain > 'z') {
        replacement = 'e';
    } else if (isVowel(plain)) {
        static const char vowels[] = "aeiouy";
        size_t k = 0;
        while (vowels[k] != static_cast<char>(plain)) ++k;
        replacement = vowels[(k + 1) % 6];
    } else {
        replacement = static_cast<char>(plain);
        do replacement = replacement == 'z' ? 'b' : static_cast<char>(replacement + 1);
        while (isVowel(static_cast<unsigned char>(replacement)));
    }
    return upper ? static_cast<char>(replacement - 0x20) : replacement;
}

static std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> list;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) list.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

static void add(std::vector<AnswerVariant>* list, const char* label, const char* french, const std::string& typed) {
    if (typed.empty()) return;
    for (const AnswerVariant& earlier : *list)
        if (earlier.typed == typed) return;
    list->push_back(AnswerVariant{label, french, typed});
}

// A letter swapped with its neighbour (the first differing pair from the
// middle on), left out, doubled or mistyped, at the middle letter.
static void addLetterSlips(std::vector<AnswerVariant>* list, const std::string& answer) {
    std::vector<size_t> letters = letterPositions(answer);
    if (letters.empty()) return;
    size_t middle = letters[letters.size() / 2];
    for (size_t k = letters.size() / 2; k < letters.size(); ++k) {
        size_t at = letters[k];
        if (at + 1 < answer.size() && isLetter(static_cast<unsigned char>(answer[at + 1])) &&
            answer[at] != answer[at + 1]) {
            std::string swapped = answer;
            std::swap(swapped[at], swapped[at + 1]);
            add(list, "two letters swapped", u8"deux lettres inversées", swapped);
            break;
        }
    }
    add(list, "one letter missing", u8"une lettre oubliée", std::string(answer).erase(middle, 1));
    add(list, "one letter doubled", u8"une lettre doublée", std::string(answer).insert(middle, 1, answer[middle]));
    std::string wrong = answer;
    wrong[middle] = wrongLetter(static_cast<unsigned char>(answer[middle]));
    add(list, "one letter wrong", u8"une lettre fausse", wrong);
}

// The answer in the plural (-x after "au" and "eu") and after the French
// articles that can stand before it.
static void addFrenchForms(std::vector<AnswerVariant>* list, const std::string& answer) {
    std::string lower = lowerCaseCp1252(withoutAccentsCp1252(answer));
    char last = answer.back();
    bool upperEnd = isUpper(static_cast<unsigned char>(last));
    bool pluralAlready = !lower.empty() && (lower.back() == 's' || lower.back() == 'x' || lower.back() == 'z');
    if (!pluralAlready && isLetter(static_cast<unsigned char>(last))) {
        bool takesX = lower.size() >= 2 && (lower.compare(lower.size() - 2, 2, "au") == 0 ||
                                            lower.compare(lower.size() - 2, 2, "eu") == 0);
        char ending = takesX ? 'x' : 's';
        add(list, "plural", u8"au pluriel", answer + (upperEnd ? static_cast<char>(ending - 0x20) : ending));
    }
    unsigned char first = static_cast<unsigned char>(answer[0]);
    if (isVowel(first) || first == 'h' || first == 'H') {
        add(list, "with an article", u8"avec un article", "l'" + answer);
    } else {
        add(list, "with an article", u8"avec un article", "le " + answer);
        add(list, "with an article", u8"avec un article", "la " + answer);
    }
    add(list, "with an article", u8"avec un article", "les " + answer);
}

std::vector<AnswerVariant> likelyAnswers(const std::string& answer) {
    std::vector<AnswerVariant> list;
    if (answer.empty()) return list;
    add(&list, "right", u8"la réponse", answer);
    add(&list, "lower case", u8"en minuscules", lowerCaseCp1252(answer));
    add(&list, "no accents", u8"sans accents", withoutAccentsCp1252(answer));
    addLetterSlips(&list, answer);
    addFrenchForms(&list, answer);
    add(&list, "half of it", u8"la moitié", answer.substr(0, (answer.size() + 1) / 2));
    std::vector<std::string> parts = words(answer);
    if (parts.size() >= 2) {
        std::string reordered;
        for (size_t k = parts.size(); k-- > 0;) reordered += (reordered.empty() ? "" : " ") + parts[k];
        add(&list, "words in another order", u8"mots dans un autre ordre", reordered);
    }
    return list;
}
