#pragma once
// The content coder: a variable-width dictionary code stream (LZW family)
// with end, widen and reset codes. The player decodes; quizmaker encodes.
// Every run works over a state struct its caller owns (on the stack is
// fine: neither needs clearing before a run), so runs share nothing.
#include <stddef.h>
#include <stdint.h>

enum CoderResult {
    CoderOk = 0,
    CoderNoMemory = -4,     // the output buffer could not be obtained or grown
    CoderBadInput = -5,     // empty source, too short, or 65536 bytes or more
    CoderTooWide = -6,      // a code wider than 32 bits while encoding
    CoderMalformed = -7,    // a code stream that breaks the format or a limit
};

enum {
    CoderMaxSource = 65535,     // sources must be shorter than 65536 bytes
    CoderMaxDecoded = 120000,   // decoded output limit
    CoderDecodedBufferSize = CoderMaxDecoded + 16,  // the limit and a block of scratch
    CoderDictionarySize = 4096, // codes 0 to 4095; also the longest string
    CoderIndexSize = 8192,      // the encoder's hash index, under half full
};

// A string the coder has learned, as a stretch of bytes the run has already
// seen: of its output while decoding, of its source while encoding.
struct CoderSlot {
    uint32_t offset;
    uint32_t length;
};

struct DecoderState {
    // Slots 259 up to the next free code hold this run's learned strings;
    // the rest are stale and never read.
    CoderSlot slots[CoderDictionarySize];
    // Statistics of the last run.
    uint32_t inputSize;
    uint32_t bytesRead;     // source bytes up to the end of the last code read
};

struct EncoderState {
    CoderSlot slots[CoderDictionarySize];
    // Open-addressed index of the strings learned since the last reset:
    // their codes (0 marks a free entry) and the hashes of their bytes.
    uint16_t indexCodes[CoderIndexSize];
    uint32_t indexHashes[CoderIndexSize];
    // Statistics of the last run.
    uint32_t inputSize;
    uint32_t outputSize;    // of the last successful run
};

// What a run hands over: storage the caller releases with releaseContent,
// and the exact number of bytes produced in it.
struct CoderOutput {
    unsigned char* bytes;
    uint32_t count;
};

// Decodes a stored stream into buffer, CoderDecodedBufferSize bytes the
// caller owns; *produced is the number of bytes decoded, on a failure too.
// A source of CoderMaxSource + 1 bytes or more gives CoderBadInput.
CoderResult decodeInto(DecoderState* state, const unsigned char* source, uint32_t size, unsigned char* buffer,
                       uint32_t* produced);
// The same into a fresh buffer, handed over on every return once it exists.
// A source refused for its size, or a buffer that cannot be obtained
// (CoderNoMemory), leaves *output untouched.
CoderResult runDecoder(DecoderState* state, const unsigned char* source, uint32_t size, CoderOutput* output);
// Encodes plain bytes. The output starts at 80000 bytes and grows when a
// stream needs more; once it exists it is handed over on every return.
// Sources are refused as by runDecoder.
CoderResult runEncoder(EncoderState* state, const unsigned char* source, uint32_t size, CoderOutput* output);

void releaseContent(unsigned char* buffer);

// Where the coder obtains its output buffers (malloc unless replaced). Tests
// use it to make an allocation fail; everything the coder hands over is
// released with free, so a replacement must return malloc-compatible storage.
typedef void* (*CoderAllocator)(size_t size);
CoderAllocator setCoderAllocator(CoderAllocator allocator);

// A short English description of a result, for quizmaker's errors.
const char* describeCoderResult(CoderResult result);
