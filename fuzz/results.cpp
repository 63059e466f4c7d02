// The results-file reader on arbitrary files: readAnswerLine until it says
// there is no further line. Every line must fit a text field (at most 259
// characters), hold no line feed and never be the lone "*", every call must
// move forward, and the reader must stop. The lines read, written out again
// with appendAnswerLine, must read back the same.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "check.h"
#include "play/results.h"

struct Line {
    char text[TextSize];
};

static std::vector<Line> readAll(const char* data, size_t size) {
    std::vector<Line> lines;
    ResultsReader reader = {data, size, 0};
    Line line;
    size_t before = reader.position;
    while (readAnswerLine(&reader, line.text)) {
        FUZZ_CHECK(fitsTextField(line.text));
        FUZZ_CHECK(strlen(line.text) <= TextMaxLength);
        FUZZ_CHECK(strchr(line.text, '\n') == nullptr);
        FUZZ_CHECK(strcmp(line.text, "*") != 0);
        FUZZ_CHECK(reader.position > before);
        FUZZ_CHECK(reader.position <= size);
        // Each line takes at least one byte of the file, so this bounds the
        // number of calls: a reader that stops moving fails here.
        FUZZ_CHECK(lines.size() < size);
        before = reader.position;
        lines.push_back(line);
    }
    // Once exhausted it stays exhausted.
    FUZZ_CHECK(!readAnswerLine(&reader, line.text));
    return lines;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<Line> lines = readAll((const char*)data, size);

    // Round trip of the lines a player could have typed: no CR or LF.
    std::vector<Line> typed;
    for (const Line& line : lines)
        if (!strchr(line.text, '\r')) typed.push_back(line);
    std::vector<char> file(typed.size() * (TextSize + 2) + 1);
    size_t used = 0;
    for (const Line& line : typed)
        FUZZ_CHECK(appendAnswerLine(line.text, file.data(), file.size(), &used));
    FUZZ_CHECK(used <= file.size());
    std::vector<Line> again = readAll(file.data(), used);
    FUZZ_CHECK(again.size() == typed.size());
    for (size_t i = 0; i < typed.size(); ++i) FUZZ_CHECK(strcmp(again[i].text, typed[i].text) == 0);
    return 0;
}
