#pragma once
// The content coder: a variable-width dictionary code stream (LZW family)
// with end, widen and reset codes. The player decodes; quizmaker encodes.
// Both directions share one process-wide coder state: one run at a time.
#include <stddef.h>
#include <stdint.h>

enum CoderResult {
    CoderOk = 0,
    CoderNoMemory = -4,     // storage could not be obtained
    CoderBadInput = -5,     // empty source, too short, or 65536 bytes or more
    CoderTooWide = -6,      // a code wider than 32 bits while encoding
    CoderMalformed = -7,    // a code stream that breaks the format or a limit
};

enum {
    CoderMaxSource = 65535,     // sources must be shorter than 65536 bytes
    CoderMaxDecoded = 120000,   // decoded output limit
};

struct ByteString {
    unsigned char* data;
    uint16_t capacity;
    uint16_t length;
};

// Decodes a stored stream. Once the output buffer exists it is handed over
// on every return with *length = bytes produced + 2; release it with
// releaseContent. A source of CoderMaxSource + 1 bytes or more gives
// CoderBadInput at once, leaving the out-parameters untouched.
int decodeContent(const unsigned char* source, uint32_t size, unsigned char** output, uint32_t* length);
// Encodes plain bytes. Once the coder is set up the output is handed over on
// every return with *length = bytes produced + 1. The output buffer starts
// at 80000 bytes and grows when a stream needs more. Oversized sources are
// refused as by decodeContent.
int encodeContent(const unsigned char* source, uint32_t size, unsigned char** output, uint32_t* length);
void releaseContent(unsigned char* buffer);

// Where the coder obtains its storage (malloc unless replaced). Tests use it
// to make an allocation fail; everything the coder hands over is released
// with free, so a replacement must return malloc-compatible storage.
typedef void* (*CoderAllocator)(size_t size);
CoderAllocator setCoderAllocator(CoderAllocator allocator);

// A short English description of a result code, for quizmaker's errors.
const char* describeCoderResult(int result);

// Statistics of the last runs (no caller in the player).
uint32_t lastDecodeInputSize();
uint32_t lastDecodeBytesRead();
uint32_t lastEncodeInputSize();
uint32_t lastEncodeOutputSize();
