#include "encoding.h"

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F. The five
// bytes that code page leaves unassigned map to the C1 controls of the same
// value, as Windows itself converts them.
static const unsigned short cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

Utf8Sequence decodeUtf8(const std::string& text, size_t at) {
    const Utf8Sequence invalid = {0xFFFD, 1, false};
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t extra;
    unsigned long codePoint;
    if (lead < 0x80) return Utf8Sequence{lead, 1, true};
    if ((lead & 0xE0) == 0xC0) { extra = 1; codePoint = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; codePoint = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; codePoint = lead & 0x07; }
    else return invalid;
    if (at + extra >= text.size()) return invalid;   // cut short
    for (size_t k = 1; k <= extra; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return invalid;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    static const unsigned long smallest[4] = {0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[extra] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return invalid;
    return Utf8Sequence{codePoint, 1 + extra, true};
}

bool isUtf8(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const Utf8Sequence sequence = decodeUtf8(text, at);
        if (!sequence.valid) return false;
        at += sequence.length;
    }
    return true;
}

void appendUtf8(std::string* out, unsigned long cp) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::vector<CodePoint> codePoints(const std::string& utf8) {
    std::vector<CodePoint> points;
    for (size_t at = 0; at < utf8.size();) {
        const Utf8Sequence sequence = decodeUtf8(utf8, at);
        points.push_back(CodePoint{sequence.codePoint, utf8.substr(at, sequence.length)});
        at += sequence.length;
    }
    return points;
}

static bool codePointToCp1252(unsigned long cp, unsigned char* byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        *byte = static_cast<unsigned char>(cp);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (cp1252High[i] == cp) {
            *byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool utf8ToCp1252(const std::string& utf8, std::string* cp1252) {
    std::string out;
    for (size_t at = 0; at < utf8.size();) {
        const Utf8Sequence sequence = decodeUtf8(utf8, at);
        unsigned char byte;
        if (!sequence.valid || !codePointToCp1252(sequence.codePoint, &byte)) return false;
        out.push_back(static_cast<char>(byte));
        at += sequence.length;
    }
    *cp1252 = out;
    return true;
}

std::string cp1252ToUtf8(const std::string& cp1252) {
    std::string out;
    for (unsigned char byte : cp1252) {
        unsigned long cp = (byte >= 0x80 && byte < 0xA0) ? cp1252High[byte - 0x80] : byte;
        appendUtf8(&out, cp);
    }
    return out;
}

std::string utf16ToUtf8(const unsigned char* bytes, size_t size, bool bigEndian) {
    std::string out;
    const size_t count = size / 2;
    auto unit = [&](size_t k) -> unsigned long {
        const unsigned char a = bytes[2 * k], b = bytes[2 * k + 1];
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t k = 0; k < count; ++k) {
        unsigned long cp = unit(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < count && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone half of a pair
        }
        appendUtf8(&out, cp);
    }
    return out;
}

char plainLetterCp1252(unsigned char c) {
    // From 0xC0 on; '*' for the letters and signs without a plain form.
    static const char fromC0[] =
        "AAAAAA*CEEEEIIIIDNOOOOO*OUUUUY**"
        "aaaaaa*ceeeeiiiidnooooo*ouuuuy*y";
    if (c >= 0xC0) return fromC0[c - 0xC0] == '*' ? 0 : fromC0[c - 0xC0];
    switch (c) {
    case 0x8A: return 'S';   // Š
    case 0x8E: return 'Z';   // Ž
    case 0x9A: return 's';   // š
    case 0x9E: return 'z';   // ž
    case 0x9F: return 'Y';   // Ÿ
    default: return 0;
    }
}
