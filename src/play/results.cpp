#include "play/results.h"

#include <string.h>

void resultsNameFromPath(const char* modulePath, char* name, size_t size) {
    if (size == 0) return;
    const char* start = strrchr(modulePath, '\\');
    start = start ? start + 1 : modulePath;
    copyTextBounded(name, size, start);
    size_t length = strlen(name);
    if (length >= 3) {
        memcpy(name + length - 3, "txt", 3);
    } else if (length + 4 < size) {
        memcpy(name + length, ".txt", 5);
    }
}

bool readAnswerLine(ResultsReader* reader, char (&text)[TextSize]) {
    text[0] = '\0';
    if (reader->position >= reader->size) return false;
    const char* line = reader->data + reader->position;
    size_t rest = reader->size - reader->position;
    const char* feed = static_cast<const char*>(memchr(line, '\n', rest));
    size_t length = feed ? static_cast<size_t>(feed - line) : rest;
    reader->position += feed ? length + 1 : length;
    if (feed && length > 0 && line[length - 1] == '\r') --length;
    if (length > TextMaxLength) length = TextMaxLength;
    memcpy(text, line, length);
    text[length] = '\0';
    // The field shows the text up to its first zero byte, so "*" followed by
    // a zero is the empty-field mark too.
    if (text[0] == '*' && text[1] == '\0') text[0] = '\0';
    return true;
}

bool appendAnswerLine(const char* fieldText, char* out, size_t capacity, size_t* used) {
    const char* text = fieldText && fieldText[0] ? fieldText : "*";
    size_t length = strnlen(text, TextMaxLength);
    if (*used > capacity || capacity - *used < length + 2) return false;
    memcpy(out + *used, text, length);
    memcpy(out + *used + length, "\r\n", 2);
    *used += length + 2;
    return true;
}
