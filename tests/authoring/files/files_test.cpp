// File names made from an author's texts, and media files brought beside a
// manifest without losing or overwriting any.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files.h"

namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path root = fs::temp_directory_path() / ("files_test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Scratch() { fs::create_directories(root); }
    ~Scratch() { fs::remove_all(root); }
    std::string put(const std::string& name, const std::string& bytes) {
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name, std::ios::binary) << bytes;
        return (root / name).u8string();
    }
    std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

}  // namespace

TEST(FileNames, AreThePlainLettersOfTheTextOrTheTextWithoutWhatWindowsRefuses) {
    EXPECT_EQ(plainFileName(u8"Cerf-volant !"), "cerf-volant");
    EXPECT_EQ(plainFileName(u8"L'Été à Noël"), "l-ete-a-noel");
    EXPECT_EQ(plainFileName(u8"Œuvre & cœur"), "oeuvre-coeur");
    EXPECT_EQ(plainFileName("\xE2\x86\x92 \xE2\x98\xBA"), "");  // an arrow and a smile
    EXPECT_EQ(plainFileName("un deux trois quatre", 12), "un-deux");   // cut at a word
    EXPECT_EQ(plainFileName("anticonstitutionnellement", 10), "anticonsti");
    EXPECT_EQ(fileNameFromText(u8"Les capitales : Europe"), u8"Les capitales - Europe");
    EXPECT_EQ(fileNameFromText(u8"Vrai ou faux ?"), u8"Vrai ou faux");
    EXPECT_EQ(fileNameFromText(u8"  Été 2024/25. "), u8"Été 2024-25");
    EXPECT_EQ(fileNameFromText("???"), "");
}

TEST(FileNames, AFolderToUnpackIntoIsNamedAfterTheFileAndNewOrEmpty) {
    Scratch scratch;
    const std::string program = scratch.put("capitales.exe", "MZ");
    EXPECT_EQ(freshFolderBeside(program), (scratch.root / "capitales").u8string());
    fs::create_directories(scratch.root / "capitales");   // empty: taken as it is
    EXPECT_EQ(freshFolderBeside(program), (scratch.root / "capitales").u8string());
    scratch.put("capitales/quiz.json", "{}");
    scratch.put("capitales-2", "a file");
    EXPECT_EQ(freshFolderBeside(program), (scratch.root / "capitales-3").u8string());
}

TEST(GatheringMedia, CopiesWhatLiesOutsideTheFolderAndNeverOverwritesAnotherFile) {
    Scratch scratch;
    const std::string photo = scratch.put("photos/velo.jpg", "velo");
    const std::string other = scratch.put("ailleurs/velo.jpg", "autre velo");
    const std::string inside = scratch.put("quiz/img/chat.jpg", "chat");
    const std::string already = scratch.put("quiz/media/velo.jpg", "velo");   // the same bytes: used as it is
    const std::string clash = scratch.put("quiz/media/lune.jpg", "une autre lune");
    const std::string moon = scratch.put("photos/lune.jpg", "lune");
    const std::string missing = (scratch.root / "photos/absent.jpg").u8string();
    const std::string folder = (scratch.root / "quiz").u8string();
    GatherResult result;
    Message error;
    ASSERT_TRUE(gatherFiles({photo, other, inside, moon, missing, moon}, folder, "media", &result, &error))
        << error.english;
    const fs::path media = scratch.root / "quiz" / "media";
    ASSERT_EQ(result.placed.size(), 6u);
    EXPECT_EQ(result.placed[0], (media / "velo.jpg").u8string());
    EXPECT_EQ(result.placed[1], (media / "velo-2.jpg").u8string());
    EXPECT_EQ(result.placed[2], inside);
    EXPECT_EQ(result.placed[3], (media / "lune-2.jpg").u8string());
    EXPECT_EQ(result.placed[4], fs::path(missing).lexically_normal().u8string());
    EXPECT_EQ(result.placed[5], result.placed[3]);   // one copy of a file named twice
    EXPECT_EQ(result.copied, 2);
    EXPECT_EQ(result.missing, 1);
    EXPECT_EQ(scratch.read(already), "velo");
    EXPECT_EQ(scratch.read(result.placed[1]), "autre velo");
    EXPECT_EQ(scratch.read(clash), "une autre lune");
    EXPECT_EQ(scratch.read(result.placed[3]), "lune");
    EXPECT_EQ(scratch.read(photo), "velo");   // the originals stay
}
