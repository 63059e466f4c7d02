// Results files that once broke the reader's promises, found by fuzzing.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "play/results.h"

namespace {

// Every line read into a buffer filled with 'x', so a text left without its
// terminating zero shows.
std::vector<std::string> readAll(const std::string& file) {
    ResultsReader reader = {file.data(), file.size(), 0};
    std::vector<std::string> lines;
    char text[TextSize];
    while (memset(text, 'x', sizeof text), readAnswerLine(&reader, text)) lines.push_back(text);
    return lines;
}

}  // namespace

TEST(ResultsFileWithBinaryBytes, AreReadAsTypedAZeroByteEndingTheFieldTextButNotTheLine) {
    const struct { std::string file; std::vector<std::string> lines; } cases[] = {
        {std::string("*\0\r\nRome\r\n", 10), {"", "Rome"}},  // a star and a zero byte is still an empty field
        {std::string("Par\0is\r\nRome", 12), {"Par", "Rome"}},
        {"*a\r\n**\r\n", {"*a", "**"}},  // a star with more after it is kept as typed
    };
    for (const auto& c : cases) EXPECT_EQ(readAll(c.file), c.lines) << c.file;
}
