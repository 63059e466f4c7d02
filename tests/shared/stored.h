#pragma once
// Quiz resources as quizmaker stores them, for the loader's tests native
// and under Windows.
#include <gtest/gtest.h>
#include <stddef.h>

#include <vector>

#include "content/codec.h"
#include "content/parse.h"

typedef std::vector<unsigned char> Bytes;

// A byte literal with its embedded zeros, without the terminating zero.
template <size_t N>
Bytes bytesOf(const char (&s)[N]) { return Bytes(s, s + N - 1); }

// The stored stream of plain bytes.
inline Bytes encoded(const Bytes& plain) {
    EncoderState encoder;
    CoderOutput out = {nullptr, 0};
    EXPECT_EQ(runEncoder(&encoder, plain.data(), uint32_t(plain.size()), &out), CoderOk);
    Bytes stream(out.bytes, out.bytes + out.count);
    releaseContent(out.bytes);
    return stream;
}

// The whole loader over two stored resources; a resource not found is empty.
inline LoadOutcome loadFrom(Quiz* quiz, const Bytes& content, const Bytes& codes, bool contentFound = true,
                            bool codesFound = true) {
    return loadContentFrom(quiz, {contentFound, content.data(), uint32_t(content.size())},
                           {codesFound, codes.data(), uint32_t(codes.size())});
}
