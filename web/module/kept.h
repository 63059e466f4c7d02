#pragma once
// The answers as a learning platform keeps them, with a copy in the
// browser: packed into few characters (a platform keeps 4,096 of them for a
// pupil), read back, and the two copies merged when the page opens.
//
// A packed text, Windows-1252, one character a byte:
//   VERSION [ "," CONFIRMED ] ( ":" | "+" ) FIELD *( "|" FIELD )
// VERSION (decimal) counts the saves of the pupil's answers. CONFIRMED, in
// the browser's copy only, is the last VERSION the platform accepted. FIELD
// k is answer field k's text with a "\" before each "|" and "\" in it; the
// empty fields after the last answer are left out. ":" says the text holds
// every answer; "+" that it was cut short of room: the fields after the
// last one it holds are kept in the browser's copy only.
//   "12:paris||berlin"  fields 1 and 3 answered, version 12
#include <stddef.h>
#include <stdint.h>

#include "play/play.h"

enum {
    PackedVersionMax = 999999999,  // nine digits; a save after it keeps it
    // The longest packed text: both counters, every field of 259 escaped
    // characters and its separator.
    PackedMaxLength = 2 * 9 + 2 + MaxAnswerFields * (2 * TextMaxLength + 1),
};

struct KeptMarks {
    uint32_t version;
    uint32_t confirmed;
};

// A packed text read back.
struct KeptAnswers {
    bool present;  // false: no text, or not a packed one
    KeptMarks marks;
    bool cut;
    int count;  // fields 1 to count are held, at fields[k - 1]
    Text fields[MaxAnswerFields];
};

// Packs the texts of play's answer fields into out (capacity bytes, zero
// ended), in at most limit characters (0: no limit) when capacity allows:
// the fields that do not fit are left out, and the text says it was cut.
// confirmed is written when not null (the browser's copy). Returns the
// length; *packedFields, when not null, gets the fields the text holds
// (the field count unless it was cut).
size_t packAnswers(const PlayState* play, uint32_t version, const uint32_t* confirmed, size_t limit, char* out,
                   size_t capacity, int* packedFields = nullptr);

// Reads a packed text of size bytes; *kept is not present when it is not one.
void unpackAnswers(const char* text, size_t size, KeptAnswers* kept);

// What comes back when the page opens, into *platform (its copy, not
// present when it had none or could not be read: platformRead false) from
// it and the browser's copy:
// - the browser's copy when it holds saves the platform did not accept
//   (VERSION above CONFIRMED) newer than the platform's, or when the
//   platform could not be read;
// - else the platform's copy (nothing when the platform has none and the
//   browser's copy was all accepted: the platform started the pupil
//   afresh), its cut-off fields taken from the browser's copy.
// The marks go on from both: the higher VERSION, and as CONFIRMED the
// higher of the browser's CONFIRMED and the platform's VERSION.
void mergeKeptAnswers(KeptAnswers* platform, bool platformRead, const KeptAnswers* browser);

// The player's results lines of kept's fields ("*" for an empty one, CR LF
// ended) into out of capacity bytes; returns their length.
size_t keptResultsLines(const KeptAnswers* kept, char* out, size_t capacity);
