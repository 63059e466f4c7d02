#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "play/results.h"

namespace {

std::vector<std::string> readAll(const std::string& file) {
    ResultsReader reader = {file.data(), file.size(), 0};
    std::vector<std::string> lines;
    char text[TextSize];
    while (readAnswerLine(&reader, text)) lines.push_back(text);
    return lines;
}

std::string written(const std::vector<const char*>& fields) {
    char out[4096];
    size_t used = 0;
    for (const char* field : fields) EXPECT_TRUE(appendAnswerLine(field, out, sizeof out, &used));
    return std::string(out, used);
}

TEST(ResultsFileName, ReplacesTheLastThreeLettersOfTheProgramNameOrAppendsAnExtensionWithinTheGivenSize) {
    const struct { const char* path; size_t size; const char* name; } cases[] = {
        {"C:\\Jeux\\quiz.exe", TextSize, "quiz.txt"}, {"C:\\Jeux\\Mon quiz.EXE", TextSize, "Mon quiz.txt"},
        {"quiz.exe", TextSize, "quiz.txt"}, {"C:\\a.b\\programme", TextSize, "progratxt"}, {"C:\\x\\abc", TextSize, "txt"},
        {"C:\\x\\ab", TextSize, "ab.txt"}, {"C:\\x\\", TextSize, ".txt"},  // shorter than three
        {"C:\\jeux\\longname.exe", 6, "lotxt"}, {"C:\\ab", 4, "ab"},      // no room for the whole name
    };
    for (const auto& c : cases) {
        char name[TextSize + 1];
        memset(name, 'z', sizeof name);
        resultsNameFromPath(c.path, name, c.size);
        EXPECT_STREQ(name, c.name) << c.path;
        EXPECT_EQ(name[c.size], 'z') << c.path << ": written past the given size";
    }
}

TEST(WritingAnswers, GivesOneCrLfLineAFieldAndAStarForEmptyOnes) {
    EXPECT_EQ(written({"Paris", "", "Rome"}), "Paris\r\n*\r\nRome\r\n");
    EXPECT_EQ(written({nullptr}), "*\r\n");
    EXPECT_EQ(written({"*"}), "*\r\n");
    EXPECT_EQ(written({"\xE9t\xE9"}), "\xE9t\xE9\r\n");
}

TEST(WritingAnswers, RefusesALineThatDoesNotFit) {
    char out[9];
    size_t used = 0;
    EXPECT_TRUE(appendAnswerLine("Rome", out, sizeof out, &used));
    EXPECT_EQ(used, 6u);
    EXPECT_FALSE(appendAnswerLine("Paris", out, sizeof out, &used));
    EXPECT_EQ(used, 6u);
    EXPECT_TRUE(appendAnswerLine("", out, sizeof out, &used));
    EXPECT_EQ(used, 9u);
    EXPECT_EQ(std::string(out, used), "Rome\r\n*\r\n");
}

TEST(ReadingAnswers, GivesEachLineAsOneFieldOfAtMost259CharactersUntilTheFileIsUsedUp) {
    std::string long300(300, 'a'), exactly259(259, 'q');
    const struct { std::string file; std::vector<std::string> lines; } cases[] = {
        // What was written, dropping only the line breaks.
        {written({"Paris", "", "Rome", "*"}), {"Paris", "", "Rome", ""}},
        {"un\ndeux\r\n trois \r\nquatre\r\r\n", {"un", "deux", " trois ", "quatre\r"}},
        // A last line without line break keeps every character.
        {"Paris\r\nRome", {"Paris", "Rome"}}, {"x", {"x"}}, {"*", {""}},
        // A long line is cut and its rest skipped instead of spilling into the next field.
        {long300 + "\r\nRome\r\n", {long300.substr(0, 259), "Rome"}},
        {exactly259 + "\r\nx\r\n", {exactly259, "x"}},
        {"", {}}, {"\r\n\r\n", {"", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(readAll(c.file), c.lines) << c.file.substr(0, 30);
}

}  // namespace
