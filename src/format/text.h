#pragma once
// Fixed text fields: every text of the quiz lives in a 260-byte array, so it
// holds at most 259 single-byte (Windows-1252) characters and a zero.
#include <stddef.h>

enum { TextSize = 260, TextMaxLength = TextSize - 1 };
typedef char Text[TextSize];

// Copies src into dst, which has room for size bytes, cutting it short when
// it is too long; dst is always zero-terminated. A null src copies "".
void copyTextBounded(char* dst, size_t size, const char* src);

template <size_t N>
inline void copyText(char (&dst)[N], const char* src) { copyTextBounded(dst, N, src); }
