#include "board_support.h"

#include <filesystem>

#include "app/saved.h"

namespace {

int filesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) count += entry.is_regular_file();
    return count;
}

class ResultsFileTest : public BoardTest {
protected:
    ScratchDirectory scratch;
    Text name;
    void SetUp() override { resultsFileName(name); }
    void type(int id, const char* text) { SetWindowTextA(item(id), text); }
};

TEST_F(ResultsFileTest, ClosingTheFrameSavesOneLinePerFieldQuestionByQuestionDeletesTheSoundAndQuits) {
    EXPECT_STREQ(name, "win_board_tests.txt");  // named after the program, without its folder
    open(1, 2, 2, 2);
    type(4001, "un");
    type(4002, "deux");
    type(4004, "quatre");
    writeFile("quizz.mp3", "son");
    SendMessageA(windows.frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(fileBytes(name), "un\r\ndeux\r\n*\r\nquatre\r\n");
    EXPECT_EQ(fileBytes("quizz.mp3"), "<missing>");
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_TRUE(IsWindow(windows.frame));  // the loop's end does the rest
    EXPECT_EQ(filesIn(scratch.path), 1);   // no temporary file left behind
}

TEST_F(ResultsFileTest, ReplacesAnEarlierFileWholeEvenWhenShorter) {
    for (int count : {0, 1}) {
        writeFile(name, "a\r\nb\r\nc\r\nd\r\ne\r\n");
        open(0, count, 1, 2);
        type(4001, "\xE9t\xE9");
        saveAnswers(&player.play);
        EXPECT_EQ(fileBytes(name), count ? "\xE9t\xE9\r\n" : "");
    }
}

TEST_F(ResultsFileTest, AnswerFieldsStartFromTheResultsFileLineByLine) {
    enum Source { None, File, Folder };
    const struct { const char* what; Source source; std::string data; std::vector<std::string> fields; } cases[] = {
        {"no results file", None, "", {"", "", ""}},
        {"a results file that cannot be opened", Folder, "", {"", "", ""}},
        {"fewer lines than fields", File, "Paris\r\n", {"Paris", "", ""}},
        {"more lines than fields", File, "a\r\nb\r\nc\r\nd\r\n", {"a", "b"}},
        {"a last line without line break", File, "Paris\r\nRome", {"Paris", "Rome", ""}},
        {"an overlong line", File, std::string(300, 'a') + "\r\nRome\r\nLyon\r\n", {std::string(259, 'a'), "Rome", "Lyon"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(name);
        RemoveDirectoryA(name);
        if (c.source == File) writeFile(name, c.data);
        if (c.source == Folder) {
            ASSERT_TRUE(CreateDirectoryA(name, nullptr));
        }
        MessageCapture capture;
        int count = static_cast<int>(c.fields.size());
        open(0, count, 1, 2);
        for (int k = 1; k <= count; ++k) {
            EXPECT_EQ(controlText(windows.board, 4000 + k), c.fields[k - 1]) << k;
            if (c.fields[k - 1].empty()) {
                EXPECT_EQ(controlText(windows.board, 5000 + k), "?") << k;
            }
        }
        EXPECT_EQ(item(4000 + count + 1), nullptr);
        if (c.source != File) {
            EXPECT_EQ(controlText(windows.frame, 150), " 0 / 3");
            EXPECT_EQ(controlText(windows.frame, 157), "      ");  // the placeholder replaced
        }
        EXPECT_TRUE(capture.messages.empty());
    }
}

TEST_F(ResultsFileTest, AFailedSaveLeavesWhatWasThereAndTellsThePlayer) {
    // A folder under the results name cannot be replaced by a file.
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
    writeFile((std::string(name) + "\\ancien.txt").c_str(), "ancien\r\n");
    MessageCapture capture;
    open(0, 1, 1, 2);
    type(4001, "nouveau");
    SendMessageA(windows.frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(fileBytes((std::string(name) + "\\ancien.txt").c_str()), "ancien\r\n");
    EXPECT_EQ(capture.messages, (Messages{{"Impossible d'enregistrer les r\xE9ponses.", "Quizz"}}));
    EXPECT_EQ(filesIn(scratch.path), 0);  // the temporary file is gone too
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // closes all the same
}

}  // namespace
