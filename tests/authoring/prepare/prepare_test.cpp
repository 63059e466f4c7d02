// The whole check of a quiz: each media file it refuses or warns about
// named as the author wrote it, and what it is.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "prepare.h"
#include "shared/drawings.h"
#include "shared/stored.h"

TEST(PreparedQuiz, NamesEachFileItRefusesOrWarnsAboutAndSaysWhatItIs) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("quizmaker-pictures-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const Bytes jpeg = asJpeg(drawing(300, 200, Grey)), png = asPng(drawing(300, 200, Grey)),
                bmp = asBmp(drawing(300, 200, Grey));
    // A 1 x 1 GIF, one white transparent pixel; cut, it loses its last data
    // sub-block's end.
    const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x21, 0xF9, 4, 1,
                       0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};
    const Bytes mp3 = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x64, 0, 0, 0, 0};  // tag, frame header
    Bytes large = bytesOf("RIFF\x24\0\0\0WAVEfmt ");  // a WAV header and a byte over 20 MB
    large.resize(20 * 1024 * 1024 + 1);
    const std::string pdf = "%PDF-1.4\n", text = "Paris\r\n";
    const struct { const char* name; Bytes bytes; int style; bool error; std::string says; } cases[] = {
        {"cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2), 1, true, "is a damaged or unsupported JPEG picture"},
        {"cut.png", Bytes(png.begin(), png.begin() + png.size() / 2), 1, true, "is a damaged or unsupported PNG picture"},
        {"cut.bmp", Bytes(bmp.begin(), bmp.end() - 10), 1, true, "is a damaged BMP picture"},
        {"cut.gif", Bytes(gif.begin(), gif.end() - 3), 1, true, "is a damaged GIF picture"},
        {"whole.gif", gif, 1, false, "is 1 x 1, smaller than its 260 x 260 box: it will be enlarged"},
        {"whole.bmp", bmp, 1, false, ""},
        {"paper.jpg", Bytes(pdf.begin(), pdf.end()), 1, true, "is a PDF document, not a picture: use a JPEG, PNG, BMP or GIF"},
        {"song.mp3", mp3, 1, true, "is an MP3 sound, not a picture"},
        {"song.mp3", mp3, 2, false, ""},
        {"photo.mp3", png, 2, true, "is a PNG picture, not an MP3 or WAV sound"},
        {"notes.wav", Bytes(text.begin(), text.end()), 2, true, "is a text file, not an MP3 or WAV sound"},
        {"large.wav", large, 2, false, "is 20.0 MB, stored as it is: the quiz grows as much"},
        {"clip.avi", mp3, 3, true, "is an MP3 sound, not an AVI video"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Message error;
        ASSERT_TRUE(writeFileAtomically((folder / c.name).string(), c.bytes, &error)) << error.english;
        const std::string json = "{\"style\":" + std::to_string(c.style) +
                                 ",\"questions\":[{\"answer\":\"a\",\"media\":\"" + c.name + "\"}]}";
        ASSERT_TRUE(writeFileAtomically((folder / "quiz.json").string(), Bytes(json.begin(), json.end()), &error));
        Manifest manifest;
        PreparedQuiz quiz;
        std::vector<Problem> problems;
        EXPECT_EQ(prepareQuiz((folder / "quiz.json").string(), PrepareOptions(), &manifest, &quiz, &problems), !c.error);
        ASSERT_EQ(problems.size(), c.says.empty() ? 0u : 1u);
        if (!c.says.empty()) {
            EXPECT_EQ(problems[0].error, c.error);
            EXPECT_EQ(problems[0].where, "questions[0].media");
            EXPECT_EQ(problems[0].message.find("'" + std::string(c.name) + "' " + c.says), 0u) << problems[0].message;
            EXPECT_EQ(problems[0].french.find(u8"« " + std::string(c.name) + u8" » "), 0u) << problems[0].french;
        }
    }
    fs::remove_all(folder);
}
