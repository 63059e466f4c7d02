// loadContentFrom on two arbitrary stored resources: decoding and parsing
// together, as the player does at start-up. Input layout: one flag byte
// (bit 0: content resource present, bit 1: codes resource present), two
// bytes of content size (little-endian, cut to what is left), the content
// bytes, then the codes bytes.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "check.h"
#include "content/message.h"
#include "content/parse.h"
#include "quizcheck.h"

static int messageCount = 0;
static bool captionsRight = true;

static void countMessage(const char* text, const char* caption) {
    FUZZ_CHECK(text != nullptr && caption != nullptr);
    if (strcmp(caption, "Quizz") != 0) captionsRight = false;
    ++messageCount;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    uint8_t flags = data[0];
    size_t contentSize = data[1] | (size_t)data[2] << 8;
    const uint8_t* rest = data + 3;
    size_t restSize = size - 3;
    if (contentSize > restSize) contentSize = restSize;

    ResourceBytes content = {(flags & 1) != 0, rest, (uint32_t)contentSize};
    ResourceBytes codes = {(flags & 2) != 0, rest + contentSize, (uint32_t)(restSize - contentSize)};

    messageCount = 0;
    captionsRight = true;
    MessageSink previous = setMessageSink(countMessage);
    Quiz quiz;
    LoadOutcome outcome = loadContentFrom(&quiz, content, codes);
    setMessageSink(previous);

    FUZZ_CHECK(outcome >= LoadContentMissing && outcome <= LoadComplete);
    checkQuizShape(quiz);
    FUZZ_CHECK(captionsRight);
    // At most two messages (missing content), none when everything loaded.
    FUZZ_CHECK(messageCount <= 2);
    FUZZ_CHECK((outcome == LoadComplete) == (messageCount == 0));
    if (!content.found) FUZZ_CHECK(outcome == LoadContentMissing);
    if (outcome == LoadContentNotDecodable) checkQuizNeutral(quiz);
    if (outcome != LoadComplete) FUZZ_CHECK(allCodesEmpty(quiz));
    return 0;
}
