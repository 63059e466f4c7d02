// The page for browsers made from a manifest: what build would store goes
// into it, byte for byte, and nothing of the author's is written over.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "export/webpage.h"
#include "shared/drawings.h"
#include "webexport.h"

namespace fs = std::filesystem;

namespace {

std::string base64Of(const Bytes& bytes) {
    std::string text;
    appendBase64(bytes.data(), bytes.size(), &text);
    return text;
}

struct Folder {
    fs::path path = fs::temp_directory_path() / ("quizmaker-web-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string at(const char* name) const { return (path / name).string(); }
};

const char pictureQuiz[] = R"({"title":"Photos","style":1,"answerMode":3,"codes":["A"],
  "questions":[{"answer":"un","media":"photo.png","answerPicture":"small.jpg"}]})";

}  // namespace

TEST(WebExport, ThePageHoldsTheStreamsAndPicturesBuildWouldStore) {
    Folder folder;
    Message error;
    ASSERT_TRUE(writeFileAtomically(folder.at("photo.png"), asPng(drawing(900, 600, Grey)), &error));
    ASSERT_TRUE(writeFileAtomically(folder.at("small.jpg"), asJpeg(drawing(120, 80, Grey)), &error));
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "pictures kept" : "pictures prepared");
        WebExportRequest request;
        request.manifestText = pictureQuiz;
        request.manifestFolder = folder.path.string();
        request.outputPath = folder.at("quiz.html");
        request.keepPictures = keep;
        std::vector<Problem> problems;
        WebExportSummary summary;
        ASSERT_EQ(exportWebQuiz(request, nullptr, &problems, &summary, &error), !keep) << error.english;
        if (keep) {   // a PNG is stored only once prepared, as build refuses it too
            EXPECT_TRUE(hasErrors(problems));
            continue;
        }
        Manifest manifest;
        PreparedQuiz built;
        std::vector<Problem> again;
        ASSERT_TRUE(prepareQuizText(pictureQuiz, folder.path.string(), PrepareOptions(), &manifest, &built, &again));
        Bytes page;
        ASSERT_TRUE(readFile(request.outputPath, &page, &error));
        const std::string text(page.begin(), page.end());
        EXPECT_EQ(summary.outputBytes, page.size());
        EXPECT_EQ(summary.pictures, 2);
        EXPECT_NE(text.find(base64Of(built.content)), std::string::npos);
        EXPECT_NE(text.find(base64Of(built.codes)), std::string::npos);
        ASSERT_EQ(built.media.size(), 2u);
        for (const MediaFile& picture : built.media)
            EXPECT_NE(text.find(base64Of(picture.bytes)), std::string::npos) << picture.where;
    }
}

TEST(WebExport, RefusesToWriteOverTheManifestOrAMediumAndNamesThePageAfterTheManifest) {
    Folder folder;
    Message error;
    ASSERT_TRUE(writeFileAtomically(folder.at("photo.png"), asPng(drawing(300, 300, Grey)), &error));
    const Bytes manifest(pictureQuiz, pictureQuiz + sizeof pictureQuiz - 1);
    ASSERT_TRUE(writeFileAtomically(folder.at("quiz.json"), manifest, &error));
    ASSERT_TRUE(writeFileAtomically(folder.at("small.jpg"), asJpeg(drawing(120, 80, Grey)), &error));
    for (const char* output : {"quiz.json", "photo.png", "small.jpg"}) {
        WebExportRequest request;
        request.manifestPath = folder.at("quiz.json");
        request.outputPath = (folder.path / "." / output).string();
        std::vector<Problem> problems;
        WebExportSummary summary;
        EXPECT_FALSE(exportWebQuiz(request, nullptr, &problems, &summary, &error)) << output;
        EXPECT_NE(error.english.find("is a file the quiz is made from"), std::string::npos) << error.english;
        EXPECT_NE(error.french.find(u8"est un fichier dont le quiz est fait"), std::string::npos);
    }
    Bytes after;
    ASSERT_TRUE(readFile(folder.at("quiz.json"), &after, &error));
    EXPECT_EQ(after, manifest);
    EXPECT_EQ(webOutputPath("a/quiz.json", false), "a/quiz.html");
    EXPECT_EQ(webOutputPath("a/quiz.exe", true), "a/quiz.zip");
}

TEST(WebExport, AVideoQuizNeedsAVideoForBrowsersForEachQuestionWithAVideo) {
    Folder folder;
    Message error;
    const std::string avi("RIFF\x24\0\0\0AVI LIST\0\0\0\0", 16);
    ASSERT_TRUE(writeFileAtomically(folder.at("clip.avi"), Bytes(avi.begin(), avi.end()), &error));
    const std::string webm("\x1A\x45\xDF\xA3\x9F\x42\x86\x81", 8);
    ASSERT_TRUE(writeFileAtomically(folder.at("clip.webm"), Bytes(webm.begin(), webm.end()), &error));
    WebExportRequest request;
    request.manifestFolder = folder.path.string();
    request.outputPath = folder.at("videos.html");
    request.manifestText = R"({"style":3,"questions":[{"answer":"a","media":"clip.avi"},
        {"answer":"b","media":"clip.avi","webVideo":"clip.webm"},{"answer":"c","media":"clip.avi"}]})";
    std::vector<Problem> problems;
    WebExportSummary summary;
    EXPECT_FALSE(exportWebQuiz(request, nullptr, &problems, &summary, &error));
    EXPECT_FALSE(hasErrors(problems));
    EXPECT_EQ(error.english, "browsers do not play the quiz's videos (AVI): questions 1 and 3 name no webVideo; "
                             "give each question an MP4 or WebM video as webVideo");
    EXPECT_EQ(error.french, u8"les navigateurs ne lisent pas les vidéos du quiz (AVI) : les questions 1 et 3 n'ont pas "
                            u8"de vidéo pour le navigateur ; donnez à chaque question une vidéo MP4 ou WebM (« webVideo »)");
    EXPECT_FALSE(fs::exists(request.outputPath));
}
