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

// The answer in the plural: -x after "au" and "eu", else -s; the answer
// itself when it already ends like a plural or not in a letter.
static std::string pluralOf(const std::string& answer) {
    std::string lower = lowerCaseCp1252(withoutAccentsCp1252(answer));
    char last = answer.back();
    if (!isLetter(static_cast<unsigned char>(last)) || lower.back() == 's' || lower.back() == 'x' ||
        lower.back() == 'z')
        return answer;
    bool takesX = lower.size() >= 2 && (lower.compare(lower.size() - 2, 2, "au") == 0 ||
                                        lower.compare(lower.size() - 2, 2, "eu") == 0);
    char ending = takesX ? 'x' : 's';
    return answer + (isUpper(static_cast<unsigned char>(last)) ? static_cast<char>(ending - 0x20) : ending);
}

static bool endsWithAny(const std::string& word, const char* const* endings) {
    for (; *endings; ++endings) {
        const std::string ending = *endings;
        if (word.size() > ending.size() && word.compare(word.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    }
    return false;
}

// The singular article of a noun whose ending tells its gender with few
// exceptions (la maison, le bateau); null when the ending does not tell
// (forêt, chat): no article is guessed then.
static const char* articleByEnding(const std::string& firstWord) {
    static const char* const feminine[] = {"tion", "sion", "xion", "ette", "esse", "ance", "aison", "ure", "elle",
                                           nullptr};
    static const char* const masculine[] = {"ment", "isme", "oir", "ier", "ail", "eau", "age", nullptr};
    // The feminine nouns among the usual words of those masculine endings.
    static const char* const exceptions[] = {"peau", "page", "plage", "image", "cage", "nage", "rage", nullptr};
    const std::string word = lowerCaseCp1252(withoutAccentsCp1252(firstWord));
    for (const char* const* exception = exceptions; *exception; ++exception)
        if (word == *exception) return "la ";
    if (endsWithAny(word, feminine)) return "la ";
    if (endsWithAny(word, masculine)) return "le ";
    return nullptr;
}

// The answer in the plural, and after a French article that fits it: l'
// before a vowel, le or la where the ending tells the gender, and les
// before the plural, which fits every noun. A name (a capital first) may
// take an article or none (la Grèce, Athènes), and an answer that starts
// with an article has one: neither gets one invented.
static void addFrenchForms(std::vector<AnswerVariant>* list, const std::string& answer) {
    const std::string plural = pluralOf(answer);
    if (plural != answer) add(list, "plural", u8"au pluriel", plural);
    const std::vector<std::string> parts = words(answer);
    if (parts.empty()) return;
    const std::string first = lowerCaseCp1252(parts[0]);
    if (first == "le" || first == "la" || first == "les" || first.compare(0, 2, "l'") == 0) return;
    unsigned char initial = static_cast<unsigned char>(parts[0][0]);
    if (isUpper(initial)) return;
    if (isVowel(initial)) add(list, "with an article", u8"avec un article", "l'" + answer);
    else if (const char* article = articleByEnding(parts[0])) add(list, "with an article", u8"avec un article",
                                                               article + answer);
    add(list, "with an article", u8"avec un article", "les " + plural);
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
