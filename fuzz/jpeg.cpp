// The program's JPEG decoder on arbitrary bytes, fitted into a 260 x 260 box.
// Invariants checked (besides every read and write staying in bounds):
// - a size is offered only within the box, both sides at least 1, one of
//   them filling it;
// - decoding writes nothing past the fitted pixels and leaves every fourth
//   byte 0 when it succeeds.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "check.h"
#include "media/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FittedSize fitted;
    if (!jpegFittedSize(data, size, 260, 260, &fitted)) return 0;
    FUZZ_CHECK(fitted.width >= 1 && fitted.width <= 260 && fitted.height >= 1 && fitted.height <= 260);
    FUZZ_CHECK(fitted.width == 260 || fitted.height == 260);
    const size_t bytes = static_cast<size_t>(fitted.width) * fitted.height * 4;
    unsigned char* pixels = static_cast<unsigned char*>(malloc(bytes + 16));
    if (!pixels) return 0;
    memset(pixels + bytes, 0xA5, 16);
    if (decodeFittedJpeg(data, size, fitted, pixels)) {
        for (size_t i = 3; i < bytes; i += 4) FUZZ_CHECK(pixels[i] == 0);
    }
    for (size_t i = bytes; i < bytes + 16; ++i) FUZZ_CHECK(pixels[i] == 0xA5);
    free(pixels);
    return 0;
}
