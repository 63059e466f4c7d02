#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "content/codec.h"
#include "content/message.h"

typedef std::vector<unsigned char> Bytes;

struct Coded {
    CoderResult result;
    Bytes bytes;        // the bytes produced
    bool handedOver;
};

template <typename State>
static Coded run(CoderResult (*coder)(State*, const unsigned char*, uint32_t, CoderOutput*), State* state,
                 const Bytes& source) {
    CoderOutput out = {nullptr, 0};
    CoderResult result = coder(state, source.data(), static_cast<uint32_t>(source.size()), &out);
    Coded coded = {result, out.bytes ? Bytes(out.bytes, out.bytes + out.count) : Bytes(), out.bytes != nullptr};
    releaseContent(out.bytes);
    return coded;
}
static Coded decode(const Bytes& source) {
    DecoderState decoder;
    return run(runDecoder, &decoder, source);
}
static Coded encode(const Bytes& source) {
    EncoderState encoder;
    return run(runEncoder, &encoder, source);
}

static Bytes text(const char* s) { return Bytes(s, s + strlen(s)); }

// Packs codes MSB first, starting 9 bits wide; a 257 in the list widens the
// codes after it and a 258 returns to 9 bits, as the format says.
static Bytes pack(const std::vector<uint32_t>& codes) {
    Bytes out;
    uint64_t bits = 0;
    int count = 0, width = 9;
    for (uint32_t code : codes) {
        bits = (bits << width) | code;
        count += width;
        while (count >= 8) out.push_back(static_cast<unsigned char>(bits >> (count -= 8)));
        if (code == 257) ++width;
        if (code == 258) width = 9;
    }
    if (count) out.push_back(static_cast<unsigned char>(bits << (8 - count)));
    return out;
}

static Bytes randomBytes(size_t size, int alphabet, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (unsigned char& b : bytes) b = static_cast<unsigned char>('a' + random() % alphabet);
    return bytes;
}

// The encoder written out step by step: learned strings in a plain map,
// codes packed by pack(). The real encoder's index must pick the same codes.
// Counts the dictionary resets into *resets.
static Bytes referenceEncode(const Bytes& source, int* resets) {
    std::map<std::string, uint32_t> learned;
    std::vector<uint32_t> codes;
    uint32_t nextCode = 259, width = 9;
    auto emit = [&](const std::string& s) {
        uint32_t code = s.size() == 1 ? static_cast<unsigned char>(s[0]) : learned.at(s);
        for (; code >> width; ++width) codes.push_back(257);
        codes.push_back(code);
    };
    std::string previous(1, static_cast<char>(source[0]));
    for (size_t i = 1; i < source.size(); ++i) {
        std::string candidate = previous + static_cast<char>(source[i]);
        if (learned.count(candidate)) {
            previous = candidate;
            continue;
        }
        learned[candidate] = nextCode++;
        emit(previous);
        previous = candidate.substr(candidate.size() - 1);
        if (nextCode == 4096) {  // reset, and the candidate learned again into 259
            codes.push_back(258);
            ++*resets;
            learned = {{candidate, 259}};
            nextCode = 260;
            width = 9;
        }
    }
    emit(previous);
    codes.push_back(256);
    return pack(codes);
}

TEST(Coder, DecodesAndEncodesTheDocumentedStreams) {
    const Bytes padded = {0x20, 0x90, 0xA0, 0x70, 0x00, 0xFF, 0xFF, 0x12};  // bytes after the end code are ignored
    const struct { const char* plain; Bytes stream; bool encoderWritesIt; } cases[] = {
        {"A", {0x20, 0xC0, 0x00}, true},              // 65, 256
        {"ABAB", {0x20, 0x90, 0xA0, 0x70, 0x00}, true},  // 65, 66, 259, 256
        {"AAA", {0x20, 0xC0, 0xE0, 0x00}, true},       // 65, 259, 256: 259 learned from the first byte of "A"
        {"A", {0x20, 0xC0, 0x50, 0x00}, false},        // 65, 257 at 9 bits, 256 at 10 bits
        {"AB", {0x20, 0xC0, 0x88, 0x50, 0x00}, false},  // 65, 258, 66, 256
        {"ABABBA", pack({65, 66, 259, 260, 256}), false},  // 259 = AB, 260 = BA
        {"ABAB", pack({65, 258, 66, 259, 256}), false},    // after a reset the pending A learns 259 = AB
        {"ABAB", padded, false},
    };
    DecoderState decoder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        Coded decoded = run(runDecoder, &decoder, c.stream);
        EXPECT_EQ(decoded.result, CoderOk);
        EXPECT_EQ(decoded.bytes, text(c.plain));
        EXPECT_EQ(decoder.bytesRead, c.stream == padded ? 5u : c.stream.size());  // up to the end code
        if (!c.encoderWritesIt) continue;
        Coded encoded = encode(text(c.plain));
        EXPECT_EQ(encoded.result, CoderOk);
        EXPECT_EQ(encoded.bytes, c.stream);
    }
}

// Streams that break the format or one of the decoder's limits, each beside
// one just within it. Whatever the result, the output is handed over and
// stays within the 120000-byte limit.
TEST(Decoder, RefusesStreamsThatEndEarlyOrBreakALimitAndAcceptsThoseJustWithinIt) {
    auto ended = [](std::vector<uint32_t> codes) {
        codes.push_back(256);
        return pack(codes);
    };
    // 65, then 23 widenings to 32 bits.
    std::vector<uint32_t> widest = {65};
    for (int width = 9; width <= 31; ++width) widest.push_back(257);
    std::vector<uint32_t> tooWide = widest;
    tooWide.push_back(257);
    Bytes tooWideStream = pack(tooWide);
    tooWideStream.resize(tooWideStream.size() + 16, 0);
    // 65 then nextCode again and again: strings A, AA, AAA, ... all written out.
    std::vector<uint32_t> growing = {65};
    int width = 9;
    for (uint32_t code = 259, produced = 0; produced <= 120000; ++code) {
        if (code >> width) {
            growing.push_back(257);
            ++width;
        }
        growing.push_back(code);
        produced += code - 258;  // the string written out is one shorter than the one learned
    }
    // Each 65 after the first learns "AA" into the next slot: 3837 fill 259..4095.
    std::vector<uint32_t> full(1 + 3837, 65), overfull(2 + 3837, 65), reset = overfull;
    reset.insert(reset.end() - 1, 258);
    const struct { Bytes stream; int result; const char* what; } cases[] = {
        {{}, CoderBadInput, "nothing"},
        {{0x20}, CoderBadInput, "ends inside the first code"},
        {{0x20, 0x80}, CoderMalformed, "65, then nothing"},
        {{0x20, 0x90, 0xA0}, CoderMalformed, "65, 66, then cut inside a code"},
        {{0x20, 0xCB, 0x20, 0x00}, CoderMalformed, "65, 300, 256: 300 is past nextCode 259"},
        {ended({65, 260}), CoderMalformed, "260 is past nextCode 259"},
        {ended({65, 259}), CoderOk, "259 is nextCode"},
        {ended(widest), CoderOk, "256 read 32 bits wide"},
        {tooWideStream, CoderMalformed, "a 33-bit width"},
        {ended(growing), CoderMalformed, "more than 120000 bytes"},
        {ended(std::vector<uint32_t>(growing.begin(), growing.end() - 2)), CoderOk, "two codes fewer"},
        {ended(full), CoderOk, "slots 259 to 4095 learned"},
        {ended(overfull), CoderMalformed, "one more without a reset"},
        {ended(reset), CoderOk, "one more after a reset"},
    };
    for (const auto& c : cases) {
        Coded decoded = decode(c.stream);
        EXPECT_EQ(decoded.result, c.result) << c.what;
        EXPECT_TRUE(decoded.handedOver) << c.what;
        EXPECT_LE(decoded.bytes.size(), 120000u) << c.what;
    }
}

// Short strings are copied as 16-byte blocks, long ones byte for byte, up
// to the buffer's last byte.
TEST(Decoder, FillsItsBufferToTheLastByteWithLongAndShortStrings) {
    std::vector<uint32_t> codes = {65};
    int width = 9;
    auto push = [&](uint32_t code) {
        for (; code >> width; ++width) codes.push_back(257);
        codes.push_back(code);
    };
    // 259, 260, ... each the code being learned: AA, AAA, ...
    Bytes expected = text("A");
    uint32_t nextCode = 259;
    for (; expected.size() + (nextCode - 257) <= 120000 - 24; ++nextCode) {
        push(nextCode);
        expected.insert(expected.end(), nextCode - 257, 'A');
    }
    // Single Bs, then C, the learned BC and CB, and CBC, the code being
    // learned, which ends on the buffer's last byte.
    for (; expected.size() < 120000 - 8; ++nextCode) {
        push(66);
        expected.push_back('B');
    }
    for (uint32_t code : {67u, nextCode, nextCode + 1, nextCode + 3}) push(code);
    for (char c : std::string("CBCCBCBC")) expected.push_back(static_cast<unsigned char>(c));  // C BC CB CBC
    codes.push_back(256);
    Coded decoded = decode(pack(codes));
    EXPECT_EQ(decoded.result, CoderOk);
    ASSERT_EQ(decoded.bytes.size(), 120000u);
    EXPECT_EQ(decoded.bytes, expected);
}

TEST(Coder, RefusesSourcesOf65536BytesBeforeReadingThem) {
    Bytes big(65536, 'a');
    unsigned char sentinel = 0;
    CoderOutput out = {&sentinel, 77};
    DecoderState decoder;
    EncoderState encoder;
    EXPECT_EQ(runDecoder(&decoder, big.data(), 65536, &out), CoderBadInput);
    EXPECT_EQ(runEncoder(&encoder, big.data(), 65536, &out), CoderBadInput);
    EXPECT_EQ(out.bytes, &sentinel);
    EXPECT_EQ(out.count, 77u);
    big.pop_back();
    EXPECT_EQ(encode(big).result, CoderOk);
    // Incompressible input: past 80000 bytes the encoder's output grows
    // instead of failing, and the decoder refuses a stream that long.
    Coded wide = encode(randomBytes(65535, 256, 5));
    ASSERT_GT(wide.bytes.size(), 80000u);
    EXPECT_EQ(decode(wide.bytes).result, CoderBadInput);
}

TEST(Encoder, WritesExactlyTheStreamOfTheStepByStepAlgorithmWhichDecodesBackThroughItsResets) {
    const std::pair<int, size_t> cases[] = {{2, 65535}, {3, 65535}, {26, 20000}, {256, 9000}};
    unsigned seed = 11;
    for (auto [alphabet, size] : cases) {
        SCOPED_TRACE(alphabet);
        Bytes source = randomBytes(size, alphabet, seed++), stream = encode(source).bytes;
        int resets = 0;
        EXPECT_EQ(stream, referenceEncode(source, &resets));
        EXPECT_GT(resets, 0);
        DecoderState decoder;
        EXPECT_EQ(run(runDecoder, &decoder, stream).bytes, source);
        EXPECT_EQ(decoder.bytesRead, stream.size());
    }
}

static int allocationsLeft;
static void* failingAllocator(size_t size) { return allocationsLeft-- > 0 ? malloc(size) : nullptr; }
static int messagesShown;
static void countMessage(const char*, const char*) { ++messagesShown; }

// The coder only reports; the loader and quizmaker tell the user.
TEST(Coder, WithoutStorageHandsOverNothingOrWhatItWroteAndShowsNoMessage) {
    MessageSink previousSink = setMessageSink(countMessage);
    CoderAllocator previous = setCoderAllocator(failingAllocator);
    messagesShown = 0;
    unsigned char sentinel = 0;
    CoderOutput out = {&sentinel, 9};
    const unsigned char stream[] = {0x20, 0xC0, 0x00};  // "A"
    DecoderState decoder;
    EncoderState encoder;
    allocationsLeft = 0;
    EXPECT_EQ(runDecoder(&decoder, stream, 3, &out), CoderNoMemory);
    EXPECT_EQ(runEncoder(&encoder, stream, 3, &out), CoderNoMemory);
    EXPECT_EQ(out.bytes, &sentinel);
    EXPECT_EQ(out.count, 9u);
    // An incompressible source outgrows the first 80000 bytes: when they
    // cannot grow, what was written is handed over.
    Bytes noise = randomBytes(65535, 256, 5);
    allocationsLeft = 1;
    EXPECT_EQ(runEncoder(&encoder, noise.data(), 65535, &out), CoderNoMemory);
    setCoderAllocator(previous);
    Bytes written(out.bytes, out.bytes + out.count), whole = encode(noise).bytes;
    releaseContent(out.bytes);
    EXPECT_GT(written.size(), 79000u);
    EXPECT_LE(written.size(), 80000u);
    EXPECT_TRUE(std::equal(written.begin(), written.end(), whole.begin()));
    EXPECT_EQ(messagesShown, 0);
    setMessageSink(previousSink);
}
