// Cost of one judgement at its worst: two different texts of the full 259
// characters, so no early verdict cuts the work short.
#include <benchmark/benchmark.h>

#include <string>

#include "format/text.h"
#include "play/compare.h"

// Two unrelated full-length texts mixing plain and accented letters, so the
// verdict goes through every test down to the similarity ratio.
static std::string fullLengthText(unsigned seed) {
    std::string text(TextMaxLength, ' ');
    unsigned state = seed;
    for (char& c : text) {
        state = state * 1103515245u + 12345u;
        unsigned pick = (state >> 16) % 40;
        c = static_cast<char>(pick < 26 ? 'A' + pick : 0xC0 + pick);
    }
    return text;
}

static void BM_ChooseVerdictFullLength(benchmark::State& state) {
    const std::string typed = fullLengthText(1);
    const std::string stored = fullLengthText(2);
    for (auto _ : state) benchmark::DoNotOptimize(chooseVerdict(typed.c_str(), stored.c_str()));
}
BENCHMARK(BM_ChooseVerdictFullLength)->Unit(benchmark::kMicrosecond);

static void BM_EditDistanceFullLength(benchmark::State& state) {
    const std::string a = fullLengthText(3);
    const std::string b = fullLengthText(4);
    for (auto _ : state) benchmark::DoNotOptimize(editDistance(a.c_str(), b.c_str()));
}
BENCHMARK(BM_EditDistanceFullLength)->Unit(benchmark::kMicrosecond);

// The words a player really types: the common case stays far cheaper.
static void BM_ChooseVerdictShortWord(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(chooseVerdict("crocodile", "CROCODILE DU NIL"));
}
BENCHMARK(BM_ChooseVerdictShortWord)->Unit(benchmark::kMicrosecond);
