// runDecoder on arbitrary bytes: it must return one of its results, never
// read past the source or write past the output it hands over, and give the
// same output when run twice on the same stream with the same state (no
// state may leak from one run into the next).
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "check.h"
#include "content/codec.h"

static bool isDecoderResult(CoderResult result) {
    return result == CoderOk || result == CoderNoMemory || result == CoderBadInput || result == CoderMalformed;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecoderState decoder;
    CoderOutput first = {nullptr, 0};
    CoderResult result = runDecoder(&decoder, data, (uint32_t)size, &first);
    FUZZ_CHECK(isDecoderResult(result));
    if (size == 0) FUZZ_CHECK(result == CoderBadInput);
    if (size > CoderMaxSource) FUZZ_CHECK(result == CoderBadInput);
    if (result == CoderOk) FUZZ_CHECK(first.bytes != nullptr);
    if (first.bytes) {
        FUZZ_CHECK(first.count <= CoderMaxDecoded);
        FUZZ_CHECK(decoder.bytesRead <= size);
    }

    CoderOutput second = {nullptr, 0};
    CoderResult again = runDecoder(&decoder, data, (uint32_t)size, &second);
    FUZZ_CHECK(again == result);
    FUZZ_CHECK((first.bytes == nullptr) == (second.bytes == nullptr));
    if (first.bytes && second.bytes) {
        FUZZ_CHECK(second.count == first.count);
        // Reads every byte handed over, so a short buffer shows up in ASan.
        FUZZ_CHECK(memcmp(first.bytes, second.bytes, first.count) == 0);
    }
    releaseContent(first.bytes);
    releaseContent(second.bytes);
    return 0;
}
