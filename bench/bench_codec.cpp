// The content coder against zlib on the same quiz-like content: about 60 KB
// of "|"-separated French texts laid out as a content resource (90 questions,
// two answers each, captions and two reveal texts per question).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

static Bytes encodedContent() {
    const Bytes& plain = quizContent();
    unsigned char* out = nullptr;
    uint32_t length = 0;
    if (encodeContent(plain.data(), uint32_t(plain.size()), &out, &length) != CoderOk) abort();
    Bytes stream(out, out + length - 1);
    releaseContent(out);
    return stream;
}

static void EncodeContent(benchmark::State& state) {
    const Bytes& plain = quizContent();
    uint32_t length = 0;
    for (auto _ : state) {
        unsigned char* out = nullptr;
        if (encodeContent(plain.data(), uint32_t(plain.size()), &out, &length) != CoderOk) state.SkipWithError("encode failed");
        benchmark::DoNotOptimize(out);
        releaseContent(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
    state.counters["plain"] = double(plain.size());
    state.counters["stored"] = double(length - 1);
}

static void DecodeContent(benchmark::State& state) {
    const Bytes stream = encodedContent();
    const Bytes& plain = quizContent();
    for (auto _ : state) {
        unsigned char* out = nullptr;
        uint32_t length = 0;
        if (decodeContent(stream.data(), uint32_t(stream.size()), &out, &length) != CoderOk ||
            length - 2 != plain.size())
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out);
        releaseContent(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
}

static void ZlibDeflate(benchmark::State& state) {
    const Bytes& plain = quizContent();
    Bytes out(compressBound(uLong(plain.size())));
    uLongf size = 0;
    for (auto _ : state) {
        size = uLongf(out.size());
        if (compress2(out.data(), &size, plain.data(), uLong(plain.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
            state.SkipWithError("deflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
    state.counters["stored"] = double(size);
}

static void ZlibInflate(benchmark::State& state) {
    const Bytes& plain = quizContent();
    Bytes packed(compressBound(uLong(plain.size())));
    uLongf packedSize = uLongf(packed.size());
    compress2(packed.data(), &packedSize, plain.data(), uLong(plain.size()), Z_DEFAULT_COMPRESSION);
    Bytes out(plain.size());
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        if (uncompress(out.data(), &size, packed.data(), packedSize) != Z_OK || size != plain.size())
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
}

BENCHMARK(EncodeContent);
BENCHMARK(DecodeContent);
BENCHMARK(ZlibDeflate);
BENCHMARK(ZlibInflate);
