// decodeContent on arbitrary bytes: it must return one of its result codes,
// never read past the source or write past the output it hands over, and
// give the same output when run twice on the same stream (no state may leak
// from one run into the next).
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "check.h"
#include "content/codec.h"

static bool isDecoderResult(int result) {
    return result == CoderOk || result == CoderNoMemory || result == CoderBadInput ||
           result == CoderMalformed;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    unsigned char* first = nullptr;
    uint32_t firstLength = 0;
    int result = decodeContent(data, (uint32_t)size, &first, &firstLength);
    FUZZ_CHECK(isDecoderResult(result));
    if (size == 0) FUZZ_CHECK(result == CoderBadInput);
    if (size > CoderMaxSource) FUZZ_CHECK(result == CoderBadInput);
    if (result == CoderOk) FUZZ_CHECK(first != nullptr);
    if (first) {
        FUZZ_CHECK(firstLength >= 2);
        FUZZ_CHECK(firstLength - 2 <= CoderMaxDecoded);
    }

    unsigned char* second = nullptr;
    uint32_t secondLength = 0;
    int again = decodeContent(data, (uint32_t)size, &second, &secondLength);
    FUZZ_CHECK(again == result);
    FUZZ_CHECK((first == nullptr) == (second == nullptr));
    if (first && second) {
        FUZZ_CHECK(secondLength == firstLength);
        // Reads every byte handed over, so a short buffer shows up in ASan.
        FUZZ_CHECK(memcmp(first, second, firstLength - 2) == 0);
    }
    releaseContent(first);
    releaseContent(second);
    return 0;
}
