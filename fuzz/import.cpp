// importQuestions on arbitrary bytes. The first byte picks CSV or GIFT (bit
// 0) and a given or a chosen style (bit 1); the rest is the bank. Nothing may
// crash, every note names a line of the bank, and a bank the importer takes
// makes a manifest that loads back without an error and with as many
// questions.
#include <stddef.h>
#include <stdint.h>

#include "check.h"
#include "importer.h"
#include "manifestjson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    ImportOptions options;
    options.sourcePath = "banque/questions.txt";
    options.outputPath = "quiz.json";
    options.syntax = data[0] & 1 ? SyntaxGift : SyntaxCsv;
    options.style = data[0] & 2 ? StylePictures : -1;
    Bytes bytes(data + 1, data + size);
    int lines = 1;
    for (unsigned char c : bytes) lines += c == '\n' || c == '\r';

    ImportResult result;
    bool fine = importQuestions(bytes, options, &result);
    FUZZ_CHECK(fine == !importFailed(result));
    for (const ImportNote& note : result.notes) FUZZ_CHECK(note.line >= 0 && note.line <= lines);
    if (fine) {
        Manifest loaded;
        std::vector<Problem> problems;
        loadManifestText(manifestToJson(result.manifest), &loaded, &problems);
        FUZZ_CHECK(!hasErrors(problems));
        FUZZ_CHECK(loaded.questions.size() == result.manifest.questions.size());
    }
    return 0;
}
