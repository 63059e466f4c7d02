#include "module/kept.h"

#include <string.h>

#include "play/results.h"

namespace {

// Appends bytes to out of capacity bytes (one kept for the zero) at *used.
bool put(const char* bytes, size_t size, char* out, size_t capacity, size_t* used) {
    if (*used + size + 1 > capacity) return false;
    memcpy(out + *used, bytes, size);
    *used += size;
    return true;
}

// The number, at most PackedVersionMax, in decimal; returns its length.
size_t putNumber(uint32_t number, char* digits) {
    if (number > static_cast<uint32_t>(PackedVersionMax)) number = PackedVersionMax;
    char reversed[10];
    size_t length = 0;
    do {
        reversed[length++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    for (size_t i = 0; i < length; ++i) digits[i] = reversed[length - 1 - i];
    return length;
}

size_t escapedLength(const char* text) {
    size_t length = 0;
    for (const char* c = text; *c; ++c) length += (*c == '|' || *c == '\\') ? 2 : 1;
    return length;
}

// Reads up to nine digits at *at; false when there is none.
bool readNumber(const char* text, size_t size, size_t* at, uint32_t* number) {
    const size_t start = *at;
    *number = 0;
    while (*at < size && *at - start < 9 && text[*at] >= '0' && text[*at] <= '9')
        *number = *number * 10 + static_cast<uint32_t>(text[(*at)++] - '0');
    return *at > start;
}

void takeFields(KeptAnswers* into, const KeptAnswers* from, int first) {
    for (int k = first; k <= from->count; ++k) memcpy(into->fields[k - 1], from->fields[k - 1], TextSize);
    if (from->count > into->count) into->count = from->count;
}

}  // namespace

size_t packAnswers(const PlayState* play, uint32_t version, const uint32_t* confirmed, size_t limit, char* out,
                   size_t capacity, int* packedFields) {
    if (packedFields) *packedFields = 0;
    if (capacity == 0) return 0;
    out[0] = '\0';
    // The room for the text: limit characters, and the zero.
    const size_t room = limit != 0 && limit + 1 < capacity ? limit + 1 : capacity;
    char header[2 * 9 + 2];
    size_t headerLength = putNumber(version, header);
    if (confirmed) {
        header[headerLength++] = ',';
        headerLength += putNumber(*confirmed, header + headerLength);
    }
    header[headerLength++] = ':';
    size_t used = 0;
    if (!put(header, headerLength, out, room, &used)) return 0;
    const size_t mark = used - 1;

    int last = play->fieldCount;
    while (last > 0 && playField(play, last)->text[0] == '\0') --last;
    int packed = 0;
    for (int k = 1; k <= last; ++k) {
        const char* text = playField(play, k)->text;
        const size_t length = escapedLength(text) + (k > 1 ? 1 : 0);
        if (used + length + 1 > room) {
            out[mark] = '+';
            break;
        }
        if (k > 1) out[used++] = '|';
        for (const char* c = text; *c; ++c) {
            if (*c == '|' || *c == '\\') out[used++] = '\\';
            out[used++] = *c;
        }
        packed = k;
    }
    out[used] = '\0';
    if (packedFields) *packedFields = out[mark] == '+' ? packed : play->fieldCount;
    return used;
}

void unpackAnswers(const char* text, size_t size, KeptAnswers* kept) {
    kept->present = false;
    kept->marks = KeptMarks{0, 0};
    kept->cut = false;
    kept->count = 0;
    size_t at = 0;
    if (!readNumber(text, size, &at, &kept->marks.version)) return;
    if (at < size && text[at] == ',') {
        ++at;
        if (!readNumber(text, size, &at, &kept->marks.confirmed)) return;
    }
    if (at >= size || (text[at] != ':' && text[at] != '+')) return;
    kept->cut = text[at++] == '+';
    kept->present = true;
    if (at == size) return;
    // Every field that starts is held, its text cut at 259 characters.
    size_t length = 0;
    kept->count = 1;
    kept->fields[0][0] = '\0';
    for (; at < size; ++at) {
        char c = text[at];
        if (c == '|') {
            if (kept->count == MaxAnswerFields) break;
            kept->fields[kept->count++][0] = '\0';
            length = 0;
            continue;
        }
        if (c == '\\' && at + 1 < size) c = text[++at];
        if (c == '\0' || length == TextMaxLength) continue;
        char* field = kept->fields[kept->count - 1];
        field[length++] = c;
        field[length] = '\0';
    }
}

void mergeKeptAnswers(KeptAnswers* platform, bool platformRead, const KeptAnswers* browser) {
    const uint32_t platformVersion = platform->present ? platform->marks.version : 0;
    const bool cut = platform->cut;
    platform->cut = false;
    if (!browser->present) {
        platform->marks.confirmed = platformVersion;
        return;
    }
    const KeptMarks browserMarks = browser->marks;
    const bool browserAhead = browserMarks.version > browserMarks.confirmed && browserMarks.version > platformVersion;
    if (!platformRead || browserAhead) {
        platform->count = 0;
        takeFields(platform, browser, 1);
        platform->present = true;
    } else if (platform->present && cut) {
        takeFields(platform, browser, platform->count + 1);
    }
    platform->marks.version = platformVersion > browserMarks.version ? platformVersion : browserMarks.version;
    platform->marks.confirmed = platformVersion > browserMarks.confirmed ? platformVersion : browserMarks.confirmed;
}

size_t keptResultsLines(const KeptAnswers* kept, char* out, size_t capacity) {
    size_t used = 0;
    for (int k = 1; k <= kept->count; ++k)
        if (!appendAnswerLine(kept->fields[k - 1], out, capacity, &used)) break;
    return used;
}
