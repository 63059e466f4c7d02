#include "format/text.h"

void copyTextBounded(char* dst, size_t size, const char* src) {
    if (size == 0) return;
    size_t i = 0;
    if (src) {
        for (; i + 1 < size && src[i] != '\0'; ++i) dst[i] = src[i];
    }
    dst[i] = '\0';
}
