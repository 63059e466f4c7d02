#include <gtest/gtest.h>

#include "media/media.h"
#include "media_support.h"
#include "win/support/harness.h"

TEST(MediaExtraction, WritesAVideoToItsNumberedFileAndAnySoundToTheOneSoundFile) {
    ScratchDirectory folder;
    ASSERT_FALSE(resourceBytes(407).empty());
    EXPECT_EQ(extractMedia(nullptr, 407, MediaVideo), 1);
    EXPECT_EQ(fileBytes("quizz7.avi"), resourceBytes(407));
    EXPECT_FALSE(fileExists("quizz.mp3"));
    DeleteFileA("quizz7.avi");
    EXPECT_EQ(extractMedia(nullptr, 407, MediaSound), 1);
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(407));
    EXPECT_FALSE(fileExists("quizz7.avi"));
}

TEST(MediaExtraction, ReplacesTheWholeSoundFileWithAShorterClip) {
    ScratchDirectory folder;
    ASSERT_GT(resourceBytes(405).size(), resourceBytes(406).size());
    EXPECT_EQ(extractMedia(nullptr, 405, MediaSound), 1);
    EXPECT_EQ(extractMedia(nullptr, 406, MediaSound), 1);
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(406));
}

TEST(MediaExtraction, WritesIntoTheWorkingDirectoryNotBesideTheProgram) {
    ScratchDirectory folder;
    ASSERT_EQ(extractMedia(nullptr, 405, MediaVideo), 1);
    char expected[MAX_PATH + 16];
    snprintf(expected, sizeof expected, "%s\\quizz5.avi", folder.path.c_str());
    EXPECT_EQ(fileBytes(expected), resourceBytes(405));
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    *strrchr(program, '\\') = 0;
    lstrcatA(program, "\\quizz5.avi");
    EXPECT_FALSE(fileExists(program));
}

TEST(MediaExtraction, TellsWhenTheResourceCannotBeFoundAndWritesNothing) {
    ScratchDirectory folder;
    MessageCapture recorded;
    EXPECT_EQ(extractMedia(nullptr, 420, MediaSound), 0);
    EXPECT_EQ(extractMedia(nullptr, 421, MediaVideo), 0);
    ASSERT_EQ(recorded.messages.size(), 2u);
    EXPECT_EQ(recorded.messages[0].first, "Impossible de localiser le fichier audio.");
    EXPECT_EQ(recorded.messages[0].second, "Information");
    // The accented letter is the single Windows-1252 byte 0xE9.
    EXPECT_EQ(recorded.messages[1].first, "Impossible de localiser le fichier vid\xE9o.");
    EXPECT_EQ(recorded.messages[1].second, "Information");
    EXPECT_FALSE(fileExists("quizz.mp3"));
    EXPECT_FALSE(fileExists("quizz21.avi"));
}

TEST(MediaExtraction, FailsWithTheLoadMessageWhenTheFileCannotBeCreated) {
    const struct { const char* file; MediaKind kind; const char* message; } cases[] = {
        {"quizz.mp3", MediaSound, "Impossible de charger le fichier audio."},
        {"quizz7.avi", MediaVideo, "Impossible de charger le fichier vid\xE9o."},
    };
    for (const auto& c : cases) {
        ScratchDirectory folder;
        MessageCapture recorded;
        ASSERT_TRUE(CreateDirectoryA(c.file, nullptr));  // a folder under the file's name
        EXPECT_EQ(extractMedia(nullptr, 407, c.kind), 0) << c.file;
        ASSERT_EQ(recorded.messages.size(), 1u);
        EXPECT_EQ(recorded.messages[0].first, c.message);
        EXPECT_EQ(recorded.messages[0].second, "Information");
        EXPECT_TRUE(GetFileAttributesA(c.file) & FILE_ATTRIBUTE_DIRECTORY);
    }
}

TEST(MediaExtraction, FailsWhenTheFileIsHeldOpenByAPlayerAndSucceedsOnceItIsClosed) {
    ScratchDirectory folder;
    MessageCapture recorded;
    writeFile("quizz.mp3", "playing");
    HANDLE held = CreateFileA("quizz.mp3", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(extractMedia(nullptr, 406, MediaSound), 0);
    EXPECT_EQ(recorded.messages.size(), 1u);
    CloseHandle(held);
    EXPECT_EQ(fileBytes("quizz.mp3"), "playing");
    EXPECT_EQ(extractMedia(nullptr, 406, MediaSound), 1);
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(406));
}
