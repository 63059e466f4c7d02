// decodeInto on arbitrary bytes: it must return one of its results, never
// read past the source or write past its buffer, and give the same output
// when run twice on the same stream with the same state (no state may leak
// from one run into the next). The buffers live as long as the process, so
// a run costs no allocation.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "check.h"
#include "content/codec.h"

static unsigned char first[CoderDecodedBufferSize], second[CoderDecodedBufferSize];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecoderState decoder;
    uint32_t firstCount = 0, secondCount = 0;
    CoderResult result = decodeInto(&decoder, data, (uint32_t)size, first, &firstCount);
    FUZZ_CHECK(result == CoderOk || result == CoderBadInput || result == CoderMalformed);
    if (size == 0 || size > CoderMaxSource) FUZZ_CHECK(result == CoderBadInput);
    FUZZ_CHECK(firstCount <= CoderMaxDecoded);
    if (size <= CoderMaxSource) FUZZ_CHECK(decoder.bytesRead <= size);

    CoderResult again = decodeInto(&decoder, data, (uint32_t)size, second, &secondCount);
    FUZZ_CHECK(again == result);
    FUZZ_CHECK(secondCount == firstCount);
    FUZZ_CHECK(memcmp(first, second, firstCount) == 0);
    return 0;
}
