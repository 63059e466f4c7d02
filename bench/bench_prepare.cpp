// How quizmaker stores pictures: the time to prepare one photograph, and
// the bytes each JPEG quality costs against how far the picture the player
// then shows lies from the one it shows of the original (the original
// decoded at full resolution and fitted by area average). The player's own
// decoder reads each candidate back, so its colour upsampling counts too.
// stb_image_write, which quizmaker uses, halves the colour resolution (4:2:0)
// up to quality 90 and keeps it whole (4:4:4) above; libjpeg, with the same
// quality scale, shows both subsamplings at every quality.
//
//   QUIZ_PHOTOS=folder bench_prepare    (photographs: JPEG, PNG, BMP or GIF)
// Without QUIZ_PHOTOS it uses four photograph-like pictures of its own.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "format/format.h"
#include "libjpeg_encode.h"
#include "media/jpeg.h"
#include "picture.h"

namespace {

// A baseline JPEG from libjpeg of an upright picture.
Bytes libjpegEncode(const UprightPixels& pixels, int quality, bool fullColour) {
    return ::libjpegEncode(pixels.rgb.data(), pixels.width, pixels.height, quality, fullColour);
}

// A photograph-like picture: soft colour waves with fine grain and a few
// hard edges.
UprightPixels madePhoto(int seed, int width, int height) {
    UprightPixels photo;
    photo.width = width;
    photo.height = height;
    photo.rgb.resize((size_t)width * height * 3);
    unsigned noise = (unsigned)seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = (int)((noise >> 16) % 25) - 12;
            const double u = (double)x / width, v = (double)y / height;
            const bool edge = ((x / (width / (5 + seed))) + (y / (height / 4))) % 3 == 0;
            unsigned char* p = &photo.rgb[((size_t)y * width + x) * 3];
            for (int k = 0; k < 3; ++k) {
                double wave = 128 + 90 * std::sin(6.3 * (u * (k + 1 + seed) + v * (3 - k)) + seed);
                int value = (int)wave + grain + (edge ? 40 : 0);
                p[k] = (unsigned char)(value < 0 ? 0 : value > 255 ? 255 : value);
            }
        }
    return photo;
}

std::vector<Bytes> loadPhotos() {
    std::vector<Bytes> photos;
    if (const char* folder = getenv("QUIZ_PHOTOS")) {
        std::vector<std::filesystem::path> paths;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        for (const auto& path : paths) {
            Bytes bytes;
            Message error;
            if (readFile(path.string(), &bytes, &error)) photos.push_back(bytes);
        }
    }
    if (photos.empty())
        for (int seed = 0; seed < 4; ++seed) photos.push_back(libjpegEncode(madePhoto(seed, 2400, 1600), 95, true));
    return photos;
}

const std::vector<Bytes>& photos() {
    static const std::vector<Bytes> all = loadPhotos();
    return all;
}

// Each photograph as the player shows it from the original file.
const std::vector<UprightPixels>& references() {
    static std::vector<UprightPixels> all;
    if (all.empty()) {
        for (const Bytes& photo : photos()) {
            UprightPixels pixels;
            PreparedPicture picture;
            Message why;
            if (!decodeUprightPicture(photo, PictureOptions(), &pixels, &picture, &why)) {
                fprintf(stderr, "a photograph cannot be read: %s\n", why.english.c_str());
                exit(1);
            }
            all.push_back(pixels);
        }
    }
    return all;
}

void BM_PreparePhoto(benchmark::State& state) {
    size_t next = 0;
    for (auto _ : state) {
        Bytes stored;
        PreparedPicture picture;
        Message why;
        preparePicture(photos()[next], PictureOptions(), &stored, &picture, &why);
        next = (next + 1) % photos().size();
        benchmark::DoNotOptimize(stored.data());
    }
}
BENCHMARK(BM_PreparePhoto)->Unit(benchmark::kMillisecond);

// The player's decoding of one stored picture, at quality 90 (4:2:0) and
// 91 (4:4:4), each picture at its stored size.
void BM_ShowStoredPicture(benchmark::State& state) {
    std::vector<Bytes> stored(references().size());
    for (size_t i = 0; i < stored.size(); ++i) encodeBaselineJpeg(references()[i], (int)state.range(0), &stored[i]);
    std::vector<unsigned char> shown((size_t)PictureBoxSize * PictureBoxSize * 4);
    size_t next = 0;
    for (auto _ : state) {
        const UprightPixels& reference = references()[next];
        decodeFittedJpeg(stored[next].data(), stored[next].size(), FittedSize{reference.width, reference.height},
                         shown.data());
        next = (next + 1) % stored.size();
        benchmark::DoNotOptimize(shown.data());
    }
}
BENCHMARK(BM_ShowStoredPicture)->Arg(90)->Arg(91)->Unit(benchmark::kMicrosecond);

enum Encoder { StbImageWrite, Libjpeg420, Libjpeg444 };

// Average bytes, peak signal-to-noise ratio (dB, over all colour bytes) and
// mean absolute difference (levels of 255) over all photographs.
void BM_StoredQuality(benchmark::State& state) {
    const Encoder encoder = (Encoder)state.range(0);
    const int quality = (int)state.range(1);
    double bytes = 0, squares = 0, absolutes = 0, samples = 0;
    for (auto _ : state) {
        for (const UprightPixels& reference : references()) {
            Bytes stored;
            if (encoder == StbImageWrite) encodeBaselineJpeg(reference, quality, &stored);
            else stored = libjpegEncode(reference, quality, encoder == Libjpeg444);
            std::vector<unsigned char> shown((size_t)reference.width * reference.height * 4);
            if (!decodeFittedJpeg(stored.data(), stored.size(), FittedSize{reference.width, reference.height},
                                  shown.data())) {
                state.SkipWithError("the player cannot read a stored picture");
                return;
            }
            bytes += stored.size();
            for (size_t p = 0; p < (size_t)reference.width * reference.height; ++p)
                for (int k = 0; k < 3; ++k) {
                    const double d = (double)reference.rgb[p * 3 + k] - shown[p * 4 + 2 - k];  // shown is BGR
                    squares += d * d;
                    absolutes += std::fabs(d);
                    samples += 1;
                }
        }
    }
    const double pictures = (double)references().size() * state.iterations();
    state.counters["KB"] = bytes / pictures / 1024;
    state.counters["PSNR"] = 10 * std::log10(255.0 * 255.0 / (squares / samples));
    state.counters["MAE"] = absolutes / samples;
}
BENCHMARK(BM_StoredQuality)
    ->ArgsProduct({{StbImageWrite}, {60, 70, 75, 80, 85, 88, 90, 91, 93, 95}})
    ->ArgsProduct({{Libjpeg420, Libjpeg444}, {60, 70, 75, 80, 85, 90, 95}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
