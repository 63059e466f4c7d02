#pragma once
// Text encodings: UTF-8, which authors write and the library works in, and
// Windows-1252, which the player stores; on Windows also the wide strings of
// the system's calls. Every UTF-8 sequence is read by decodeUtf8.
#include <stddef.h>

#include <string>
#include <vector>

// One UTF-8 sequence at text[at]: its code point and its length in bytes.
// A sequence that is cut short, overlong, a surrogate, past U+10FFFF or
// starts with a byte no sequence starts with is invalid: one byte long, its
// code point U+FFFD.
struct Utf8Sequence {
    unsigned long codePoint;
    size_t length;
    bool valid;
};
Utf8Sequence decodeUtf8(const std::string& text, size_t at);

bool isUtf8(const std::string& text);
// Appends one Unicode code point (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string* out, unsigned long codePoint);

// The characters of a text, each with its own bytes, so that a message can
// quote the one it is about.
struct CodePoint {
    unsigned long value;
    std::string bytes;
};
std::vector<CodePoint> codePoints(const std::string& utf8);

// Converts UTF-8 to Windows-1252. False when the text is not valid UTF-8 or
// holds a character that Windows-1252 cannot represent (nothing substituted).
bool utf8ToCp1252(const std::string& utf8, std::string* cp1252);
std::string cp1252ToUtf8(const std::string& cp1252);
// UTF-16 code units (two bytes each, in either order) as UTF-8; a lone half
// of a surrogate pair becomes U+FFFD.
std::string utf16ToUtf8(const unsigned char* bytes, size_t size, bool bigEndian);

// The letter of an accented Windows-1252 letter without its accent ('É'
// gives 'E', 'š' gives 's'); 0 for any other byte, and for the letters that
// have no plain form (Æ, ß, Þ...).
char plainLetterCp1252(unsigned char c);

#ifdef _WIN32
// UTF-8 to and from the wide strings of Windows' calls and file names.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);
#endif
