// The content coder against zlib on the same quiz-like content: about 60 KB
// of "|"-separated French texts laid out as a content resource (90 questions,
// two answers each, captions and two reveal texts per question).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <string>
#include <vector>

#include "content/codec.h"

typedef std::vector<unsigned char> Bytes;

static const char* const words[] = {
    "le", "la", "les", "de", "du", "des", "un", "une", "et", "en", "dans", "pour", "avec", "sur",
    "quel", "quelle", "est", "sont", "qui", "que", "personnage", "chanson", "film", "pays", "capitale",
    "fleuve", "montagne", "auteur", "roman", "peintre", "tableau", "siècle", "année", "premier",
    "dernier", "célèbre", "réponse", "question", "indice", "épisode", "série", "héros", "château",
    "forêt", "rivière", "océan", "étoile", "été", "hiver", "musée", "théâtre", "opéra", "bibliothèque",
    "Paris", "Lyon", "Marseille", "Bretagne", "Provence", "Normandie", "Alsace", "Corse",
};
static const int wordCount = sizeof(words) / sizeof(words[0]);

// Appends a field of up to wordsWanted words, kept within the player's 259
// bytes a text.
static void appendText(Bytes* bytes, unsigned* seed, int wordsWanted) {
    size_t length = 0;
    for (int i = 0; i < wordsWanted; ++i) {
        *seed = *seed * 1103515245u + 12345u;
        const char* word = words[(*seed >> 16) % wordCount];
        size_t size = strlen(word) + (i ? 1 : 0);
        if (length + size > 259) break;
        if (i) bytes->push_back(' ');
        bytes->insert(bytes->end(), word, word + strlen(word));
        length += size;
    }
    bytes->push_back('|');
}

static const Bytes& quizContent() {
    static Bytes bytes;
    if (!bytes.empty()) return bytes;
    unsigned seed = 42;
    bytes = {0, 2, 90, 2};
    for (int i = 0; i < 5; ++i) appendText(&bytes, &seed, 6);
    for (int q = 0; q < 90; ++q) {
        appendText(&bytes, &seed, 3);    // answer
        appendText(&bytes, &seed, 3);    // second answer
        appendText(&bytes, &seed, 36);   // caption
    }
    bytes.push_back(3);
    for (int q = 0; q < 90; ++q) {
        appendText(&bytes, &seed, 40);   // reveal text
        appendText(&bytes, &seed, 24);   // second reveal field
    }
    bytes.insert(bytes.end(), {0xF0, 0xE0, 0xC0});
    return bytes;
}

// One run of each coder over the content; false when it fails.
static bool encodeOnce(EncoderState* encoder, const Bytes& plain, uint32_t* storedSize) {
    CoderOutput out = {nullptr, 0};
    bool ok = runEncoder(encoder, plain.data(), uint32_t(plain.size()), &out) == CoderOk;
    benchmark::DoNotOptimize(out.bytes);
    *storedSize = out.count;
    releaseContent(out.bytes);
    return ok;
}

static bool decodeOnce(DecoderState* decoder, const Bytes& stream, size_t plainSize) {
    CoderOutput out = {nullptr, 0};
    bool ok = runDecoder(decoder, stream.data(), uint32_t(stream.size()), &out) == CoderOk && out.count == plainSize;
    benchmark::DoNotOptimize(out.bytes);
    releaseContent(out.bytes);
    return ok;
}

static bool deflateOnce(const Bytes& plain, Bytes* packed, uLongf* packedSize) {
    *packedSize = uLongf(packed->size());
    bool ok = compress2(packed->data(), packedSize, plain.data(), uLong(plain.size()), Z_DEFAULT_COMPRESSION) == Z_OK;
    benchmark::DoNotOptimize(packed->data());
    return ok;
}

static bool inflateOnce(const Bytes& packed, uLongf packedSize, Bytes* out) {
    uLongf size = uLongf(out->size());
    bool ok = uncompress(out->data(), &size, packed.data(), packedSize) == Z_OK && size == out->size();
    benchmark::DoNotOptimize(out->data());
    return ok;
}

struct Streams {
    Bytes stored;       // our coder's stream of the content
    Bytes packed;       // zlib's
    uLongf packedSize;
};

static const Streams& streams() {
    static Streams made;
    if (!made.stored.empty()) return made;
    const Bytes& plain = quizContent();
    EncoderState encoder;
    CoderOutput out = {nullptr, 0};
    if (runEncoder(&encoder, plain.data(), uint32_t(plain.size()), &out) != CoderOk) abort();
    made.stored.assign(out.bytes, out.bytes + out.count);
    releaseContent(out.bytes);
    made.packed.resize(compressBound(uLong(plain.size())));
    if (!deflateOnce(plain, &made.packed, &made.packedSize)) abort();
    return made;
}

static void EncodeContent(benchmark::State& state) {
    const Bytes& plain = quizContent();
    EncoderState encoder;
    uint32_t stored = 0;
    for (auto _ : state)
        if (!encodeOnce(&encoder, plain, &stored)) state.SkipWithError("encode failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
    state.counters["plain"] = double(plain.size());
    state.counters["stored"] = double(stored);
}

static void DecodeContent(benchmark::State& state) {
    const Bytes& stream = streams().stored;
    DecoderState decoder;
    for (auto _ : state)
        if (!decodeOnce(&decoder, stream, quizContent().size())) state.SkipWithError("decode failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(quizContent().size()));
}

static void ZlibDeflate(benchmark::State& state) {
    const Bytes& plain = quizContent();
    Bytes out(compressBound(uLong(plain.size())));
    uLongf size = 0;
    for (auto _ : state)
        if (!deflateOnce(plain, &out, &size)) state.SkipWithError("deflate failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
    state.counters["stored"] = double(size);
}

static void ZlibInflate(benchmark::State& state) {
    const Streams& made = streams();
    Bytes out(quizContent().size());
    for (auto _ : state)
        if (!inflateOnce(made.packed, made.packedSize, &out)) state.SkipWithError("inflate failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
}

static double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Our coder and zlib in turn on the same content, each run timed on its
// own, so both see the same machine load. "speedup" is zlib's time over
// ours: above 1, ours is faster.
static void DecodeVersusInflate(benchmark::State& state) {
    const Streams& made = streams();
    DecoderState decoder;
    Bytes out(quizContent().size());
    double ours = 0, zlib = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!decodeOnce(&decoder, made.stored, out.size())) state.SkipWithError("decode failed");
        ours += secondsSince(start);
        start = std::chrono::steady_clock::now();
        if (!inflateOnce(made.packed, made.packedSize, &out)) state.SkipWithError("inflate failed");
        zlib += secondsSince(start);
    }
    state.counters["speedup"] = zlib / ours;
}

static void EncodeVersusDeflate(benchmark::State& state) {
    const Bytes& plain = quizContent();
    EncoderState encoder;
    Bytes packed(compressBound(uLong(plain.size())));
    uLongf packedSize = 0;
    uint32_t stored = 0;
    double ours = 0, zlib = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!encodeOnce(&encoder, plain, &stored)) state.SkipWithError("encode failed");
        ours += secondsSince(start);
        start = std::chrono::steady_clock::now();
        if (!deflateOnce(plain, &packed, &packedSize)) state.SkipWithError("deflate failed");
        zlib += secondsSince(start);
    }
    state.counters["speedup"] = zlib / ours;
}

BENCHMARK(EncodeContent);
BENCHMARK(DecodeContent);
BENCHMARK(ZlibDeflate);
BENCHMARK(ZlibInflate);
BENCHMARK(DecodeVersusInflate);
BENCHMARK(EncodeVersusDeflate);
