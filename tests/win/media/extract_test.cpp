#include <gtest/gtest.h>

#include <string.h>

#include <optional>

#include "media/media.h"
#include "media_support.h"
#include "win/support/harness.h"

TEST(MediaExtraction, WritesEachClipWholeToItsFileOfTheWorkingDirectoryAndRemovesOnlyTheKindsWritten) {
    ScratchDirectory folder;
    MediaFolder media = {};
    char file[MAX_PATH];
    ASSERT_GT(resourceBytes(405).size(), resourceBytes(406).size());
    EXPECT_EQ(extractMedia(&media, 405, MediaSound, file), 1);
    EXPECT_EQ(extractMedia(&media, 406, MediaSound, file), 1);  // a shorter clip replaces the whole file
    EXPECT_STREQ(file, "quizz.mp3");
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(406));
    writeFile("quizz7.avi", "another quiz's clip");
    removeMediaFiles(&media);
    EXPECT_FALSE(fileExists("quizz.mp3"));
    EXPECT_TRUE(fileExists("quizz7.avi")) << "no video was written";
    EXPECT_EQ(extractMedia(&media, 407, MediaVideo, file), 1);
    EXPECT_STREQ(file, "quizz7.avi");
    EXPECT_EQ(fileBytes((folder.path + "\\quizz7.avi").c_str()), resourceBytes(407));
    char besideProgram[MAX_PATH + 16];
    GetModuleFileNameA(nullptr, besideProgram, MAX_PATH);
    strcpy(strrchr(besideProgram, '\\'), "\\quizz7.avi");
    EXPECT_FALSE(fileExists(besideProgram));
    removeMediaFiles(&media);
    EXPECT_FALSE(fileExists("quizz7.avi"));
}

TEST(MediaExtraction, TellsWhenTheResourceCannotBeFoundAndWritesNothing) {
    ScratchDirectory folder;
    MessageCapture recorded;
    MediaFolder media = {};
    char file[MAX_PATH];
    EXPECT_EQ(extractMedia(&media, 420, MediaSound, file), 0);
    EXPECT_EQ(extractMedia(&media, 421, MediaVideo, file), 0);
    // The accented letter is the single Windows-1252 byte 0xE9.
    EXPECT_EQ(recorded.messages, (Messages{{"Impossible de localiser le fichier audio.", "Information"},
                                           {"Impossible de localiser le fichier vid\xE9o.", "Information"}}));
    EXPECT_FALSE(fileExists("quizz.mp3"));
    EXPECT_FALSE(fileExists("quizz21.avi"));
}

TEST(MediaExtraction, WritesToAFolderOfItsOwnAmongTheTemporaryFilesWhenTheWorkingDirectoryWillNotTakeTheFile) {
    enum Obstacle { FolderOfThatName, FileHeldOpen, ReadOnlyDirectory };
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    for (Obstacle obstacle : {FolderOfThatName, FileHeldOpen, ReadOnlyDirectory}) {
        SCOPED_TRACE(obstacle);
        ScratchDirectory folder;
        MessageCapture recorded;
        HANDLE held = INVALID_HANDLE_VALUE;
        std::optional<UnwritableWorkingDirectory> readOnly;
        if (obstacle == FolderOfThatName) {
            ASSERT_TRUE(CreateDirectoryA("quizz.mp3", nullptr));
        } else if (obstacle == FileHeldOpen) {
            writeFile("quizz.mp3", "playing");
            held = CreateFileA("quizz.mp3", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        } else {
            ASSERT_TRUE(readOnly.emplace().unwritable());
        }
        MediaFolder media = {};
        char sound[MAX_PATH], video[MAX_PATH];
        EXPECT_EQ(extractMedia(&media, 406, MediaSound, sound), 1);
        EXPECT_EQ(extractMedia(&media, 407, MediaVideo, video), 1);  // the same folder from then on
        const std::string own = media.path;
        EXPECT_EQ(own.rfind(temporary, 0), 0u) << own;
        EXPECT_EQ(sound, own + "quizz.mp3");
        EXPECT_EQ(video, own + "quizz7.avi");
        EXPECT_EQ(fileBytes(sound), resourceBytes(406));
        EXPECT_TRUE(recorded.messages.empty());
        removeMediaFiles(&media);
        EXPECT_FALSE(fileExists(own.c_str()));
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    }
}

TEST(MediaExtraction, TellsWhenNeitherTheWorkingDirectoryNorTheTemporaryOneTakesTheFile) {
    ScratchDirectory folder;
    MessageCapture recorded;
    char previousTmp[MAX_PATH] = "", previousTemp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", previousTmp, MAX_PATH);
    GetEnvironmentVariableA("TEMP", previousTemp, MAX_PATH);
    SetEnvironmentVariableA("TMP", "Z:\\sys");
    SetEnvironmentVariableA("TEMP", "Z:\\sys");
    {
        UnwritableWorkingDirectory readOnly;
        MediaFolder media = {};
        char file[MAX_PATH];
        EXPECT_EQ(extractMedia(&media, 406, MediaSound, file), 0);
        EXPECT_EQ(extractMedia(&media, 407, MediaVideo, file), 0);
    }
    SetEnvironmentVariableA("TMP", previousTmp[0] ? previousTmp : nullptr);
    SetEnvironmentVariableA("TEMP", previousTemp[0] ? previousTemp : nullptr);
    EXPECT_EQ(recorded.messages, (Messages{{"Impossible de charger le fichier audio.", "Information"},
                                           {"Impossible de charger le fichier vid\xE9o.", "Information"}}));
}
