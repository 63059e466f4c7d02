#pragma once
// The results file: one line per answer field, "*" for an empty field, CR LF
// line ends, Windows-1252. Reading and formatting, no platform calls.
#include <stddef.h>
#include "format/text.h"

// The results file name for an executable path: the name without its
// directory, its last three characters replaced by "txt". A name shorter
// than three characters has no extension to replace and gets ".txt"
// appended ("ab" gives "ab.txt").
void resultsNameFromPath(const char* modulePath, char* name, size_t size);

// Reads answer lines from a results file held in memory.
struct ResultsReader {
    const char* data;
    size_t size;
    size_t position;
};
// The next line as a field's initial text: at most 259 characters (the rest
// of a longer line is skipped), only the line break dropped, "*" giving "".
// Returns false when there is no further line.
bool readAnswerLine(ResultsReader* reader, char (&text)[TextSize]);
// Appends the line for one field (text, or "*" when empty, then CR LF) to out
// of capacity bytes at *used; returns false if it does not fit.
bool appendAnswerLine(const char* fieldText, char* out, size_t capacity, size_t* used);
