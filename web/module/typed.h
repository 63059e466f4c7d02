#pragma once
// Texts between the page and the play model. The quiz's texts and the
// player's answers are Windows-1252; the page types and shows UTF-8.
//
// What a pupil types reaches the model as the Windows player's edit fields
// hand it over (an ANSI window converting with the system's best fit for
// code page 1252): a character the code page holds becomes its byte; a
// character it lacks becomes the byte Windows fits it to (a letter's base
// letter for most accented Latin letters, "l" for "ł", "-" for a minus
// sign, "A" for a full-width "Ａ"), else "?" (Romanian "ș" among them:
// Windows fits no letter with a comma below); a character outside
// the Basic Multilingual Plane becomes "??", its two UTF-16 halves. The page
// hands texts over composed (NFC), as a keyboard types them, so "e" with a
// combining acute accent arrives as "é". Bytes that are not UTF-8 become
// "?" each; a zero ends the text, as it ends a field's text.
#include <stddef.h>

#include "format/text.h"

// Converts size bytes of UTF-8 into at most capacity - 1 Windows-1252
// bytes and a zero (nothing when capacity is 0); returns the bytes written.
size_t utf8ToWindows1252(const char* utf8, size_t size, char* out, size_t capacity);
// What a field holding utf8 hands over: its first 259 bytes.
inline size_t typedText(const char* utf8, size_t size, Text text) {
    return utf8ToWindows1252(utf8, size, text, TextSize);
}

// Converts a zero-terminated Windows-1252 text to UTF-8 into out, at most
// capacity - 1 bytes and a zero, never cutting a character in two; returns
// the bytes written. The five bytes the code page leaves unassigned become
// the control characters of the same number, as Windows converts them.
size_t windows1252ToUtf8(const char* text, char* out, size_t capacity);

// The byte Windows hands over for one code point, 0 when it substitutes "?".
unsigned char windows1252ByteOf(unsigned long codePoint);
