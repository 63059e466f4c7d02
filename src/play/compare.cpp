#include "play/compare.h"

#include <stdint.h>
#include <string.h>

#include "format/text.h"

const char VerdictEmpty[] = "?";
const char VerdictRight[] = "BRAVO";
const char VerdictAnagram[] = "Anagramme";
const char VerdictAlmost[] = "Quasiment";
const char VerdictNearly[] = "Presque";
const char VerdictTooLong[] = "Trop long";
const char VerdictTooShort[] = "Trop court";
const char VerdictNotFar[] = "pas loin";
// Written as an escape so that the label carries the Windows-1252 byte
// whatever character set the compiler emits literals in.
const char VerdictIdea[] = "yade lid\xE9" "e";
const char VerdictWrong[] = "FAUX";

void upperCaseAscii(char* text) {
    for (; *text; ++text)
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - ('a' - 'A'));
}

void normaliseTypedAnswer(char* text) {
    // Trailing spaces stop before position 0; the leading pass below removes
    // a lone space left there.
    size_t length = strlen(text);
    while (length > 1 && text[length - 1] == ' ') text[--length] = '\0';
    size_t leading = 0;
    while (text[leading] == ' ') ++leading;
    if (leading > 0) memmove(text, text + leading, length - leading + 1);
    upperCaseAscii(text);
}

// Bit-parallel Levenshtein distance (Myers' algorithm in Hyyro's
// formulation, several 64-bit words per column): the columns of the classic
// table are kept as vertical +1/-1 difference bits, so a 259 x 259
// comparison costs 259 columns of five word operations instead of 67,081
// table cells. The pattern is the shorter text, the distance being symmetric.
enum { WordBits = 64, MaxWords = (TextMaxLength + WordBits - 1) / WordBits };

int editDistance(const char* a, const char* b) {
    size_t lengthA = strlen(a);
    size_t lengthB = strlen(b);
    const char* pattern = a;
    const char* other = b;
    size_t m = lengthA;
    size_t n = lengthB;
    if (lengthB < lengthA) {
        pattern = b;
        other = a;
        m = lengthB;
        n = lengthA;
    }
    if (m == 0) return static_cast<int>(n);
    if (m > TextMaxLength) m = TextMaxLength;  // texts come from 260-byte fields
    if (n > TextMaxLength) n = TextMaxLength;

    const size_t words = (m + WordBits - 1) / WordBits;
    uint64_t matches[256][MaxWords];  // bit i of matches[c]: pattern[i] == c
    for (size_t i = 0; i < m; ++i) {
        unsigned char c = static_cast<unsigned char>(pattern[i]);
        for (size_t w = 0; w < words; ++w) matches[c][w] = 0;
    }
    for (size_t i = 0; i < m; ++i) {
        unsigned char c = static_cast<unsigned char>(pattern[i]);
        matches[c][i / WordBits] |= uint64_t(1) << (i % WordBits);
    }
    // The text's bytes that the pattern lacks match nowhere.
    static const uint64_t noMatch[MaxWords] = {0};
    bool inPattern[256] = {false};
    for (size_t i = 0; i < m; ++i) inPattern[static_cast<unsigned char>(pattern[i])] = true;

    uint64_t plus[MaxWords];   // vertical difference +1
    uint64_t minus[MaxWords];  // vertical difference -1
    for (size_t w = 0; w < words; ++w) {
        plus[w] = ~uint64_t(0);
        minus[w] = 0;
    }
    const size_t lastWord = words - 1;
    const uint64_t lastBit = uint64_t(1) << ((m - 1) % WordBits);
    int score = static_cast<int>(m);

    for (size_t j = 0; j < n; ++j) {
        unsigned char c = static_cast<unsigned char>(other[j]);
        const uint64_t* eqColumn = inPattern[c] ? matches[c] : noMatch;
        uint64_t addCarry = 0;
        uint64_t plusCarry = 1;  // row 0 grows by one per column
        uint64_t minusCarry = 0;
        for (size_t w = 0; w < words; ++w) {
            uint64_t eq = eqColumn[w];
            uint64_t vp = plus[w];
            uint64_t vn = minus[w];
            uint64_t xv = eq | vn;
            uint64_t masked = eq & vp;
            uint64_t sum = masked + vp;
            uint64_t carryOut = sum < masked;
            sum += addCarry;
            carryOut |= sum < addCarry;
            addCarry = carryOut;
            uint64_t xh = (sum ^ vp) | eq;
            uint64_t hp = vn | ~(xh | vp);
            uint64_t hn = vp & xh;
            if (w == lastWord) {
                if (hp & lastBit) ++score;
                if (hn & lastBit) --score;
            }
            uint64_t plusOut = hp >> (WordBits - 1);
            uint64_t minusOut = hn >> (WordBits - 1);
            hp = (hp << 1) | plusCarry;
            hn = (hn << 1) | minusCarry;
            plusCarry = plusOut;
            minusCarry = minusOut;
            plus[w] = hn | ~(xv | hp);
            minus[w] = hp & xv;
        }
    }
    return score;
}

void sortLetters(char* text) {
    // Bytes are ordered as signed values, so 0x80 to 0xFF come before 0x00
    // to 0x7F. Typed words are short and an insertion sort suits them; a
    // long text is counted instead, which costs one pass over the byte
    // values however disordered it is.
    size_t length = strlen(text);
    if (length <= 32) {
        for (size_t i = 1; i < length; ++i) {
            signed char value = static_cast<signed char>(text[i]);
            size_t j = i;
            for (; j > 0 && static_cast<signed char>(text[j - 1]) > value; --j) text[j] = text[j - 1];
            text[j] = static_cast<char>(value);
        }
        return;
    }
    int counts[256] = {0};
    for (size_t i = 0; i < length; ++i) ++counts[static_cast<unsigned char>(text[i])];
    char* out = text;
    for (int value = -128; value < 128; ++value) {
        unsigned char byte = static_cast<unsigned char>(static_cast<signed char>(value));
        for (int k = counts[byte]; k > 0; --k) *out++ = static_cast<char>(byte);
    }
}

int findContainment(const char* stored, const char* typed) {
    size_t storedLength = strlen(stored);
    size_t typedLength = strlen(typed);
    const char* shortText = stored;
    const char* longText = typed;
    int sign = 1;
    if (typedLength < storedLength) {
        shortText = typed;
        longText = stored;
        sign = -1;
    }
    if (shortText[0] == '\0') return 0;
    return strstr(longText, shortText) ? 2 * sign : 0;
}

Verdict verdictOf(const char* typed, const char* stored) {
    Text t;
    Text e;
    copyText(t, typed);
    copyText(e, stored);
    normaliseTypedAnswer(t);
    upperCaseAscii(e);
    if (t[0] == '\0') return Verdict::Empty;

    const int d = editDistance(e, t);
    if (d == 0) return Verdict::Right;

    Text sortedT;
    Text sortedE;
    copyText(sortedT, t);
    copyText(sortedE, e);
    sortLetters(sortedT);
    sortLetters(sortedE);
    if (strcmp(sortedT, sortedE) == 0) return Verdict::Anagram;

    if (d == 1) return Verdict::Almost;
    if (d == 2) return Verdict::Nearly;

    const int lengthE = static_cast<int>(strlen(e));
    const int lengthT = static_cast<int>(strlen(t));
    const int containment = findContainment(e, t);
    if (containment == -2) {
        if (lengthE <= 9) return Verdict::Wrong;
        double ratio = 100.0 * lengthT / lengthE;
        if (ratio > 70.0) return Verdict::TooShort;
        if (ratio > 50.0) return Verdict::NotFar;
        return Verdict::Wrong;
    }
    if (containment == 2) return Verdict::TooLong;

    const int longer = lengthT >= lengthE ? lengthT : lengthE;
    double similarity = 100.0 * (longer - d) / longer;
    return similarity > 80.0 ? Verdict::Idea : Verdict::Wrong;
}

const char* verdictText(Verdict verdict) {
    static const char* const texts[] = {VerdictEmpty,   VerdictRight,    VerdictAnagram, VerdictAlmost, VerdictNearly,
                                        VerdictTooLong, VerdictTooShort, VerdictNotFar,  VerdictIdea,   VerdictWrong};
    const unsigned index = static_cast<unsigned>(verdict);
    return index < sizeof texts / sizeof texts[0] ? texts[index] : VerdictEmpty;
}

const char* chooseVerdict(const char* typed, const char* stored) { return verdictText(verdictOf(typed, stored)); }

long verdictColour(Verdict verdict) {
    switch (verdict) {
    case Verdict::Empty: return DefaultVerdictColour;
    case Verdict::Right: return 0x00FF00;
    case Verdict::Wrong: return 0x0000FF;
    case Verdict::Anagram: return 0x0064FF;
    default: return 0x26CBFF;
    }
}
