// Fitting one 800 x 600 photo into a 260 x 260 box, as a picture grid does
// for each of its cells: the area-average scaler on 24-bit and 32-bit rows,
// and the whole JPEG path (decode and fit) against libjpeg-turbo's decoder
// followed by the same scaler.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <stdlib.h>

#include <jpeglib.h>

#include <cmath>
#include <vector>

#include "libjpeg_encode.h"
#include "media/fit.h"
#include "media/jpeg.h"

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

// An 800 x 600 photo-like JPEG at quality 85: smooth colour waves with a
// little grain, about the size of a camera picture scaled down.
std::vector<unsigned char> photoJpeg() {
    std::vector<unsigned char> rgb(800 * 600 * 3);
    unsigned noise = 1;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = (int)((noise >> 16) & 15) - 8;
            unsigned char* p = &rgb[(y * 800 + x) * 3];
            p[0] = (unsigned char)(128 + 100 * std::sin(x / 37.0) + grain);
            p[1] = (unsigned char)(128 + 100 * std::sin((x + y) / 53.0) + grain);
            p[2] = (unsigned char)(128 + 100 * std::cos(y / 29.0) + grain);
        }
    return libjpegEncode(rgb.data(), 800, 600, 85, false);
}

void BM_DecodeAndFitJpeg(benchmark::State& state) {
    std::vector<unsigned char> jpeg = photoJpeg();
    FittedSize size;
    if (!jpegFittedSize(jpeg.data(), jpeg.size(), 260, 260, &size)) {
        state.SkipWithError("not read");
        return;
    }
    std::vector<unsigned char> target((size_t)size.width * size.height * 4);
    for (auto _ : state) {
        if (!decodeFittedJpeg(jpeg.data(), jpeg.size(), size, target.data())) state.SkipWithError("no picture");
        benchmark::DoNotOptimize(target.data());
    }
    releaseJpegMemory();
    state.counters["jpeg_bytes"] = (double)jpeg.size();
}
BENCHMARK(BM_DecodeAndFitJpeg)->Unit(benchmark::kMillisecond);

void BM_LibjpegTurboDecodeAndFit(benchmark::State& state) {
    std::vector<unsigned char> jpeg = photoJpeg();
    std::vector<unsigned char> full(800 * 600 * 3);
    FittedSize size = fittedSize(800, 600, 260, 260);
    std::vector<unsigned char> target((size_t)size.width * size.height * 4);
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, jpeg.data(), jpeg.size());
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = &full[info.output_scanline * 800 * 3];
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        scalePixels(full.data(), 800, 600, 800 * 3, 3, target.data(), size.width, size.height, size.width * 4);
        benchmark::DoNotOptimize(target.data());
    }
}
BENCHMARK(BM_LibjpegTurboDecodeAndFit)->Unit(benchmark::kMillisecond);

}  // namespace
