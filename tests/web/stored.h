#pragma once
// The stored stream of plain content or codes, as quizmaker stores it in a
// quiz program, for the page's test drivers (empty when the coder fails).
#include <vector>

#include "content/codec.h"

inline std::vector<unsigned char> storedBytes(const std::vector<unsigned char>& plain) {
    EncoderState encoder;
    CoderOutput out = {nullptr, 0};
    std::vector<unsigned char> stream;
    if (runEncoder(&encoder, plain.data(), static_cast<uint32_t>(plain.size()), &out) == CoderOk)
        stream.assign(out.bytes, out.bytes + out.count);
    releaseContent(out.bytes);
    return stream;
}
