#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "content/codec.h"
#include "content/message.h"

typedef std::vector<unsigned char> Bytes;

struct Coded {
    int result;
    Bytes bytes;        // the bytes produced (handed-over length minus the extra)
    uint32_t length;    // the length as handed over
    bool handedOver;
};

typedef int (*Coder)(const unsigned char*, uint32_t, unsigned char**, uint32_t*);
// Runs a coder; the handed-over length is the bytes produced plus extra.
static Coded run(Coder coder, const Bytes& source, uint32_t extra) {
    unsigned char* out = nullptr;
    Coded coded = {0, {}, 0, false};
    coded.result = coder(source.data(), static_cast<uint32_t>(source.size()), &out, &coded.length);
    coded.handedOver = out != nullptr;
    if (out) coded.bytes.assign(out, out + coded.length - extra);
    releaseContent(out);
    return coded;
}
static Coded decode(const Bytes& source) { return run(decodeContent, source, 2); }
static Coded encode(const Bytes& source) { return run(encodeContent, source, 1); }

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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        Coded decoded = decode(c.stream);
        EXPECT_EQ(decoded.result, CoderOk);
        EXPECT_EQ(decoded.bytes, text(c.plain));
        EXPECT_EQ(lastDecodeBytesRead(), c.stream == padded ? 5u : c.stream.size());  // up to the end code
        if (!c.encoderWritesIt) continue;
        Coded encoded = encode(text(c.plain));
        EXPECT_EQ(encoded.result, CoderOk);
        EXPECT_EQ(encoded.bytes, c.stream);
    }
    Coded empty = encode({});
    EXPECT_EQ(empty.result, CoderBadInput);
    EXPECT_TRUE(empty.handedOver);
    EXPECT_EQ(empty.length, 1u);
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
        EXPECT_GE(decoded.length, 2u) << c.what;
        EXPECT_LE(decoded.bytes.size(), 120000u) << c.what;
    }
}

TEST(Coder, RefusesSourcesOf65536BytesBeforeReadingThem) {
    Bytes big(65536, 'a');
    unsigned char sentinel = 0;
    unsigned char* out = &sentinel;
    uint32_t length = 77;
    EXPECT_EQ(decodeContent(big.data(), 65536, &out, &length), CoderBadInput);
    EXPECT_EQ(encodeContent(big.data(), 65536, &out, &length), CoderBadInput);
    EXPECT_EQ(out, &sentinel);
    EXPECT_EQ(length, 77u);
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
        EXPECT_EQ(decode(stream).bytes, source);
        EXPECT_EQ(lastDecodeBytesRead(), stream.size());
    }
}

static int allocationsLeft;
static void* failingAllocator(size_t size) { return allocationsLeft-- > 0 ? malloc(size) : nullptr; }
static std::vector<std::pair<std::string, std::string>> captured;
static void capture(const char* text, const char* caption) { captured.push_back({text, caption}); }

TEST(Coder, ReportsAMissingOutputBufferInAMessage) {
    MessageSink previousSink = setMessageSink(capture);
    CoderAllocator previous = setCoderAllocator(failingAllocator);
    unsigned char sentinel = 0;
    unsigned char* out = &sentinel;
    uint32_t length = 9;
    const unsigned char stream[] = {0x20, 0xC0, 0x00};
    captured.clear();
    allocationsLeft = 4;  // dictionary, one-byte strings, previous, candidate: then the output fails
    EXPECT_EQ(decodeContent(stream, 3, &out, &length), CoderNoMemory);
    allocationsLeft = 0;  // the encoder obtains its output first
    EXPECT_EQ(encodeContent(stream, 3, &out, &length), CoderNoMemory);
    EXPECT_EQ(out, &sentinel);
    EXPECT_EQ(length, 9u);
    EXPECT_EQ(captured, decltype(captured)(2, {"Impossible d'allouer la memoire", "information"}));
    // A learned string that cannot be stored hands over what was produced.
    allocationsLeft = 5;
    EXPECT_EQ(decodeContent(stream, 3, &out, &length), CoderOk);
    releaseContent(out);
    Bytes learning = pack({65, 66, 259, 256});
    allocationsLeft = 5;
    EXPECT_EQ(decodeContent(learning.data(), static_cast<uint32_t>(learning.size()), &out, &length), CoderNoMemory);
    EXPECT_EQ(length, 2u);
    releaseContent(out);
    setCoderAllocator(previous);
    setMessageSink(previousSink);
}
