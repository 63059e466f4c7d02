// Checking through a media memo, as an editor does after every change: the
// same problems and stored media as a check without it, files prepared
// again once they change on disk, and files no longer named forgotten.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "picture.h"
#include "prepare.h"

namespace fs = std::filesystem;

namespace {

struct Checked {
    bool fine;
    std::vector<Problem> problems;
    PreparedQuiz quiz;
};

Checked check(const std::string& json, const fs::path& folder, MediaMemo* memo) {
    Checked checked;
    Manifest manifest;
    PrepareOptions options;
    options.memo = memo;
    checked.fine = prepareQuizText(json, folder.u8string(), options, &manifest, &checked.quiz, &checked.problems);
    return checked;
}

void expectSame(const Checked& memoised, const Checked& plain, const std::string& json) {
    EXPECT_EQ(memoised.fine, plain.fine) << json;
    ASSERT_EQ(memoised.problems.size(), plain.problems.size()) << json;
    for (size_t i = 0; i < plain.problems.size(); ++i) {
        EXPECT_EQ(memoised.problems[i].error, plain.problems[i].error) << json;
        EXPECT_EQ(memoised.problems[i].where, plain.problems[i].where) << json;
        EXPECT_EQ(memoised.problems[i].message, plain.problems[i].message) << json;
    }
    ASSERT_EQ(memoised.quiz.media.size(), plain.quiz.media.size()) << json;
    for (size_t i = 0; i < plain.quiz.media.size(); ++i) {
        EXPECT_EQ(memoised.quiz.media[i].resource, plain.quiz.media[i].resource) << json;
        EXPECT_EQ(memoised.quiz.media[i].where, plain.quiz.media[i].where) << json;
        EXPECT_EQ(memoised.quiz.media[i].bytes, plain.quiz.media[i].bytes) << json;
    }
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Bytes grey(int width, int height) {
    UprightPixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.rgb.assign(static_cast<size_t>(width * height * 3), 128);
    Bytes jpeg;
    EXPECT_TRUE(encodeBaselineJpeg(pixels, 90, &jpeg));
    return jpeg;
}

struct MemoTest : ::testing::Test {
    // One folder a test: CTest runs the tests of this program side by side.
    fs::path folder = fs::temp_directory_path() /
                      (std::string("quizmaker-memo-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        writeBytes(folder / "big.jpg", grey(400, 300));
        writeBytes(folder / "small.jpg", grey(40, 30));   // enlarged: a warning
        writeBytes(folder / "text.jpg", Bytes{'h', 'i'});  // no picture: an error
    }
    void TearDown() override { fs::remove_all(folder); }
};

}  // namespace

TEST_F(MemoTest, ACheckThroughTheMemoGivesWhatACheckWithoutItGives) {
    const std::string manifests[] = {
        R"({"style":1,"questions":[{"answer":"A","media":"big.jpg"},{"answer":"B","media":"small.jpg"}]})",
        // The same files for other questions, and an answer picture: other names and resources.
        R"({"style":1,"answerMode":1,"questions":[{"answer":"B","media":"small.jpg","answerPicture":"big.jpg"},
            {"answer":"A","media":"big.jpg"},{"answer":"C","media":"text.jpg"},{"answer":"D","media":"none.jpg"}]})",
    };
    MediaMemo memo;
    for (int round = 0; round < 2; ++round)
        for (const std::string& json : manifests) expectSame(check(json, folder, &memo), check(json, folder, nullptr), json);
}

TEST_F(MemoTest, AFileChangedOnDiskIsPreparedAgainAndOneNoLongerNamedIsForgotten) {
    const std::string json = R"({"style":1,"questions":[{"answer":"A","media":"big.jpg"},{"answer":"B","media":"small.jpg"}]})";
    MediaMemo memo;
    EXPECT_TRUE(check(json, folder, &memo).fine);
    writeBytes(folder / "big.jpg", Bytes{'n', 'o', 'p', 'e'});
    Checked changed = check(json, folder, &memo);
    EXPECT_FALSE(changed.fine);
    expectSame(changed, check(json, folder, nullptr), json);
    writeBytes(folder / "big.jpg", grey(400, 300));
    EXPECT_TRUE(check(json, folder, &memo).fine);
    EXPECT_EQ(memo.entries.size(), 2u);
    check(R"({"style":1,"questions":[{"answer":"A","media":"small.jpg"}]})", folder, &memo);
    EXPECT_EQ(memo.entries.size(), 1u);
}
