// encodeContent then decodeContent on arbitrary sources of 1 to 65535 bytes:
// every stream the encoder produces decodes back to exactly its source, as
// long as the stream itself is short enough for the decoder; a longer one
// (only incompressible sources give those, and quizmaker refuses them) must
// be refused cleanly.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "check.h"
#include "content/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > CoderMaxSource) return 0;

    unsigned char* encoded = nullptr;
    uint32_t encodedLength = 0;
    int result = encodeContent(data, (uint32_t)size, &encoded, &encodedLength);
    // Sources of this size must always be encodable: the player's content is
    // produced this way.
    FUZZ_CHECK(result == CoderOk);
    FUZZ_CHECK(encoded != nullptr);
    FUZZ_CHECK(encodedLength >= 1);
    uint32_t streamSize = encodedLength - 1;

    unsigned char* decoded = nullptr;
    uint32_t decodedLength = 0;
    int back = decodeContent(encoded, streamSize, &decoded, &decodedLength);
    if (streamSize > CoderMaxSource) {
        FUZZ_CHECK(back == CoderBadInput);
        FUZZ_CHECK(decoded == nullptr);
        releaseContent(encoded);
        return 0;
    }
    FUZZ_CHECK(back == CoderOk);
    FUZZ_CHECK(decoded != nullptr);
    FUZZ_CHECK(decodedLength == size + 2);
    FUZZ_CHECK(memcmp(decoded, data, size) == 0);
    releaseContent(decoded);
    releaseContent(encoded);
    return 0;
}
