// runEncoder then runDecoder on arbitrary sources of 1 to 65535 bytes:
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

    EncoderState encoder;
    CoderOutput encoded = {nullptr, 0};
    // Sources of this size must always be encodable: the player's content is
    // produced this way.
    FUZZ_CHECK(runEncoder(&encoder, data, (uint32_t)size, &encoded) == CoderOk);
    FUZZ_CHECK(encoded.bytes != nullptr);

    DecoderState decoder;
    CoderOutput decoded = {nullptr, 0};
    CoderResult back = runDecoder(&decoder, encoded.bytes, encoded.count, &decoded);
    if (encoded.count > CoderMaxSource) {
        FUZZ_CHECK(back == CoderBadInput);
        FUZZ_CHECK(decoded.bytes == nullptr);
    } else {
        FUZZ_CHECK(back == CoderOk);
        FUZZ_CHECK(decoded.count == size);
        FUZZ_CHECK(memcmp(decoded.bytes, data, size) == 0);
        FUZZ_CHECK(decoder.bytesRead == encoded.count);
    }
    releaseContent(decoded.bytes);
    releaseContent(encoded.bytes);
    return 0;
}
