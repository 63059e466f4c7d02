// The content coder. Codes are packed most significant bit first, starting
// 9 bits wide; only the widen (257) and reset (258) codes change the width.
// A learned string is always the previous string plus one byte, and both
// already sit side by side in the bytes the run has seen (the decoder's
// output, the encoder's source), so a dictionary slot is an offset and a
// length: learning copies nothing and allocates nothing.
#include "content/codec.h"

#include <stdlib.h>
#include <string.h>

enum {
    CodeEnd = 256,
    CodeWiden = 257,
    CodeReset = 258,
    FirstLearnedCode = 259,
    FirstCodeWidth = 9,
    MaxCodeWidth = 32,
    EncodedStartSize = 80000,
};

static CoderAllocator allocate = malloc;

CoderAllocator setCoderAllocator(CoderAllocator allocator) {
    CoderAllocator previous = allocate;
    allocate = allocator ? allocator : malloc;
    return previous;
}

void releaseContent(unsigned char* buffer) { free(buffer); }

// --- Decoding ---------------------------------------------------------------

// Reads codes MSB first through a 64-bit reservoir whose next bit is its top
// bit; refills take eight source bytes at once while eight remain.
struct BitReader {
    const unsigned char* source;
    uint32_t size;
    uint32_t position;  // the first source byte not yet in the reservoir
    uint64_t bits;
    int count;          // bits of the reservoir not yet read
};

static inline uint64_t loadBigEndian64(const unsigned char* b) {
    return uint64_t(b[0]) << 56 | uint64_t(b[1]) << 48 | uint64_t(b[2]) << 40 | uint64_t(b[3]) << 32 |
           uint64_t(b[4]) << 24 | uint64_t(b[5]) << 16 | uint64_t(b[6]) << 8 | b[7];
}

// Tops the reservoir up; false when the source ends before it holds width
// bits, and every source byte then counts as read.
static bool refill(BitReader* reader, int width) {
    if (reader->size - reader->position >= 8) {
        // Below count the reservoir may already hold the top bits of the
        // next byte; OR-ing them in again changes nothing.
        reader->bits |= loadBigEndian64(reader->source + reader->position) >> reader->count;
        reader->position += (63 - reader->count) >> 3;
        reader->count |= 56;
        return true;
    }
    while (reader->count <= 56 && reader->position < reader->size) {
        reader->bits |= uint64_t(reader->source[reader->position++]) << (56 - reader->count);
        reader->count += 8;
    }
    if (reader->count >= width) return true;
    reader->count = 0;
    return false;
}

// False when the source ends inside the code.
static inline bool readCode(BitReader* reader, int width, uint32_t* code) {
    if (reader->count < width && !refill(reader, width)) return false;
    *code = static_cast<uint32_t>(reader->bits >> (64 - width));
    reader->bits <<= width;
    reader->count -= width;
    return true;
}

// Short strings are copied as blocks of this size; the decoder's buffer has
// room for one past the output limit.
enum { CopyBlock = CoderDecodedBufferSize - CoderMaxDecoded };

// Copies a string of the output to its end. A short string goes as one
// block: the bytes past it are rewritten by the strings that follow, or lie
// past the bytes produced.
static inline void copyWithin(unsigned char* output, uint32_t to, uint32_t from, uint32_t length) {
    if (length <= CopyBlock) {
        unsigned char block[CopyBlock];
        memcpy(block, output + from, CopyBlock);
        memcpy(output + to, block, CopyBlock);
    } else {
        memcpy(output + to, output + from, length);
    }
}

// Decodes into output, writing each string as soon as its code is read;
// *count is the number of bytes written, on a failure too.
static CoderResult decodeCodes(DecoderState* state, BitReader* reader, unsigned char* output, uint32_t* count) {
    uint32_t code;
    if (!readCode(reader, FirstCodeWidth, &code)) return CoderBadInput;
    // The first code is a plain byte whatever its value.
    output[0] = static_cast<unsigned char>(code);
    *count = 1;
    CoderSlot previous = {0, 1};
    uint32_t nextCode = FirstLearnedCode;
    int width = FirstCodeWidth;
    CoderSlot* slots = state->slots;

    for (;;) {
        if (!readCode(reader, width, &code)) return CoderMalformed;
        if (code - CodeEnd <= CodeReset - CodeEnd) {
            if (code == CodeEnd) return CoderOk;
            if (code == CodeReset) {
                nextCode = FirstLearnedCode;
                width = FirstCodeWidth;
            } else if (++width > MaxCodeWidth) {
                return CoderMalformed;
            }
            continue;
        }
        // A well-formed stream resets before the dictionary fills and never
        // builds a string longer than the longest allowed (both limits are
        // the same power of two, so one test covers them).
        if (code > nextCode || (nextCode | previous.length) >= CoderDictionarySize) return CoderMalformed;
        // The string learned now: the previous one followed by the first
        // byte of this one, which lands right after it.
        uint32_t at = *count;
        CoderSlot learned = {at - previous.length, previous.length + 1};
        if (code < CodeEnd) {
            if (at == CoderMaxDecoded) return CoderMalformed;
            output[at] = static_cast<unsigned char>(code);
            previous = {at, 1};
        } else if (code < nextCode) {
            CoderSlot string = slots[code];
            if (string.length > CoderMaxDecoded - at) return CoderMalformed;
            copyWithin(output, at, string.offset, string.length);
            previous = {at, string.length};
        } else {
            // The code being learned: the previous string and its own first
            // byte.
            if (learned.length > CoderMaxDecoded - at) return CoderMalformed;
            copyWithin(output, at, learned.offset, previous.length);
            output[at + previous.length] = output[learned.offset];
            previous = {at, learned.length};
        }
        slots[nextCode++] = learned;
        *count = at + previous.length;
    }
}

CoderResult decodeInto(DecoderState* state, const unsigned char* source, uint32_t size, unsigned char* buffer,
                       uint32_t* produced) {
    *produced = 0;
    if (size > CoderMaxSource) return CoderBadInput;
    BitReader reader = {source, size, 0, 0, 0};
    CoderResult result = decodeCodes(state, &reader, buffer, produced);
    state->inputSize = size;
    state->bytesRead = (8 * reader.position - reader.count + 7) / 8;
    return result;
}

CoderResult runDecoder(DecoderState* state, const unsigned char* source, uint32_t size, CoderOutput* output) {
    if (size > CoderMaxSource) return CoderBadInput;
    unsigned char* buffer = static_cast<unsigned char*>(allocate(CoderDecodedBufferSize));
    if (!buffer) return CoderNoMemory;
    uint32_t produced = 0;
    CoderResult result = decodeInto(state, source, size, buffer, &produced);
    *output = CoderOutput{buffer, produced};
    return result;
}

// --- Encoding ---------------------------------------------------------------

// Packs codes MSB first into the output, growing it when it fills.
struct BitWriter {
    unsigned char* output;
    uint32_t count;
    uint32_t capacity;
    uint64_t bits;      // the last pending bits are the lowest
    int pending;        // 0 to 7 bits not yet written out
};

static bool growOutput(BitWriter* writer) {
    uint32_t capacity = writer->capacity * 2;
    unsigned char* grown = static_cast<unsigned char*>(allocate(capacity));
    if (!grown) return false;
    memcpy(grown, writer->output, writer->count);
    free(writer->output);
    writer->output = grown;
    writer->capacity = capacity;
    return true;
}

static bool writeCode(BitWriter* writer, uint32_t code, int width) {
    // A code of up to 32 bits and 7 pending bits make at most 5 bytes.
    if (writer->capacity - writer->count < 8 && !growOutput(writer)) return false;
    writer->bits = writer->bits << width | code;
    writer->pending += width;
    while (writer->pending >= 8) {
        writer->pending -= 8;
        writer->output[writer->count++] = static_cast<unsigned char>(writer->bits >> writer->pending);
    }
    return true;
}

// Writes code at the current width, preceded by one widen code for each bit
// the width lacks, each at the width in force before it. Codes stay below
// 4096, so widths never pass 12 and no code can be too wide.
static bool writeWidened(BitWriter* writer, uint32_t code, int* width) {
    for (uint32_t rest = code >> *width; rest != 0; rest >>= 1) {
        if (!writeCode(writer, CodeWiden, *width)) return false;
        ++*width;
    }
    return writeCode(writer, code, *width);
}

// FNV-1a, fed one byte at a time so a candidate's hash extends its prefix's.
static const uint32_t HashSeed = 2166136261u;
static inline uint32_t hashStep(uint32_t hash, unsigned char byte) { return (hash ^ byte) * 16777619u; }

static void learn(EncoderState* state, uint32_t code, CoderSlot string, uint32_t hash) {
    state->slots[code] = string;
    uint32_t entry = hash & (CoderIndexSize - 1);
    while (state->indexCodes[entry] != 0) entry = (entry + 1) & (CoderIndexSize - 1);
    state->indexCodes[entry] = static_cast<uint16_t>(code);
    state->indexHashes[entry] = hash;
}

// The learned code whose string has the bytes of candidate, or 0. The
// encoder only learns strings the index does not hold and empties the index
// on reset, so at most one learned string matches.
static uint32_t findLearned(const EncoderState* state, const unsigned char* source, CoderSlot candidate,
                            uint32_t hash) {
    uint32_t entry = hash & (CoderIndexSize - 1);
    while (uint32_t code = state->indexCodes[entry]) {
        const CoderSlot& learned = state->slots[code];
        if (state->indexHashes[entry] == hash && learned.length == candidate.length &&
            memcmp(source + learned.offset, source + candidate.offset, candidate.length) == 0)
            return code;
        entry = (entry + 1) & (CoderIndexSize - 1);
    }
    return 0;
}

// Encodes a source of at least one byte. The previous string is always the
// stretch of the source just before the byte being read; its code is the
// learned code found for it, or its only byte.
static CoderResult encodeBytes(EncoderState* state, const unsigned char* source, uint32_t size, BitWriter* writer) {
    memset(state->indexCodes, 0, sizeof state->indexCodes);
    uint32_t nextCode = FirstLearnedCode;
    int width = FirstCodeWidth;
    uint32_t start = 0;
    uint32_t hash = hashStep(HashSeed, source[0]);
    uint32_t previousCode = source[0];

    for (uint32_t position = 1; position < size; ++position) {
        unsigned char byte = source[position];
        CoderSlot candidate = {start, position + 1 - start};
        uint32_t candidateHash = hashStep(hash, byte);
        if (uint32_t found = findLearned(state, source, candidate, candidateHash)) {
            hash = candidateHash;
            previousCode = found;
            continue;
        }
        learn(state, nextCode++, candidate, candidateHash);
        if (!writeWidened(writer, previousCode, &width)) return CoderNoMemory;
        start = position;
        hash = hashStep(HashSeed, byte);
        previousCode = byte;

        if (nextCode == CoderDictionarySize) {
            if (!writeCode(writer, CodeReset, width)) return CoderNoMemory;
            memset(state->indexCodes, 0, sizeof state->indexCodes);
            // The decoder learns the pending candidate right after the reset.
            nextCode = FirstLearnedCode;
            learn(state, nextCode++, candidate, candidateHash);
            width = FirstCodeWidth;
        }
    }

    if (!writeWidened(writer, previousCode, &width) || !writeCode(writer, CodeEnd, width)) return CoderNoMemory;
    // The last byte's unused low bits stay 0.
    if (writer->pending != 0)
        writer->output[writer->count++] = static_cast<unsigned char>(writer->bits << (8 - writer->pending));
    return CoderOk;
}

CoderResult runEncoder(EncoderState* state, const unsigned char* source, uint32_t size, CoderOutput* output) {
    if (size > CoderMaxSource) return CoderBadInput;
    BitWriter writer = {static_cast<unsigned char*>(allocate(EncodedStartSize)), 0, EncodedStartSize, 0, 0};
    if (!writer.output) return CoderNoMemory;
    state->inputSize = size;
    CoderResult result = size == 0 ? CoderBadInput : encodeBytes(state, source, size, &writer);
    if (result == CoderOk) state->outputSize = writer.count;
    *output = CoderOutput{writer.output, writer.count};
    return result;
}

const char* describeCoderResult(CoderResult result) {
    switch (result) {
    case CoderOk: return "success";
    case CoderNoMemory: return "storage could not be obtained";
    case CoderBadInput: return "the input is empty, too short, or 65536 bytes or more";
    case CoderTooWide: return "a code would be wider than 32 bits";
    case CoderMalformed: return "the code stream is malformed or breaks a limit";
    }
    return "unknown result";
}
