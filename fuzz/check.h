#pragma once
// A failed invariant in a fuzz target: print it and abort, so libFuzzer saves
// the input as a crash artifact like any sanitizer report.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__,  \
                    __LINE__);                                                       \
            abort();                                                                 \
        }                                                                            \
    } while (0)

// True when text is zero-terminated within a 260-byte field.
inline bool fitsTextField(const char* text) { return memchr(text, '\0', 260) != nullptr; }
