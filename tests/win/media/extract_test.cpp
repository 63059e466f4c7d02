#include <gtest/gtest.h>

#include <string.h>

#include "media/media.h"
#include "media_support.h"
#include "win/support/harness.h"


TEST(MediaExtraction, WritesAVideoToItsNumberedFileAndAnySoundWholeToTheOneSoundFileOfTheWorkingDirectory) {
    ScratchDirectory folder;
    ASSERT_GT(resourceBytes(405).size(), resourceBytes(406).size());
    EXPECT_EQ(extractMedia(nullptr, 407, MediaVideo), 1);
    EXPECT_EQ(fileBytes((folder.path + "\\quizz7.avi").c_str()), resourceBytes(407));
    EXPECT_FALSE(fileExists("quizz.mp3"));
    EXPECT_EQ(extractMedia(nullptr, 405, MediaSound), 1);
    EXPECT_EQ(extractMedia(nullptr, 406, MediaSound), 1);  // a shorter clip replaces the whole file
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(406));
    EXPECT_FALSE(fileExists("quizz6.avi"));
    char besideProgram[MAX_PATH + 16];
    GetModuleFileNameA(nullptr, besideProgram, MAX_PATH);
    strcpy(strrchr(besideProgram, '\\'), "\\quizz7.avi");
    EXPECT_FALSE(fileExists(besideProgram));
}

TEST(MediaExtraction, TellsWhenTheResourceCannotBeFoundAndWritesNothing) {
    ScratchDirectory folder;
    MessageCapture recorded;
    EXPECT_EQ(extractMedia(nullptr, 420, MediaSound), 0);
    EXPECT_EQ(extractMedia(nullptr, 421, MediaVideo), 0);
    // The accented letter is the single Windows-1252 byte 0xE9.
    EXPECT_EQ(recorded.messages, (Messages{{"Impossible de localiser le fichier audio.", "Information"},
                                           {"Impossible de localiser le fichier vid\xE9o.", "Information"}}));
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
        EXPECT_EQ(recorded.messages, (Messages{{c.message, "Information"}}));
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
