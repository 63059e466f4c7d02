// Fitting one 800 x 600 photo into a 260 x 260 box, as a picture grid does
// for each of its cells: the area-average scaler on 24-bit and 32-bit rows.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <vector>

#include "media/fit.h"

namespace {

std::vector<unsigned char> noisePicture(int width, int height, int bytesPerPixel) {
    std::vector<unsigned char> pixels((size_t)width * height * bytesPerPixel);
    unsigned state = 12345;
    for (unsigned char& byte : pixels) {
        state = state * 1103515245u + 12345u;
        byte = (unsigned char)(state >> 16);
    }
    return pixels;
}

void BM_FitPhotoIntoBox(benchmark::State& state) {
    const int bytesPerPixel = (int)state.range(0);
    std::vector<unsigned char> source = noisePicture(800, 600, bytesPerPixel);
    FittedSize size = fittedSize(800, 600, 260, 260);
    std::vector<unsigned char> target((size_t)size.width * size.height * 4);
    for (auto _ : state) {
        scalePixels(source.data(), 800, 600, 800 * bytesPerPixel, bytesPerPixel, target.data(), size.width,
                    size.height, size.width * 4);
        benchmark::DoNotOptimize(target.data());
    }
}
BENCHMARK(BM_FitPhotoIntoBox)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
