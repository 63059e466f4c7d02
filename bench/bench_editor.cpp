// What one keystroke costs the editor: its model checks the whole quiz after
// every change, as quizmaker check does. A quiz of 30 picture questions,
// each picture a 1600 x 1200 photograph-sized JPEG, checked with the media
// memo the editor keeps (each picture prepared once) and without it (each
// picture decoded, scaled and encoded again at every keystroke).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editmodel.h"
#include "picture.h"

namespace fs = std::filesystem;

namespace {

const int Questions = 30;

// A folder removed when the run ends.
struct Folder {
    fs::path path;
    ~Folder() { fs::remove_all(path); }
};

// The quiz's folder with its pictures, made once for the whole run.
const fs::path& pictureFolder() {
    static const Folder folder = [] {
        fs::path made = fs::temp_directory_path() / "quizeditor-bench";
        fs::create_directories(made);
        UprightPixels pixels;
        pixels.width = 1600;
        pixels.height = 1200;
        pixels.rgb.resize(static_cast<size_t>(pixels.width * pixels.height * 3));
        for (int q = 0; q < Questions; ++q) {
            for (size_t i = 0; i < pixels.rgb.size(); ++i) pixels.rgb[i] = static_cast<unsigned char>((i * (q + 7)) >> 9);
            Bytes jpeg;
            encodeBaselineJpeg(pixels, 85, &jpeg);
            std::ofstream(made / ("p" + std::to_string(q) + ".jpg"), std::ios::binary)
                .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
        }
        return Folder{made};
    }();
    return folder.path;
}

std::string pictureQuiz() {
    std::string json = R"({"title":"Photos","style":1,"questions":[)";
    for (int q = 0; q < Questions; ++q)
        json += std::string(q ? "," : "") + R"({"answer":"Photo )" + std::to_string(q) + R"(","media":"p)" +
                std::to_string(q) + R"(.jpg"})";
    return json + "]}";
}

void BM_KeystrokeWithTheMediaMemo(benchmark::State& state) {
    EditorModel model;
    std::string error;
    openManifestText(&model, pictureQuiz(), (pictureFolder() / "quiz.json").u8string(), &error);
    int typed = 0;
    for (auto _ : state) setText(&model, Field::Answer, (++typed % 2) ? "Photo" : "Photos");
    state.counters["problems"] = static_cast<double>(model.problems.size());
}
BENCHMARK(BM_KeystrokeWithTheMediaMemo)->Unit(benchmark::kMillisecond);

void BM_KeystrokeCheckingEveryPictureAgain(benchmark::State& state) {
    const std::string json = pictureQuiz();
    for (auto _ : state) {
        Manifest manifest;
        PreparedQuiz prepared;
        std::vector<Problem> problems;
        prepareQuizText(json, pictureFolder().u8string(), PrepareOptions(), &manifest, &prepared, &problems);
        benchmark::DoNotOptimize(problems.size());
    }
}
BENCHMARK(BM_KeystrokeCheckingEveryPictureAgain)->Unit(benchmark::kMillisecond);

}  // namespace
