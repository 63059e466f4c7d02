// chooseVerdict on arbitrary pairs of texts of at most 259 bytes. The input
// is split at its first zero byte: typed text before, stored text after (each
// cut to 259 bytes and ending at any further zero). Invariants checked:
// - the verdict is one of the ten and neither argument is changed;
// - the lower-case and upper-case ASCII variants of either text give the
//   same verdict (only a to z are folded);
// - "?" exactly when the typed text is empty once its spaces are trimmed;
// - "BRAVO" exactly when the trimmed, folded typed text equals the folded
//   stored text;
// - editDistance agrees with the classic table and is symmetric.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "check.h"
#include "format/text.h"
#include "play/compare.h"

static const char* const verdicts[] = {
    VerdictEmpty, VerdictRight, VerdictAnagram, VerdictAlmost, VerdictNearly,
    VerdictTooLong, VerdictTooShort, VerdictNotFar, VerdictIdea, VerdictWrong,
};

static bool isVerdict(const char* verdict) {
    for (const char* known : verdicts)
        if (strcmp(verdict, known) == 0) return true;
    return false;
}

static void takeText(char (&text)[TextSize], const uint8_t* bytes, size_t count) {
    size_t length = count < TextMaxLength ? count : TextMaxLength;
    memcpy(text, bytes, length);
    text[length] = '\0';
}

static void toUpper(char* text) {
    for (; *text; ++text)
        if (*text >= 'a' && *text <= 'z') *text = (char)(*text - 'a' + 'A');
}

static void toLower(char* text) {
    for (; *text; ++text)
        if (*text >= 'A' && *text <= 'Z') *text = (char)(*text - 'A' + 'a');
}

// Spaces (and only spaces) trimmed at both ends, then a to z folded.
static void reference(char (&out)[TextSize], const char* typed) {
    size_t start = 0, end = strlen(typed);
    while (start < end && typed[start] == ' ') ++start;
    while (end > start && typed[end - 1] == ' ') --end;
    memcpy(out, typed + start, end - start);
    out[end - start] = '\0';
    toUpper(out);
}

// The textbook dynamic programme, one row at a time.
static int referenceDistance(const char* a, const char* b) {
    size_t m = strlen(a), n = strlen(b);
    static int row[TextSize], next[TextSize];
    for (size_t j = 0; j <= n; ++j) row[j] = (int)j;
    for (size_t i = 1; i <= m; ++i) {
        next[0] = (int)i;
        for (size_t j = 1; j <= n; ++j) {
            int best = row[j] + 1;
            if (next[j - 1] + 1 < best) best = next[j - 1] + 1;
            int diagonal = row[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            if (diagonal < best) best = diagonal;
            next[j] = best;
        }
        memcpy(row, next, (n + 1) * sizeof(int));
    }
    return row[n];
}

static const char* judged(const char* typed, const char* stored) {
    char typedCopy[TextSize], storedCopy[TextSize];
    memcpy(typedCopy, typed, TextSize);
    memcpy(storedCopy, stored, TextSize);
    const char* verdict = chooseVerdict(typed, stored);
    FUZZ_CHECK(verdict != nullptr);
    FUZZ_CHECK(isVerdict(verdict));
    FUZZ_CHECK(strcmp(typed, typedCopy) == 0);
    FUZZ_CHECK(strcmp(stored, storedCopy) == 0);
    return verdict;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* zero = (const uint8_t*)memchr(data, 0, size);
    size_t typedSize = zero ? (size_t)(zero - data) : size;
    size_t storedStart = zero ? typedSize + 1 : size;

    char typed[TextSize], stored[TextSize];
    takeText(typed, data, typedSize);
    takeText(stored, data + storedStart, size - storedStart);

    const char* verdict = judged(typed, stored);

    char variant[TextSize];
    memcpy(variant, typed, TextSize);
    toLower(variant);
    FUZZ_CHECK(strcmp(judged(variant, stored), verdict) == 0);
    toUpper(variant);
    FUZZ_CHECK(strcmp(judged(variant, stored), verdict) == 0);
    memcpy(variant, stored, TextSize);
    toLower(variant);
    FUZZ_CHECK(strcmp(judged(typed, variant), verdict) == 0);
    toUpper(variant);
    FUZZ_CHECK(strcmp(judged(typed, variant), verdict) == 0);

    char trimmed[TextSize], folded[TextSize];
    reference(trimmed, typed);
    memcpy(folded, stored, TextSize);
    toUpper(folded);
    FUZZ_CHECK((trimmed[0] == '\0') == (strcmp(verdict, VerdictEmpty) == 0));
    bool equal = trimmed[0] != '\0' && strcmp(trimmed, folded) == 0;
    FUZZ_CHECK(equal == (strcmp(verdict, VerdictRight) == 0));

    int distance = editDistance(typed, stored);
    FUZZ_CHECK(distance == referenceDistance(typed, stored));
    FUZZ_CHECK(distance == editDistance(stored, typed));
    return 0;
}
